#ifndef MODULEFORM_H
#define MODULEFORM_H

#include <QWidget>

#include <memory>

class ModuleFormPrivate;
class ModuleHost;

// The window of a settings module: the page of a widget module, or for a
// QML module a form with one editor per property, over the buttons
// Defaults, Reset and Apply. Apply and Reset follow the need-to-save state.
class ModuleForm : public QWidget
{
    Q_OBJECT
public:
    explicit ModuleForm(ModuleHost *host, QWidget *parent = nullptr);
    ~ModuleForm() override;

private Q_SLOTS:
    // Shows the module's values in the editors.
    void refresh();

private:
    std::unique_ptr<ModuleFormPrivate> const d;
};

#endif

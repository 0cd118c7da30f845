#ifndef MODULE_H
#define MODULE_H

#include <behaviourframe.h>

#include <KCModule>

#include <QMap>

class QComboBox;
class Ui_ModuleWidget;

// The sizes page: taskbar height, window title height, window frame width and
// desktop icon size, each in three steps or calculated from the screen density.
class Module : public KCModule
{
    Q_OBJECT
public:
    enum Sizes {
        Small = 0,
        Medium = 1,
        Large = 2,
    };

    Module(QWidget *parent, const QVariantList &args);
    ~Module() override;

    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    // A file of the settings could not be written on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave();
    void onAutoCheckedChanged();

private:
    void initWidgets();

    // Pixels of each step, by row.
    static const QMap<Sizes, int> taskBarSizes;
    static const QMap<Sizes, int> windowHeaderSizes;
    static const QMap<Sizes, int> windowFrameSizes;
    static const QMap<Sizes, int> desktopIconsSizes;

    Ui_ModuleWidget *ui;
    BehaviourFrame frame;
    QComboBox *taskBarSizeBox;
    QComboBox *windowHeaderSizeBox;
    QComboBox *windowFrameSizeBox;
    QComboBox *desktopIconsSizeBox;
};

#endif

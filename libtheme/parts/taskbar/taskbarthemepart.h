#ifndef TASKBARTHEMEPART_H
#define TASKBARTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class TaskbarThemePartPrivate;

// Taskbar settings: its screen edge, window button titles, the pager,
// combined buttons, one taskbar per screen, the switcher over all pages and
// national flags for the keyboard layout indicator.
class PEXOTHEME_EXPORT TaskbarThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(QString position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(bool labelsOnTaskbar READ labelsOnTaskbar WRITE setLabelsOnTaskbar NOTIFY labelsOnTaskbarChanged)
    Q_PROPERTY(bool usePager READ usePager WRITE setUsePager NOTIFY usePagerChanged)
    Q_PROPERTY(bool buttonCombine READ buttonCombine WRITE setButtonCombine NOTIFY buttonCombineChanged)
    Q_PROPERTY(bool multiTaskbar READ multiTaskbar WRITE setMultiTaskbar NOTIFY multiTaskbarChanged)
    Q_PROPERTY(bool switcherAllPages READ switcherAllPages WRITE setSwitcherAllPages NOTIFY switcherAllPagesChanged)
    Q_PROPERTY(bool useNationalFlags READ useNationalFlags WRITE setUseNationalFlags NOTIFY useNationalFlagsChanged)
public:
    explicit TaskbarThemePart(QObject *parent = nullptr);
    ~TaskbarThemePart() override;

    QString position() const;
    bool labelsOnTaskbar() const;
    bool usePager() const;
    bool buttonCombine() const;
    bool multiTaskbar() const;
    bool switcherAllPages() const;
    bool useNationalFlags() const;

    void setPosition(const QString &position);
    void setLabelsOnTaskbar(bool labels);
    void setUsePager(bool usePager);
    void setButtonCombine(bool combine);
    void setMultiTaskbar(bool multiTaskbar);
    void setSwitcherAllPages(bool allPages);
    void setUseNationalFlags(bool useFlags);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const TaskbarThemePart &other) const;

Q_SIGNALS:
    void positionChanged();
    void labelsOnTaskbarChanged();
    void usePagerChanged();
    void buttonCombineChanged();
    void multiTaskbarChanged();
    void switcherAllPagesChanged();
    void useNationalFlagsChanged();

private:
    std::unique_ptr<TaskbarThemePartPrivate> const d;
};

#endif

#include "taskbarthemepart.h"
#include "abstracttaskbarapplyhelper.h"
#include "abstracttaskbarreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class TaskbarThemePartPrivate
{
public:
    explicit TaskbarThemePartPrivate(TaskbarThemePart *part)
        : q(part)
    {
    }

    // Until the first read() or defaults(): no position, the flags of defaults().
    QString position;
    bool labelsOnTaskbar = true;
    bool usePager = true;
    bool buttonCombine = false;
    bool multiTaskbar = false;
    bool switcherAllPages = true;
    bool useNationalFlags = false;
    TaskbarThemePart *const q;
};

TaskbarThemePart::TaskbarThemePart(QObject *parent)
    : IThemePart(nullptr)
    , d(new TaskbarThemePartPrivate(this))
{
    Q_UNUSED(parent)
    for (auto signal : {&TaskbarThemePart::positionChanged,
                        &TaskbarThemePart::labelsOnTaskbarChanged,
                        &TaskbarThemePart::usePagerChanged,
                        &TaskbarThemePart::buttonCombineChanged,
                        &TaskbarThemePart::multiTaskbarChanged,
                        &TaskbarThemePart::switcherAllPagesChanged,
                        &TaskbarThemePart::useNationalFlagsChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

TaskbarThemePart::~TaskbarThemePart() = default;

QString TaskbarThemePart::position() const
{
    return d->position;
}

bool TaskbarThemePart::labelsOnTaskbar() const
{
    return d->labelsOnTaskbar;
}

bool TaskbarThemePart::usePager() const
{
    return d->usePager;
}

bool TaskbarThemePart::buttonCombine() const
{
    return d->buttonCombine;
}

bool TaskbarThemePart::multiTaskbar() const
{
    return d->multiTaskbar;
}

bool TaskbarThemePart::switcherAllPages() const
{
    return d->switcherAllPages;
}

bool TaskbarThemePart::useNationalFlags() const
{
    return d->useNationalFlags;
}

void TaskbarThemePart::setPosition(const QString &position)
{
    PartSettings::assign(this, d->position, position, &TaskbarThemePart::positionChanged);
}

void TaskbarThemePart::setLabelsOnTaskbar(bool labels)
{
    PartSettings::assign(this, d->labelsOnTaskbar, labels, &TaskbarThemePart::labelsOnTaskbarChanged);
}

void TaskbarThemePart::setUsePager(bool usePager)
{
    PartSettings::assign(this, d->usePager, usePager, &TaskbarThemePart::usePagerChanged);
}

void TaskbarThemePart::setButtonCombine(bool combine)
{
    PartSettings::assign(this, d->buttonCombine, combine, &TaskbarThemePart::buttonCombineChanged);
}

void TaskbarThemePart::setMultiTaskbar(bool multiTaskbar)
{
    PartSettings::assign(this, d->multiTaskbar, multiTaskbar, &TaskbarThemePart::multiTaskbarChanged);
}

void TaskbarThemePart::setSwitcherAllPages(bool allPages)
{
    PartSettings::assign(this, d->switcherAllPages, allPages, &TaskbarThemePart::switcherAllPagesChanged);
}

void TaskbarThemePart::setUseNationalFlags(bool useFlags)
{
    PartSettings::assign(this, d->useNationalFlags, useFlags, &TaskbarThemePart::useNationalFlagsChanged);
}

void TaskbarThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractTaskbarApplyHelper *>(applyHelper);
    helper->applyPosition(d->position);
    helper->applyLabelsOnTaskbar(d->labelsOnTaskbar);
    helper->applyUsePager(d->usePager);
    helper->applyButtonCombine(d->buttonCombine);
    helper->applyMultiTaskbar(d->multiTaskbar);
    helper->applySwitcherAllPages(d->switcherAllPages);
    helper->applyUseNationalFlags(d->useNationalFlags);
}

void TaskbarThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractTaskbarReadHelper *>(readHelper);
    setPosition(helper->readPosition());
    setLabelsOnTaskbar(helper->readLabelsOnTaskbar());
    setUsePager(helper->readUsePager());
    setButtonCombine(helper->readButtonCombine());
    setMultiTaskbar(helper->readMultiTaskbar());
    setSwitcherAllPages(helper->readSwitcherAllPages());
    setUseNationalFlags(helper->readUseNationalFlags());
}

void TaskbarThemePart::defaults()
{
    setPosition(ThemeDefaults::TaskbarPosition.defaultValue);
    setLabelsOnTaskbar(!PartSettings::defaultFlag(ThemeDefaults::NoTaskbarButtonName));
    setUsePager(PartSettings::defaultFlag(ThemeDefaults::UsePager));
    setButtonCombine(PartSettings::defaultFlag(ThemeDefaults::TaskbarButtonCombine));
    setMultiTaskbar(PartSettings::defaultFlag(ThemeDefaults::MultiTaskbar));
    setSwitcherAllPages(PartSettings::defaultFlag(ThemeDefaults::SwitcherAllPages));
    setUseNationalFlags(false);
}

bool TaskbarThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractTaskbarReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readPosition() != d->position;
    changes |= helper->readLabelsOnTaskbar() != d->labelsOnTaskbar;
    changes |= helper->readUsePager() != d->usePager;
    changes |= helper->readButtonCombine() != d->buttonCombine;
    changes |= helper->readMultiTaskbar() != d->multiTaskbar;
    changes |= helper->readSwitcherAllPages() != d->switcherAllPages;
    changes |= helper->readUseNationalFlags() != d->useNationalFlags;
    return changes;
}

void TaskbarThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const TaskbarThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setPosition(other->position());
    setLabelsOnTaskbar(other->labelsOnTaskbar());
    setUsePager(other->usePager());
    setButtonCombine(other->buttonCombine());
    setMultiTaskbar(other->multiTaskbar());
    setSwitcherAllPages(other->switcherAllPages());
    setUseNationalFlags(other->useNationalFlags());
}

bool TaskbarThemePart::operator==(const TaskbarThemePart &other) const
{
    return d->position == other.d->position && d->labelsOnTaskbar == other.d->labelsOnTaskbar && d->usePager == other.d->usePager &&
        d->buttonCombine == other.d->buttonCombine && d->multiTaskbar == other.d->multiTaskbar && d->switcherAllPages == other.d->switcherAllPages &&
        d->useNationalFlags == other.d->useNationalFlags;
}

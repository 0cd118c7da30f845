#include "module.h"
#include "densityrule.h"
#include "ui_modulewidget.h"

#include <currentsizesreadhelper.h>
#include <personalization.h>
#include <sizesthemepart.h>
#include <themedefaults.h>
#include <widgetpagefactory.h>

#include <KLocalizedString>
#include <KPluginFactory>

#include <QComboBox>

K_PLUGIN_FACTORY(KCModuleWidgetFactory, registerPlugin<Module>(&WidgetPage::create<Module>);)

const QMap<Module::Sizes, int> Module::taskBarSizes{{Small, 38}, {Medium, 48}, {Large, 64}};
const QMap<Module::Sizes, int> Module::windowHeaderSizes{{Small, 24}, {Medium, 32}, {Large, 48}};
const QMap<Module::Sizes, int> Module::windowFrameSizes{{Small, 2}, {Medium, 5}, {Large, 8}};
const QMap<Module::Sizes, int> Module::desktopIconsSizes{{Small, 16}, {Medium, 32}, {Large, 64}};

namespace {
int selectedSize(const QComboBox *box)
{
    return box->currentData().toInt();
}

void showSize(QComboBox *box, const QMap<Module::Sizes, int> &steps, int size)
{
    box->setCurrentIndex(DensityRule::stepIndex(size, steps.value(Module::Small), steps.value(Module::Medium)));
}
} // namespace

Module::Module(QWidget *parent, const QVariantList &args)
    : KCModule(parent, args)
    , ui(new Ui_ModuleWidget)
    , frame(this, BehaviourFrame::Sizes)
    , taskBarSizeBox(new QComboBox(this))
    , windowHeaderSizeBox(new QComboBox(this))
    , windowFrameSizeBox(new QComboBox(this))
    , desktopIconsSizeBox(new QComboBox(this))
{
    ui->setupUi(this);
    initWidgets();
    ui->kmessagewidget->hide();

    connect(frame.personalization(), &Personalization::error, this, &Module::error);
    connect(ui->autoSizeCheckbox, &QCheckBox::stateChanged, this, &Module::onAutoCheckedChanged);
    connect(ui->autoSizeCheckbox, &QCheckBox::stateChanged, this, &Module::updateNeedSave);
    for (QComboBox *box : {taskBarSizeBox, windowHeaderSizeBox, windowFrameSizeBox, desktopIconsSizeBox}) {
        connect(box, qOverload<int>(&QComboBox::activated), this, &Module::updateNeedSave);
    }
}

Module::~Module()
{
    delete ui;
}

void Module::initWidgets()
{
    struct Row
    {
        QComboBox *box;
        const QMap<Sizes, int> *steps;
        const ThemeDefaults::Entry *entry;
    };
    const Row rows[] = {
        {taskBarSizeBox, &taskBarSizes, &ThemeDefaults::TaskbarHeight},
        {windowHeaderSizeBox, &windowHeaderSizes, &ThemeDefaults::FrameTitleHeight},
        {windowFrameSizeBox, &windowFrameSizes, &ThemeDefaults::FrameBorderWidth},
        {desktopIconsSizeBox, &desktopIconsSizes, &ThemeDefaults::DesktopIconSize},
    };
    for (const Row &row : rows) {
        row.box->setFrame(false);
        row.box->insertItem(Small, i18n("Small"), row.steps->value(Small));
        row.box->insertItem(Medium, i18n("Medium"), row.steps->value(Medium));
        row.box->insertItem(Large, i18n("Large"), row.steps->value(Large));
    }
    ui->tableWidget->resizeColumnToContents(0);
    int tableRow = 0;
    for (const Row &row : rows) {
        ui->tableWidget->setCellWidget(tableRow++, 1, row.box);
        if (frame.isImmutable(row.entry->key)) {
            row.box->setEnabled(false);
        }
    }
}

void Module::onAutoCheckedChanged()
{
    ui->tableWidget->setEnabled(ui->autoSizeCheckbox->checkState() != Qt::Checked);
}

void Module::load()
{
    frame.load();
    const auto part = frame.part<SizesThemePart>();
    DensityRule::Sizes stored;
    stored.taskbar = part->taskbarSize();
    stored.desktopIcons = part->desktopIconSize();
    stored.windowHeader = part->windowFrameTitleSize();
    stored.windowFrame = part->windowFrameBorderSize();
    ui->autoSizeCheckbox->setChecked(stored.allAutomatic());

    const double found = DensityRule::foundDensity();
    const double xft = DensityRule::xftDensity();
    const DensityRule::Sizes shown = DensityRule::shownSizes(stored, found, xft);
    showSize(taskBarSizeBox, taskBarSizes, shown.taskbar);
    showSize(windowHeaderSizeBox, windowHeaderSizes, shown.windowHeader);
    showSize(windowFrameSizeBox, windowFrameSizes, shown.windowFrame);
    showSize(desktopIconsSizeBox, desktopIconsSizes, shown.desktopIcons);
}

void Module::save()
{
    const auto part = frame.part<SizesThemePart>();
    if (ui->autoSizeCheckbox->isChecked()) {
        part->defaults();
    } else {
        part->setTaskbarSize(selectedSize(taskBarSizeBox));
        part->setWindowFrameTitleSize(selectedSize(windowHeaderSizeBox));
        part->setWindowFrameBorderSize(selectedSize(windowFrameSizeBox));
        part->setDesktopIconSize(selectedSize(desktopIconsSizeBox));
    }
    frame.save();
}

void Module::defaults()
{
    frame.defaults();
    ui->autoSizeCheckbox->setChecked(true);
}

void Module::updateNeedSave()
{
    // Compared with the settings, not with the part: defaults() has already
    // reset the part, and a reset must still count as a change.
    CurrentSizesReadHelper settings(frame.settings());
    DensityRule::Sizes stored;
    stored.taskbar = settings.readTaskbarSize();
    stored.windowHeader = settings.readWindowFrameTitleSize();
    stored.windowFrame = settings.readWindowFrameBorderSize();
    stored.desktopIcons = settings.readDesktopIconSize();

    const bool automatic = ui->autoSizeCheckbox->isChecked();
    bool changed = false;
    if (automatic != stored.allAutomatic()) {
        changed = true;
    } else if (!automatic) {
        changed = selectedSize(taskBarSizeBox) != stored.taskbar || selectedSize(desktopIconsSizeBox) != stored.desktopIcons ||
            selectedSize(windowHeaderSizeBox) != stored.windowHeader || selectedSize(windowFrameSizeBox) != stored.windowFrame;
    }
    Q_EMIT KCModule::changed(changed);
}

#include "module.moc"

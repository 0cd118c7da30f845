#include "guieffectslist.h"

#include <configfiles.h>
#include <settingsreplace.h>

#include <QSettings>

namespace {
const QString organisation = QStringLiteral("Trolltech");
const QString fileName = QStringLiteral("Trolltech.conf");
const QString group = QStringLiteral("Qt");
const QString key = QStringLiteral("GUIEffects");

const QString general = QStringLiteral("general");
const QString none = QStringLiteral("none");
const QString animateMenu = QStringLiteral("animatemenu");
const QString fadeMenu = QStringLiteral("fademenu");
const QString animateCombo = QStringLiteral("animatecombo");
const QString animateTooltip = QStringLiteral("animatetooltip");
const QString fadeTooltip = QStringLiteral("fadetooltip");
const QString animateToolBox = QStringLiteral("animatetoolbox");

UiEffect::Value effectIn(const QStringList &list, const QString &animate, const QString &fade)
{
    if (!fade.isEmpty() && list.contains(fade)) {
        return UiEffect::Fade;
    }
    return list.contains(animate) ? UiEffect::Animate : UiEffect::None;
}

// An effect without a fade entry cannot fade.
void appendEntry(QStringList &list, UiEffect::Value effect, const QString &animate, const QString &fade)
{
    if (effect == UiEffect::Animate) {
        list << animate;
    } else if (effect == UiEffect::Fade && !fade.isEmpty()) {
        list << fade;
    }
}
} // namespace

GuiEffectsList GuiEffectsList::fromList(const QStringList &list)
{
    GuiEffectsList effects;
    effects.enabled = list.contains(general);
    effects.menu = effectIn(list, animateMenu, fadeMenu);
    effects.combo = effectIn(list, animateCombo, QString());
    effects.tooltip = effectIn(list, animateTooltip, fadeTooltip);
    effects.toolBox = effectIn(list, animateToolBox, QString());
    return effects;
}

QStringList GuiEffectsList::toList() const
{
    if (!enabled) {
        return {none};
    }
    QStringList list{general};
    appendEntry(list, menu, animateMenu, fadeMenu);
    appendEntry(list, combo, animateCombo, QString());
    appendEntry(list, tooltip, animateTooltip, fadeTooltip);
    appendEntry(list, toolBox, animateToolBox, QString());
    return list;
}

GuiEffectsList GuiEffectsList::stored()
{
    // Qt's settings class would block on a fifo and read a device for ever.
    if (!ConfigFiles::isUsable(fileName)) {
        return fromList(QStringList());
    }
    QSettings settings(organisation);
    settings.beginGroup(group);
    const QStringList list = settings.value(key).toStringList();
    settings.endGroup();
    return fromList(list);
}

void GuiEffectsList::store() const
{
    SettingsReplace::store(ConfigFiles::userFile(fileName), group, {{key, toList()}});
}

bool GuiEffectsList::operator==(const GuiEffectsList &other) const
{
    return enabled == other.enabled && menu == other.menu && combo == other.combo && tooltip == other.tooltip && toolBox == other.toolBox;
}

#include "pexoicontheme.h"
#include "localfile.h"
#include "pexodirs.h"

#include <QSaveFile>

namespace {
QString cursorStatePath()
{
    return QString::fromStdString(GetPexoDir(PexoSessionConfigDir)) + QStringLiteral("/cursor");
}

QByteArray readStateFile()
{
    return LocalFile::read(cursorStatePath(), LocalFile::Kind::Settings).value_or(QByteArray());
}

QByteArray field(const QByteArray &state, const QByteArray &name)
{
    const QByteArray prefix = name + '=';
    const auto lines = state.split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return QByteArray();
}

QByteArray readState(const QByteArray &name)
{
    return field(readStateFile(), name);
}

bool writeState(const QByteArray &name, const QByteArray &value)
{
    // Something there that is no state file is left alone.
    if (!LocalFile::isMissingOrUsable(cursorStatePath(), LocalFile::Kind::Settings)) {
        return false;
    }
    const QByteArray state = readStateFile();
    const QByteArray text = "name=" + (name == "name" ? value : field(state, "name")) + "\nsize=" + (name == "size" ? value : field(state, "size")) + '\n';
    // A file that already says so is left alone.
    if (text == state) {
        return true;
    }
    QSaveFile file(cursorStatePath());
    // commit() does not see a failure of the flush that it makes itself.
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush() && file.commit();
}
} // namespace

bool PexoIconTheme::setCurrentCursorThemeName(const char *name)
{
    // One line per field: a line break cannot be part of a name.
    QByteArray value(name ? name : "");
    value.replace('\n', "").replace('\r', "");
    return writeState("name", value);
}

bool PexoIconTheme::setCurrentCursorThemeSize(int size)
{
    return writeState("size", QByteArray::number(size));
}

std::string PexoIconTheme::getCurrentCursorThemeName(Display *)
{
    return readState("name").toStdString();
}

int PexoIconTheme::getCurrentCursorThemeSize(Display *)
{
    bool ok = false;
    const int size = readState("size").toInt(&ok);
    return ok ? size : -1;
}

#include "pexoicontheme.h"
#include "pexodirs.h"

#include <QFile>
#include <QSaveFile>

namespace {
QString cursorStatePath()
{
    return QString::fromStdString(GetPexoDir(PexoSessionConfigDir)) + QStringLiteral("/cursor");
}

QByteArray readState(const QByteArray &field)
{
    QFile file(cursorStatePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    const QByteArray prefix = field + '=';
    const auto lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return QByteArray();
}

void writeState(const QByteArray &field, const QByteArray &value)
{
    const QByteArray name = field == "name" ? value : readState("name");
    const QByteArray size = field == "size" ? value : readState("size");
    QSaveFile file(cursorStatePath());
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write("name=" + name + "\nsize=" + size + '\n');
    // commit() does not see a failure of the flush that it makes itself.
    if (file.flush()) {
        file.commit();
    }
}
} // namespace

void PexoIconTheme::setCurrentCursorThemeName(const char *name)
{
    // One line per field: a line break cannot be part of a name.
    QByteArray value(name ? name : "");
    value.replace('\n', "").replace('\r', "");
    writeState("name", value);
}

void PexoIconTheme::setCurrentCursorThemeSize(int size)
{
    writeState("size", QByteArray::number(size));
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

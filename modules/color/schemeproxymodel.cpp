#include "schemeproxymodel.h"

#include <configfile.h>
#include <paletteguard.h>

#include <KColorSchemeManager>

#include <QBuffer>
#include <QPixmap>

namespace {
// The role under which the scheme model keeps a scheme's file path.
constexpr int pathRole = Qt::UserRole;
const QString firstGroupWord = QStringLiteral("Ulvar");
const QString secondGroupWord = QStringLiteral("Pexo");
} // namespace

SchemeProxyModel::SchemeProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    KColorSchemeManager *manager = nullptr;
    // The list reads every scheme. It only shows them; it never activates
    // one, though creating the manager re-applies the default scheme.
    ConfigFile::parse([this, &manager] {
        PaletteGuard guard;
        manager = new KColorSchemeManager(this);
        manager->setAutosaveChanges(false);
    });
    setSourceModel(manager->model());
    sort(0, Qt::AscendingOrder);
}

bool SchemeProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    return sourceModel()->index(sourceRow, 0, sourceParent).isValid();
}

bool SchemeProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (left.data(pathRole).toString().isEmpty()) {
        return true;
    }
    if (right.data(pathRole).toString().isEmpty()) {
        return false;
    }
    const QString leftName = left.data(Qt::DisplayRole).toString();
    const QString rightName = right.data(Qt::DisplayRole).toString();
    for (const QString &word : {firstGroupWord, secondGroupWord}) {
        const bool leftHas = leftName.contains(word);
        const bool rightHas = rightName.contains(word);
        if (leftHas != rightHas) {
            return leftHas;
        }
    }
    return QString::localeAwareCompare(leftName, rightName) < 0;
}

QVariant SchemeProxyModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DecorationRole) {
        return QSortFilterProxyModel::data(index, role);
    }
    // The list reads a scheme again for its icon when that is first asked
    // for. value() converts other decoration types and gives an empty icon
    // when it cannot.
    QVariant decoration;
    ConfigFile::parse([&] {
        decoration = QSortFilterProxyModel::data(index, role);
    });
    return iconUrl(decoration.value<QIcon>());
}

QModelIndex SchemeProxyModel::findIndex(const QString &colorSchemePath) const
{
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex candidate = index(row, 0);
        if (candidate.isValid() && candidate.data(pathRole).toString() == colorSchemePath) {
            return candidate;
        }
    }
    return QModelIndex();
}

QString SchemeProxyModel::iconUrl(const QIcon &icon)
{
    if (icon.isNull()) {
        return QString();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.pixmap(16, 16, QIcon::Normal, QIcon::Off).save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,%1").arg(QString::fromLatin1(bytes.toBase64()));
}

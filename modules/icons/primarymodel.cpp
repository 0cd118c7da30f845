#include "primarymodel.h"

#include <pexoicontheme.h>

class PrimaryModelPrivate
{
public:
    QStringList themes;
};

PrimaryModel::PrimaryModel(QObject *parent)
    : QAbstractListModel(parent)
    , d(new PrimaryModelPrivate)
{
}

PrimaryModel::~PrimaryModel() = default;

int PrimaryModel::rowCount(const QModelIndex &) const
{
    return d->themes.size();
}

QVariant PrimaryModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= d->themes.size()) {
        return QVariant();
    }
    return d->themes.at(index.row());
}

void PrimaryModel::setThemes(const QStringList &themes)
{
    beginResetModel();
    d->themes = themes;
    endResetModel();
}

bool PrimaryModel::isValidTheme(const QString &theme)
{
    PexoIconTheme iconTheme(theme.toStdString(), std::string(), false);
    if (!iconTheme.load()) {
        return false;
    }
    struct Sample
    {
        const char *icon;
        int size;
        const char *context;
        bool namesTrash;
    };
    static const Sample samples[] = {
        {"user-trash-full", 32, "Status", true},
        {"user-trash-full", 48, "Status", true},
        {"user-home", 48, "Places", false},
        {"user-desktop", 48, "Places", false},
        {"user-home", 32, "Places", false},
        {"user-desktop", 32, "Places", false},
        {"preferences-system-time", 32, "Applications", false},
    };
    for (const Sample &sample : samples) {
        const QString path = QString::fromStdString(iconTheme.getIconPath(sample.icon, sample.size, sample.context));
        if (path.isEmpty() || (sample.namesTrash && !path.contains(QLatin1String("trash"), Qt::CaseInsensitive))) {
            return false;
        }
    }
    return true;
}

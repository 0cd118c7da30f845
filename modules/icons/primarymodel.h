#ifndef PRIMARYMODEL_H
#define PRIMARYMODEL_H

#include <QAbstractListModel>
#include <QStringList>

#include <memory>

class PrimaryModelPrivate;

// The names of the installed icon themes.
class PrimaryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit PrimaryModel(QObject *parent = nullptr);
    ~PrimaryModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Replaces the names in one model reset.
    void setThemes(const QStringList &themes);

    // True when the theme loads and has the sample icons a page shows.
    static bool isValidTheme(const QString &theme);

private:
    std::unique_ptr<PrimaryModelPrivate> const d;
};

#endif

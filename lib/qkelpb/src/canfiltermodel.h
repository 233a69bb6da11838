#pragma once

#include <QAbstractItemModel>
#include <QHash>

#include <memory>

namespace QKel::Pb::Can {

class Config;
class FilterModelPrivate;

// The receive filters of a CAN configuration as an item model: one row per
// filter, one role per filter field. Every call reads the configuration's
// filter list afresh; a replaced list is not announced, the owner rebinds
// its views. Changes made through the filters' own setters are not
// announced either.
class FilterModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum CAN_FILTER_ROLE : int {
        CAN_FILTER_ROLE__ENABLED = Qt::UserRole + 1,
        CAN_FILTER_ROLE__EXTENDED,
        CAN_FILTER_ROLE__EXTENDED_MATTERS,
        CAN_FILTER_ROLE__ID,
        CAN_FILTER_ROLE__MASK,
        CAN_FILTER_ROLE__INHIBIT_TIME_MS,
        CAN_FILTER_ROLE__REMOTE_FRAME,
        CAN_FILTER_ROLE__PGN,
        CAN_FILTER_ROLE____ROLE_COUNT_WITH_OFFSET__,
    };
    Q_ENUM(CAN_FILTER_ROLE)

    // The model does not own config; once config is gone it has no rows.
    explicit FilterModel(Config* config, QObject* parent = nullptr);
    ~FilterModel() override;

    Q_INVOKABLE QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Q_INVOKABLE QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    QHash<int, QByteArray> roleNames() const override;

private:
    std::unique_ptr<FilterModelPrivate> d;
};

}  // namespace QKel::Pb::Can

#include "canfiltermodel.h"

#include "can.h"

#include <QMetaProperty>
#include <QPointer>
#include <QtDebug>

namespace QKel::Pb::Can {

// One column per filter field in the record, though views use the roles.
static constexpr int columns = 8;

class FilterModelPrivate
{
public:
    explicit FilterModelPrivate(Config* filters)
        : config(filters)
    {
    }

    int count() const { return config ? config->filterList().size() : 0; }

    // The filter an index of this model stands for, or null when the index
    // is invalid, belongs to another model or is past the current list.
    Filter* filterAt(const QAbstractItemModel* model, const QModelIndex& index) const
    {
        if (!index.isValid() || index.model() != model || !config)
            return nullptr;
        const QList<Filter*> filters = config->filterList();
        return index.row() < filters.size() ? filters.at(index.row()) : nullptr;
    }

    // Each role reads and writes the filter property of its role name.
    static QMetaProperty propertyOf(int role)
    {
        const QByteArray name = roles().value(role);
        if (name.isEmpty())
            return QMetaProperty();
        return Filter::staticMetaObject.property(Filter::staticMetaObject.indexOfProperty(name.constData()));
    }

    static const QHash<int, QByteArray>& roles()
    {
        static const QHash<int, QByteArray> names = {
            {FilterModel::CAN_FILTER_ROLE__ENABLED, "enabled"},
            {FilterModel::CAN_FILTER_ROLE__EXTENDED, "extended"},
            {FilterModel::CAN_FILTER_ROLE__EXTENDED_MATTERS, "extendedMatters"},
            {FilterModel::CAN_FILTER_ROLE__ID, "id"},
            {FilterModel::CAN_FILTER_ROLE__MASK, "mask"},
            {FilterModel::CAN_FILTER_ROLE__INHIBIT_TIME_MS, "inhibitTimeMs"},
            {FilterModel::CAN_FILTER_ROLE__REMOTE_FRAME, "remoteFrame"},
            {FilterModel::CAN_FILTER_ROLE__PGN, "pgn"},
        };
        return names;
    }

    // The filter fields are flags or numbers; text that is no number gives 0.
    static QVariant convert(const QVariant& value, const QMetaProperty& property)
    {
        if (property.userType() == QMetaType::Bool)
            return value.toBool();
        return value.toUInt();
    }

    QPointer<Config> config;
};

FilterModel::FilterModel(Config* config, QObject* parent)
    : QAbstractItemModel(parent)
    , d(new FilterModelPrivate(config))
{
}

FilterModel::~FilterModel() = default;

QModelIndex FilterModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || parent.isValid() || !hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex FilterModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int FilterModel::rowCount(const QModelIndex&) const
{
    return d->count();
}

int FilterModel::columnCount(const QModelIndex&) const
{
    return columns;
}

Qt::ItemFlags FilterModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return QAbstractItemModel::flags(index) | Qt::ItemIsEnabled;
    return QAbstractItemModel::flags(index) | Qt::ItemIsEditable;
}

QVariant FilterModel::data(const QModelIndex& index, int role) const
{
    const Filter* filter = d->filterAt(this, index);
    if (!filter)
        return QVariant();
    const QMetaProperty property = FilterModelPrivate::propertyOf(role);
    if (!property.isValid()) {
        qWarning() << "Attempted read of unrecognized CAN filter role" << role;
        return QVariant();
    }
    return property.read(filter);
}

bool FilterModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Filter* filter = d->filterAt(this, index);
    if (!filter)
        return false;
    const QMetaProperty property = FilterModelPrivate::propertyOf(role);
    if (!property.isValid()) {
        qWarning() << "Attempted write of unrecognized CAN filter role" << role;
        return false;
    }
    const QVariant converted = FilterModelPrivate::convert(value, property);
    if (property.read(filter) == converted)
        return false;
    property.write(filter, converted);
    emit dataChanged(index, index, {});
    return true;
}

bool FilterModel::insertRows(int, int, const QModelIndex&)
{
    qWarning() << "The CAN filter model does not yet support inserting rows.";
    return false;
}

bool FilterModel::removeRows(int, int, const QModelIndex&)
{
    qWarning() << "The CAN filter model does not yet support removing rows.";
    return false;
}

QHash<int, QByteArray> FilterModel::roleNames() const
{
    return FilterModelPrivate::roles();
}

}  // namespace QKel::Pb::Can

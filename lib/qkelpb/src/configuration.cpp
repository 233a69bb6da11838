#include "configuration.h"

#include "interface.h"
#include "kelfunction.h"
#include "product.h"
#include "remote.h"
#include "server.h"

#include "wrapperdefinition.h"

namespace QKel::Pb {

template <>
struct PrivateState<Configuration::File>
{
    Configuration::File::LOAD_ERROR loadError = Configuration::File::LOAD_ERROR__NONE;
};

namespace Configuration {

QKEL_PB_WRAPPER(Data, "Configuration::Data")
QKEL_PB_VALUE(Data, TYPE, type, setType)
QKEL_PB_VALUE(Data, QByteArray, data, setData)
QKEL_PB_OBJECT_TEXTS(Data, "Cannot create a Configuration::Data object without a type or object.",
                     "Encountered unsupported Data::TYPE",
                     {Data::TYPE__NONE, holdsNoRecord},
                     {Data::TYPE__VISUAL_CONFIGURATION, holdsNoRecord},
                     {Data::TYPE__OBJECT_DICTIONARY, holdsNoRecord},
                     {Data::TYPE__JOB_ENGINE, holdsNoRecord},
                     {Data::TYPE__KEYS, holdsNoRecord},
                     {Kel::Pb::Configuration::TYPE__CAN_MESSAGE_LIST, holdsNoRecord},
                     {Data::TYPE__CUSTOM, holdsNoRecord},
                     {Data::TYPE__INTERFACE, holds<Interface::Config>},
                     {Data::TYPE__REMOTE, holds<Remote::Config>},
                     {Data::TYPE__SERVER, holds<Server::Config>},
                     {Data::TYPE__KEL_FUNCTION, holds<KelFunction::Config>},
                     {Data::TYPE__PRODUCT, holds<Product::Config>})

File::File(QObject* parent)
    : AbstractMessage(parent)
    , d(new WrapperPrivate<File>(this))
{
    WrapperSupport::connectChangeSignals(this, staticMetaObject);
    setVersion(1);
}

File::~File() = default;

QKEL_PB_VALUE(File, uint, version, setVersion)
QKEL_PB_VALUE(File, QString, productId, setProductId)
QKEL_PB_VALUE(File, uint, checksum, setChecksum)
QKEL_PB_LIST_ACCESS(File, Data, dataList, qmlDataList, "data")

// Unlike other lists, the data list is always replaced and announced.
void File::setDataList(const QList<Data*>& list)
{
    QKEL_PB_FIELD_OF(File, "data");
    d->replaceList(field, list);
    emit dataListChanged(list);
}

File::LOAD_ERROR File::loadError() const
{
    return d->loadError;
}

quint16 File::computeChecksum(const Record& record)
{
    QByteArray input = QByteArrayLiteral("1") + QByteArray::fromStdString(record.productid());
    for (const Kel::Pb::Configuration::Data& entry : record.data())
        input += QByteArray::number(entry.type()) + QByteArray::fromStdString(entry.data());
    return qChecksum(input.constData(), static_cast<uint>(input.size()), Qt::ChecksumIso3309);
}

File::LOAD_ERROR File::check(const Record& record)
{
    if (!record.has_version() || record.version() == 0)
        return LOAD_ERROR__VERSION_OBSOLETE;
    if (record.version() != 1)
        return LOAD_ERROR__VERSION_MISMATCH;
    if (!record.has_checksum() || record.checksum() != computeChecksum(record))
        return LOAD_ERROR__CHECKSUM;
    return LOAD_ERROR__NONE;
}

bool File::load(google::protobuf::Message* message)
{
    const Record* record = WrapperPrivate<File>::cast(message, "Could not cast incoming message to Configuration::File.");
    return record ? load(*record) : fail(LOAD_ERROR__PARSE);
}

// Bytes that do not parse leave the wrapper as it was.
bool File::load(const QByteArray& bytes)
{
    Record record;
    if (!WrapperPrivate<File>::parse(bytes, record, "Failed to parse incoming Configuration::File data."))
        return fail(LOAD_ERROR__PARSE);
    return load(record);
}

// The record stays copied whatever the outcome, so a rejected file still
// shows its version, product ID and checksum.
bool File::load(const Record& record)
{
    d->loadRecord(record);
    const LOAD_ERROR error = check(d->record);
    if (error != LOAD_ERROR__NONE) {
        setDataList({});
        return fail(error);
    }
    QList<Data*> list;
    for (const Kel::Pb::Configuration::Data& entry : d->record.data()) {
        auto* data = new Data(this);
        data->load(entry);
        list.append(data);
    }
    d->loadError = LOAD_ERROR__NONE;
    setDataList(list);
    return true;
}

bool File::fail(LOAD_ERROR error)
{
    d->loadError = error;
    return false;
}

// Required fields the caller left unset are written empty, so the packed file
// always loads again and serializing never meets a missing required field.
QByteArray File::pack()
{
    QKEL_PB_FIELD_OF(File, "data");
    WrapperSupport::packList(d->record, field, d->lists[field->index()]);
    for (Kel::Pb::Configuration::Data& entry : *d->record.mutable_data()) {
        if (!entry.has_type())
            entry.set_type(Kel::Pb::Configuration::TYPE__NONE);
        if (!entry.has_data())
            entry.set_data(std::string());
    }
    if (!d->record.has_productid())
        d->record.set_productid(std::string());
    setVersion(1);
    setChecksum(computeChecksum(d->record));
    return WrapperSupport::serialize(d->record);
}

}  // namespace Configuration
}  // namespace QKel::Pb

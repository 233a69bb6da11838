// Every type number of every type-and-data container in the schema has its
// entry in the record table: a record the data bytes hold, or none. A type
// added to a .proto without its entry fails here.
#include "embeddedrecordtable.h"
#include "remote.h"
#include "socket.h"
#include "spp.h"

#include <google/protobuf/descriptor.h>

#include <QDir>
#include <QtTest>

namespace pb = google::protobuf;

namespace {

bool isContainer(const pb::Descriptor* message)
{
    const pb::FieldDescriptor* type = message->FindFieldByName("type");
    const pb::FieldDescriptor* data = message->FindFieldByName("data");
    return type && type->type() == pb::FieldDescriptor::TYPE_ENUM && data
        && data->type() == pb::FieldDescriptor::TYPE_BYTES;
}

} // namespace

class TestEmbeddedRecordTable : public QObject
{
    Q_OBJECT

private slots:
    void everyTypeHasAnEntry_data()
    {
        QTest::addColumn<QByteArray>("container");
        const QStringList protos = QDir(QStringLiteral(TARN_PROTO_DIR)).entryList({QStringLiteral("*.proto")});
        QVERIFY(!protos.isEmpty());
        for (const QString& proto : protos) {
            const pb::FileDescriptor* file = pb::DescriptorPool::generated_pool()->FindFileByName(proto.toStdString());
            QVERIFY2(file, qPrintable(proto));
            for (int i = 0; i < file->message_type_count(); ++i) {
                const pb::Descriptor* message = file->message_type(i);
                if (isContainer(message))
                    QTest::newRow(message->full_name().c_str()) << QByteArray::fromStdString(message->full_name());
            }
        }
    }

    void everyTypeHasAnEntry()
    {
        QFETCH(QByteArray, container);
        const pb::Descriptor* message = pb::DescriptorPool::generated_pool()->FindMessageTypeByName(container.toStdString());
        const pb::EnumDescriptor* types = message->FindFieldByName("type")->enum_type();
        for (int i = 0; i < types->value_count(); ++i) {
            const pb::EnumValueDescriptor* value = types->value(i);
            QVERIFY2(QKel::Pb::EmbeddedRecordTable::lists(message, value->number()), value->full_name().c_str());
            QVERIFY(QKel::Pb::EmbeddedRecordTable::record(message, value->number()) != message);
        }
    }

    // The driver takes a container's object only when it is the wrapper the
    // table names for the container's present type.
    void listedObject_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<bool>("listed");

        QTest::newRow("socket holding a socket endpoint") << int(QKel::Pb::Remote::Config::TYPE__SOCKET) << "socket" << true;
        QTest::newRow("SPP holding an SPP endpoint") << int(QKel::Pb::Remote::Config::TYPE__SPP) << "spp" << true;
        QTest::newRow("switched to SPP, socket endpoint kept") << int(QKel::Pb::Remote::Config::TYPE__SPP) << "socket" << false;
        QTest::newRow("type none") << int(QKel::Pb::Remote::Config::TYPE__NONE) << "socket" << false;
        QTest::newRow("no endpoint") << int(QKel::Pb::Remote::Config::TYPE__SOCKET) << QString() << false;
    }

    void listedObject()
    {
        QFETCH(int, type);
        QFETCH(QString, endpoint);
        QFETCH(bool, listed);

        QKel::Pb::Remote::Config remote;
        QKel::Pb::AbstractMessage* object = nullptr;
        if (endpoint == QLatin1String("socket"))
            object = new QKel::Pb::Socket::Remote(&remote);
        else if (endpoint == QLatin1String("spp"))
            object = new QKel::Pb::Spp::Remote(&remote);
        remote.setObject(object);
        remote.setType(QKel::Pb::Remote::Config::TYPE(type));

        QCOMPARE(QKel::Pb::EmbeddedRecordTable::listedObject(&remote), listed ? object : nullptr);
    }
};

QTEST_GUILESS_MAIN(TestEmbeddedRecordTable)
#include "tst_embeddedrecordtable.moc"

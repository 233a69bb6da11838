// Every type number of every type-and-data container in the schema has its
// entry in the record table: a record the data bytes hold, or none. A type
// added to a .proto without its entry fails here.
#include "embeddedrecordtable.h"

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
};

QTEST_GUILESS_MAIN(TestEmbeddedRecordTable)
#include "tst_embeddedrecordtable.moc"

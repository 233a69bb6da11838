// Which fields hold passwords, keys and PINs is stated once, beside the schema.
// A field added later whose name sounds like one must be listed as a secret or
// declared not to be one, or what it holds leaves in support archives and dumps.

#include <secretfields.h>

#include <google/protobuf/descriptor.h>

#include <QDir>
#include <QtTest>

namespace pb = google::protobuf;
using namespace QKel::Pb;

namespace {

bool soundsSecret(const pb::FieldDescriptor* field)
{
    static const QStringList words = {"pass", "key", "pin", "secret", "psk", "credential"};
    const QString name = QString::fromStdString(field->name());
    return std::any_of(words.begin(), words.end(),
                       [&](const QString& word) { return name.contains(word, Qt::CaseInsensitive); });
}

// Texts, byte strings and whole numbers carry secrets, and the mask replaces
// exactly these; flags, choices and measurements carry none.
bool canHoldSecret(const pb::FieldDescriptor* field)
{
    switch (field->cpp_type()) {
    case pb::FieldDescriptor::CPPTYPE_STRING:
    case pb::FieldDescriptor::CPPTYPE_INT32:
    case pb::FieldDescriptor::CPPTYPE_INT64:
    case pb::FieldDescriptor::CPPTYPE_UINT32:
    case pb::FieldDescriptor::CPPTYPE_UINT64:
        return true;
    default:
        return false;
    }
}

void collectFields(const pb::Descriptor* message, QVector<const pb::FieldDescriptor*>* out)
{
    for (int i = 0; i < message->field_count(); ++i)
        out->append(message->field(i));
    for (int i = 0; i < message->nested_type_count(); ++i)
        collectFields(message->nested_type(i), out);
}

QVector<const pb::FieldDescriptor*> fieldsOf(const pb::FileDescriptor* file)
{
    QVector<const pb::FieldDescriptor*> fields;
    for (int i = 0; i < file->message_type_count(); ++i)
        collectFields(file->message_type(i), &fields);
    return fields;
}

QStringList schemaFiles()
{
    return QDir(QStringLiteral(TARN_PROTO_DIR)).entryList({QStringLiteral("*.proto")}, QDir::Files, QDir::Name);
}

} // namespace

class TestSecretFields : public QObject
{
    Q_OBJECT

private slots:
    void everySecretSoundingFieldIsDeclared_data();
    void everySecretSoundingFieldIsDeclared();
    void everyListedSecretIsInTheSchemaAndMaskable();
};

void TestSecretFields::everySecretSoundingFieldIsDeclared_data()
{
    QTest::addColumn<QString>("schemaFile");
    for (const QString& name : schemaFiles())
        QTest::newRow(qPrintable(name)) << name;
}

void TestSecretFields::everySecretSoundingFieldIsDeclared()
{
    QFETCH(QString, schemaFile);
    const pb::FileDescriptor* file = pb::DescriptorPool::generated_pool()->FindFileByName(schemaFile.toStdString());
    QVERIFY2(file, "the schema file is not compiled into the record library");

    QStringList undeclared;
    for (const pb::FieldDescriptor* field : fieldsOf(file)) {
        if (canHoldSecret(field) && soundsSecret(field) && !SecretFields::isSecret(field)
            && !SecretFields::declaredNotSecret().contains(field))
            undeclared << QString::fromStdString(field->full_name());
    }
    QVERIFY2(undeclared.isEmpty(), qPrintable(undeclared.join(", ")));
}

// The walk above reaches every secret, so it walks the whole schema; and each
// secret is of a type the mask can replace.
void TestSecretFields::everyListedSecretIsInTheSchemaAndMaskable()
{
    QVector<const pb::FieldDescriptor*> walked;
    for (const QString& name : schemaFiles())
        walked += fieldsOf(pb::DescriptorPool::generated_pool()->FindFileByName(name.toStdString()));
    QVERIFY(!SecretFields::secrets().isEmpty());
    for (const pb::FieldDescriptor* secret : SecretFields::secrets()) {
        const QString name = QString::fromStdString(secret->full_name());
        QVERIFY2(walked.contains(secret), qPrintable(name));
        QVERIFY2(canHoldSecret(secret), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestSecretFields)
#include "tst_secretfields.moc"

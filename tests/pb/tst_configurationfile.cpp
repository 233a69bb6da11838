// The configuration file container: format, checksum, load errors, and the
// tree of wrappers it builds.
#include "configuration.h"
#include "interface.h"
#include "kelfunction.h"
#include "network.h"
#include "product.h"
#include "product_morvane_tarn210.h"
#include "remote.h"
#include "server.h"
#include "wlan.h"

#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>

using namespace QKel::Pb;
using Configuration::Data;
using Configuration::File;

namespace {

// The worked example: product "abc", one entry of type 9 holding 08 01.
const QByteArray workedExample = QByteArray::fromHex("080112036162631a06080912020801209e9102");

QByteArray encodeFile(const Kel::Pb::Configuration::File& record)
{
    return QByteArray::fromStdString(record.SerializePartialAsString());
}

Kel::Pb::Configuration::File exampleRecord()
{
    Kel::Pb::Configuration::File record;
    record.ParseFromArray(workedExample.constData(), workedExample.size());
    return record;
}

Data* entry(QObject* parent, Data::TYPE type, AbstractMessage* object)
{
    auto* data = new Data(parent);
    data->setType(type);
    object->setParent(data);
    data->setObject(object);
    return data;
}

}  // namespace

class TstConfigurationFile : public QObject
{
    Q_OBJECT

private slots:
    void packWritesTheWorkedExample();
    void checksum_data();
    void checksum();
    void loadError_data();
    void loadError();
    void failedParseKeepsPreviousState();
    void rejectedFileShowsItsValuesAndEmptyList();
    void loadCreatesOneWrapperPerEntry();
    void entryTypeSelectsObject_data();
    void entryTypeSelectsObject();
    void unknownEntrySurvivesLoadAndPack();
    void incompleteRecordsPackWithoutAborting_data();
    void incompleteRecordsPackWithoutAborting();
    void packAlwaysWritesVersionOne();
    void leafEditReachesTheRoot();
    void replacedListIsDeletedLater();
    void protocDecodesPackedFile();
};

void TstConfigurationFile::packWritesTheWorkedExample()
{
    File file;
    file.setProductId("abc");
    auto* function = new KelFunction::Config;
    function->setCanMessagesPerLoop(1);
    file.setDataList({entry(&file, Data::TYPE__KEL_FUNCTION, function)});
    QSignalSpy checksumChanged(&file, &File::checksumChanged);
    QCOMPARE(file.pack(), workedExample);
    QCOMPARE(file.checksum(), 0x889Eu);
    QCOMPARE(checksumChanged.count(), 1);
    file.pack();
    QCOMPARE(checksumChanged.count(), 1);
}

void TstConfigurationFile::checksum_data()
{
    QTest::addColumn<QString>("productId");
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QByteArrayList>("payloads");
    QTest::addColumn<uint>("expected");

    QTest::newRow("empty list") << "abc" << QList<int>() << QByteArrayList() << 0xF47Eu;
    QTest::newRow("worked example") << "abc" << QList<int>{9} << QByteArrayList{QByteArray::fromHex("0801")} << 0x889Eu;
    // "1" + "23456789" is the standard check input of CRC-16/X-25.
    QTest::newRow("check value") << "23456789" << QList<int>() << QByteArrayList() << 0x906Eu;
    // The type contributes its decimal digits: "254" followed by "x" is "1" "254x".
    QTest::newRow("type as decimal digits") << "" << QList<int>{254} << QByteArrayList{"x"}
                                            << uint(qChecksum("1254x", 5, Qt::ChecksumIso3309));
}

void TstConfigurationFile::checksum()
{
    QFETCH(QString, productId);
    QFETCH(QList<int>, types);
    QFETCH(QByteArrayList, payloads);
    QFETCH(uint, expected);

    Kel::Pb::Configuration::File record;
    record.set_productid(productId.toStdString());
    for (int i = 0; i < types.size(); ++i) {
        auto* data = record.add_data();
        data->set_type(static_cast<Kel::Pb::Configuration::TYPE>(types.at(i)));
        data->set_data(payloads.at(i).toStdString());
    }
    QCOMPARE(uint(File::computeChecksum(record)), expected);
}

void TstConfigurationFile::loadError_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");

    auto variant = [](auto change) {
        Kel::Pb::Configuration::File record = exampleRecord();
        change(record);
        return encodeFile(record);
    };
    QTest::newRow("worked example") << workedExample << 0;
    QTest::newRow("version 0") << variant([](auto& r) { r.set_version(0); }) << 1;
    QTest::newRow("version 2") << variant([](auto& r) { r.set_version(2); }) << 2;
    QTest::newRow("checksum off by one") << variant([](auto& r) { r.set_checksum(r.checksum() + 1); }) << 3;
    QTest::newRow("checksum above 16 bits") << variant([](auto& r) { r.set_checksum(r.checksum() + 0x10000); }) << 3;
    QTest::newRow("entry tampered") << variant([](auto& r) { r.mutable_data(0)->set_data("\x08\x02"); }) << 3;
    QTest::newRow("no checksum") << variant([](auto& r) { r.clear_checksum(); }) << 4;
    QTest::newRow("no version") << variant([](auto& r) { r.clear_version(); }) << 4;
    QTest::newRow("entry without data") << variant([](auto& r) { r.mutable_data(0)->clear_data(); }) << 4;
    QTest::newRow("undefined entry type") << QByteArray::fromHex("080112036162631a040803120020") << 4;
    QTest::newRow("truncated") << workedExample.left(workedExample.size() - 1) << 4;
    QTest::newRow("empty") << QByteArray() << 4;
    QTest::newRow("garbage") << QByteArray("\xff\xff\xff\xff", 4) << 4;
}

void TstConfigurationFile::loadError()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);

    File file;
    if (error == 4)
        QTest::ignoreMessage(QtWarningMsg, "Failed to parse incoming Configuration::File data.");
    QCOMPARE(file.load(bytes), error == 0);
    QCOMPARE(int(file.loadError()), error);
    QCOMPARE(file.dataList().size(), error == 0 ? 1 : 0);
}

void TstConfigurationFile::failedParseKeepsPreviousState()
{
    File file;
    QVERIFY(file.load(workedExample));
    QPointer<Data> first = file.dataList().value(0);
    QSignalSpy listChanged(&file, &File::dataListChanged);
    QTest::ignoreMessage(QtWarningMsg, "Failed to parse incoming Configuration::File data.");
    QVERIFY(!file.load(workedExample.left(10)));
    QCOMPARE(file.loadError(), File::LOAD_ERROR__PARSE);
    QCOMPARE(listChanged.count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first);
    QCOMPARE(file.dataList(), QList<Data*>{first});
    QCOMPARE(file.productId(), QString("abc"));

    // Records handed over as messages are checked the same way.
    QTest::ignoreMessage(QtWarningMsg, "Could not cast incoming message to Configuration::File.");
    QVERIFY(!file.load(static_cast<google::protobuf::Message*>(nullptr)));
    QCOMPARE(file.loadError(), File::LOAD_ERROR__PARSE);
    Kel::Pb::Configuration::File withoutVersion = exampleRecord();
    withoutVersion.clear_version();
    QVERIFY(!file.load(static_cast<google::protobuf::Message*>(&withoutVersion)));
    QCOMPARE(file.loadError(), File::LOAD_ERROR__VERSION_OBSOLETE);
    Kel::Pb::Configuration::File withoutChecksum = exampleRecord();
    withoutChecksum.clear_checksum();
    QVERIFY(!file.load(withoutChecksum));
    QCOMPARE(file.loadError(), File::LOAD_ERROR__CHECKSUM);
}

void TstConfigurationFile::rejectedFileShowsItsValuesAndEmptyList()
{
    Kel::Pb::Configuration::File record = exampleRecord();
    record.set_version(7);
    record.set_productid("other");
    File file;
    QVERIFY(file.load(workedExample));
    QPointer<Data> old = file.dataList().value(0);
    QSignalSpy version(&file, &File::versionChanged);
    QSignalSpy productId(&file, &File::productIdChanged);
    QSignalSpy checksum(&file, &File::checksumChanged);
    QVERIFY(!file.load(encodeFile(record)));
    QCOMPARE(file.loadError(), File::LOAD_ERROR__VERSION_MISMATCH);
    QCOMPARE(file.version(), 7u);
    QCOMPARE(file.productId(), QString("other"));
    QCOMPARE(file.checksum(), 0x889Eu);
    QVERIFY(file.dataList().isEmpty());
    // Every value is announced, changed or not.
    QCOMPARE(version.count(), 1);
    QCOMPARE(productId.count(), 1);
    QCOMPARE(checksum.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
}

void TstConfigurationFile::loadCreatesOneWrapperPerEntry()
{
    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("0123456789ab");
    const QList<int> types{6, 9, 254, 6};
    for (int type : types) {
        auto* data = record.add_data();
        data->set_type(static_cast<Kel::Pb::Configuration::TYPE>(type));
        data->set_data(std::string());
    }
    record.set_checksum(File::computeChecksum(record));

    // Empty records carry no type of their own.
    File file;
    for (const char* area : {"Interface", "Product", "Interface"})
        QTest::ignoreMessage(QtWarningMsg,
                             QByteArray("Cannot create an ") + area + "::Config object without a type or object.");
    QVERIFY(file.load(encodeFile(record)));
    const QList<Data*> list = file.dataList();
    QCOMPARE(list.size(), types.size());
    QVERIFY(qobject_cast<Interface::Config*>(list.at(0)->object()));
    QVERIFY(qobject_cast<KelFunction::Config*>(list.at(1)->object()));
    QVERIFY(qobject_cast<Product::Config*>(list.at(2)->object()));
    QVERIFY(qobject_cast<Interface::Config*>(list.at(3)->object()));
    for (Data* data : list) {
        QCOMPARE(data->parent(), &file);
        QCOMPARE(data->object()->parent(), data);
    }

    File again;
    for (const char* area : {"Interface", "Product", "Interface"})
        QTest::ignoreMessage(QtWarningMsg,
                             QByteArray("Cannot create an ") + area + "::Config object without a type or object.");
    QVERIFY(again.load(file.pack()));
    QCOMPARE(again.dataList().size(), types.size());
    QCOMPARE(again.dataList().at(2)->type(), Data::TYPE__PRODUCT);
}

void TstConfigurationFile::entryTypeSelectsObject_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("objectClass");

    Kel::Pb::Network::Config network;
    network.set_type(Kel::Pb::Network::TYPE__CAN);
    network.set_data(std::string());
    Kel::Pb::Interface::Config interface;
    interface.set_type(Kel::Pb::Interface::TYPE__NETWORK);
    interface.set_data(network.SerializeAsString());
    Kel::Pb::Remote::Config remote;
    remote.set_type(Kel::Pb::Remote::TYPE__SOCKET);
    remote.set_data(std::string());
    Kel::Pb::Server::Config server;
    server.set_type(Kel::Pb::Server::TYPE__SPP);
    server.set_data(std::string());
    Kel::Pb::KelFunction::Config function;
    function.set_canmessagesperloop(4);
    Kel::Pb::Product::Config product;
    product.set_type(Kel::Pb::Product::TYPE__MORVANE_TARN210);
    product.set_data(std::string());
    const auto bytes = [](const google::protobuf::Message& record) {
        return QByteArray::fromStdString(record.SerializeAsString());
    };

    QTest::newRow("interface") << 6 << bytes(interface) << QByteArray("QKel::Pb::Interface::Config");
    QTest::newRow("remote") << 7 << bytes(remote) << QByteArray("QKel::Pb::Remote::Config");
    QTest::newRow("server") << 8 << bytes(server) << QByteArray("QKel::Pb::Server::Config");
    QTest::newRow("function") << 9 << bytes(function) << QByteArray("QKel::Pb::KelFunction::Config");
    QTest::newRow("product") << 254 << bytes(product) << QByteArray("QKel::Pb::Product::Config");
    for (int type : {0, 1, 2, 4, 5, 10, 255})
        QTest::addRow("unsupported %d", type) << type << QByteArray("\x08\x01", 2) << QByteArray();
}

// Each entry type creates its wrapper under the entry; types without one keep
// their bytes through a load and a save.
void TstConfigurationFile::entryTypeSelectsObject()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, objectClass);

    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("abc");
    auto* entry = record.add_data();
    entry->set_type(static_cast<Kel::Pb::Configuration::TYPE>(type));
    entry->set_data(data.toStdString());
    record.set_checksum(File::computeChecksum(record));
    const QByteArray bytes = encodeFile(record);

    File file;
    if (objectClass.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QByteArray("Encountered unsupported Data::TYPE ") + QByteArray::number(type));
    QVERIFY(file.load(bytes));
    QCOMPARE(file.dataList().size(), 1);
    const AbstractMessage* object = file.dataList().at(0)->object();
    QCOMPARE(object ? QByteArray(object->metaObject()->className()) : QByteArray(), objectClass);
    if (object)
        QCOMPARE(object->parent(), file.dataList().at(0));
    QCOMPARE(int(file.dataList().at(0)->type()), type);
    QCOMPARE(file.pack(), bytes);
}

void TstConfigurationFile::unknownEntrySurvivesLoadAndPack()
{
    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("abc");
    auto* data = record.add_data();
    data->set_type(Kel::Pb::Configuration::TYPE__VISUAL_CONFIGURATION);
    data->set_data("\x01\x02\x03", 3);
    record.set_checksum(File::computeChecksum(record));
    const QByteArray bytes = encodeFile(record);

    File file;
    QTest::ignoreMessage(QtWarningMsg, "Encountered unsupported Data::TYPE 1");
    QVERIFY(file.load(bytes));
    QCOMPARE(file.dataList().size(), 1);
    QVERIFY(!file.dataList().at(0)->object());
    QCOMPARE(file.pack(), bytes);
}

void TstConfigurationFile::incompleteRecordsPackWithoutAborting_data()
{
    QTest::addColumn<bool>("withProductId");
    QTest::addColumn<bool>("withType");
    QTest::addColumn<bool>("withData");

    QTest::newRow("no product ID") << false << true << true;
    QTest::newRow("entry without type") << true << false << true;
    QTest::newRow("entry without data") << true << true << false;
    QTest::newRow("nothing set") << false << false << false;
}

void TstConfigurationFile::incompleteRecordsPackWithoutAborting()
{
    QFETCH(bool, withProductId);
    QFETCH(bool, withType);
    QFETCH(bool, withData);

    File file;
    if (withProductId)
        file.setProductId("abc");
    auto* data = new Data(&file);
    if (withType)
        data->setType(Data::TYPE__CUSTOM);
    if (withData)
        data->setData("payload");
    file.setDataList({data});
    const QByteArray bytes = file.pack();

    File reloaded;
    if (!withType || !withData)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Encountered unsupported Data::TYPE (0|255)"));
    else
        QTest::ignoreMessage(QtWarningMsg, "Encountered unsupported Data::TYPE 255");
    QVERIFY(reloaded.load(bytes));
    QCOMPARE(reloaded.productId(), withProductId ? QString("abc") : QString());
    QCOMPARE(reloaded.dataList().at(0)->type(), withType ? Data::TYPE__CUSTOM : Data::TYPE__NONE);
    QCOMPARE(reloaded.dataList().at(0)->data(), withData ? QByteArray("payload") : QByteArray());
}

void TstConfigurationFile::packAlwaysWritesVersionOne()
{
    File file;
    file.setProductId("abc");
    file.setVersion(5);
    QSignalSpy version(&file, &File::versionChanged);
    File reloaded;
    QVERIFY(reloaded.load(file.pack()));
    QCOMPARE(reloaded.version(), 1u);
    QCOMPARE(file.version(), 1u);
    QCOMPARE(version.count(), 1);
}

void TstConfigurationFile::leafEditReachesTheRoot()
{
    // File > Data > Interface > Network > Wlan > Authentication > EnterpriseAuthentication
    Kel::Pb::Wlan::Config wlan;
    wlan.mutable_authentication()->mutable_enterpriseauthentication()->set_username("user");
    Kel::Pb::Network::Config network;
    network.set_type(Kel::Pb::Network::TYPE__WLAN);
    network.set_data(wlan.SerializeAsString());
    Kel::Pb::Interface::Config interface;
    interface.set_type(Kel::Pb::Interface::TYPE__NETWORK);
    interface.set_data(network.SerializeAsString());
    Kel::Pb::Product::Morvane::Tarn210::Config tarn;
    tarn.mutable_safetyfunction()->set_testvalue(1);
    Kel::Pb::Product::Config product;
    product.set_type(Kel::Pb::Product::TYPE__MORVANE_TARN210);
    product.set_data(tarn.SerializeAsString());
    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("abc");
    for (const auto& [type, bytes] : {std::pair{Kel::Pb::Configuration::TYPE__INTERFACE, interface.SerializeAsString()},
                                      std::pair{Kel::Pb::Configuration::TYPE__PRODUCT, product.SerializeAsString()}}) {
        auto* data = record.add_data();
        data->set_type(type);
        data->set_data(bytes);
    }
    record.set_checksum(File::computeChecksum(record));

    File file;
    QVERIFY(file.load(encodeFile(record)));
    auto* wlanConfig = qobject_cast<Wlan::Config*>(
        qobject_cast<Network::Config*>(qobject_cast<Interface::Config*>(file.dataList().at(0)->object())->object())
            ->object());
    QVERIFY(wlanConfig);
    auto* tarnConfig = qobject_cast<Product::Morvane::Tarn210::Config*>(
        qobject_cast<Product::Config*>(file.dataList().at(1)->object())->object());
    QVERIFY(tarnConfig && tarnConfig->safetyFunction() && !tarnConfig->parentConfig());

    QSignalSpy root(&file, &AbstractMessage::dataChanged);
    wlanConfig->authentication()->enterpriseAuthentication()->setUserName("other");
    QCOMPARE(root.count(), 1);
    wlanConfig->setSsid("net");
    QCOMPARE(root.count(), 2);
    tarnConfig->safetyFunction()->setTestValue(-1);
    QCOMPARE(root.count(), 3);
    tarnConfig->safetyFunction()->setTestValue(-1);
    QCOMPARE(root.count(), 3);

    // The edits travel back into the bytes: a negative test value is a ten-byte varint.
    File reloaded;
    QVERIFY(reloaded.load(file.pack()));
    auto* reloadedTarn = qobject_cast<Product::Morvane::Tarn210::Config*>(
        qobject_cast<Product::Config*>(reloaded.dataList().at(1)->object())->object());
    QCOMPARE(reloadedTarn->safetyFunction()->testValue(), -1);
    QCOMPARE(reloadedTarn->safetyFunction()->pack(), QByteArray::fromHex("40ffffffffffffffffff01"));
}

void TstConfigurationFile::replacedListIsDeletedLater()
{
    File file;
    QPointer<Data> kept = new Data(&file);
    QPointer<Data> dropped = new Data(&file);
    file.setDataList({kept, dropped});
    QSignalSpy listChanged(&file, &File::dataListChanged);
    file.setDataList({kept});
    file.setDataList({kept});
    QCOMPARE(listChanged.count(), 2);
    QVERIFY(dropped);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dropped);
    QVERIFY(kept);
    QSignalSpy root(&file, &AbstractMessage::dataChanged);
    kept->setData("x");
    QCOMPARE(root.count(), 1);
}

void TstConfigurationFile::protocDecodesPackedFile()
{
    const QString protoc = QStandardPaths::findExecutable("protoc");
    if (protoc.isEmpty())
        QSKIP("protoc is not installed");
    File file;
    file.setProductId("0123456789ab");
    auto* function = new KelFunction::Config;
    function->setServerMessagesPerLoop(300);
    file.setDataList({entry(&file, Data::TYPE__KEL_FUNCTION, function)});
    const QByteArray bytes = file.pack();

    QProcess process;
    process.start(protoc, {"--decode=Kel.Pb.Configuration.File", "-I", TARN_PROTO_DIR, "configuration.proto"});
    QVERIFY(process.waitForStarted());
    process.write(bytes);
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains("version: 1"), qPrintable(text));
    QVERIFY2(text.contains("productId: \"0123456789ab\""), qPrintable(text));
    QVERIFY2(text.contains("type: TYPE__KEL_FUNCTION"), qPrintable(text));
    QVERIFY2(text.contains(QString("checksum: %1").arg(file.checksum())), qPrintable(text));
}

QTEST_GUILESS_MAIN(TstConfigurationFile)
#include "tst_configurationfile.moc"

// The TARN210 driver: its default configuration, the wrapper pointers it
// resolves and the signals it gives, restoring from good and bad bytes, and
// copying device information out of what a gateway sent.

#include "device/ferrowWlan7701.h"
#include "frcText.h"
#include "warningCollector.h"

#include <can.h>
#include <canfiltermodel.h>
#include <configuration.h>
#include <configuration.pb.h>
#include <interface.h>
#include <network.h>
#include <product.h>
#include <wlan.h>

#include <QtTest>

using QKel::Device::FerrowWlan7701;
using QKel::Frc::FrcText;
namespace Pb = QKel::Pb;
using DeviceTest::warnings;

namespace {

QString readText(const QString& name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The text form of configuration bytes, without the checksum line.
QString textOf(const QByteArray& bytes)
{
    Kel::Pb::Configuration::File record;
    if (!record.ParseFromArray(bytes.constData(), bytes.size()))
        return QStringLiteral("<does not parse>");
    record.clear_checksum();
    return FrcText::toText(record);
}

// Configuration file bytes with a correct checksum from the text form: the
// entries are loaded into the configuration library's own file object, which
// packs them.
QByteArray fileBytes(const QString& text)
{
    Kel::Pb::Configuration::File record;
    QString error;
    if (!FrcText::fromText(text, &record, &error))
        qFatal("bad fixture text: %s", qPrintable(error));
    Pb::Configuration::File file(nullptr);
    QList<Pb::Configuration::Data*> entries;
    for (const auto& entry : record.data()) {
        auto* data = new Pb::Configuration::Data(&file);
        data->load(entry);
        entries.append(data);
    }
    file.setProductId(QString::fromStdString(record.productid()));
    file.setDataList(entries);
    return file.pack();
}

QString entryText(int type, const QString& body)
{
    return QStringLiteral("data {\n  type: %1\n  data {\n%2  }\n}\n").arg(type).arg(body);
}

const QString WLAN = QStringLiteral("    type: TYPE__NETWORK\n    data {\n      type: TYPE__WLAN\n      data {\n      }\n    }\n");

QList<QObject*> pointersOf(const FerrowWlan7701& device)
{
    return {device.canConfig(), device.canFilterModel(), device.wlanInterface(), device.bluetoothInterface(),
            device.socketRemote(), device.socketServer(), device.sppRemote(), device.sppServer(),
            device.kelConfig(), device.productConfig(), device.deviceInfo()};
}

// Records the names of the device's signals in the order they come.
class SignalLog
{
public:
    explicit SignalLog(FerrowWlan7701* device)
    {
        record(device, &FerrowWlan7701::canConfigChanged, "canConfig");
        record(device, &FerrowWlan7701::canFilterModelChanged, "canFilterModel");
        record(device, &FerrowWlan7701::wlanInterfaceChanged, "wlanInterface");
        record(device, &FerrowWlan7701::bluetoothInterfaceChanged, "bluetoothInterface");
        record(device, &FerrowWlan7701::socketRemoteChanged, "socketRemote");
        record(device, &FerrowWlan7701::socketServerChanged, "socketServer");
        record(device, &FerrowWlan7701::sppRemoteChanged, "sppRemote");
        record(device, &FerrowWlan7701::sppServerChanged, "sppServer");
        record(device, &FerrowWlan7701::kelConfigChanged, "kelConfig");
        record(device, &FerrowWlan7701::productConfigChanged, "productConfig");
        record(device, &FerrowWlan7701::deviceInfoChanged, "deviceInfo");
        record(device, &FerrowWlan7701::configurationFileChanged, "configurationFile");
        QObject::connect(device, &FerrowWlan7701::loadError, device,
                         [this](Pb::Configuration::File::LOAD_ERROR error) { names << QStringLiteral("loadError %1").arg(error); });
        QObject::connect(device, &FerrowWlan7701::saveNeeded, device, [this] { names << "saveNeeded"; });
    }

    // The log with runs of saveNeeded folded into one.
    QStringList folded() const
    {
        QStringList out;
        for (const QString& name : names) {
            if (!(name == "saveNeeded" && !out.isEmpty() && out.last() == name))
                out << name;
        }
        return out;
    }

    QStringList names;
    QList<QObject*> arguments;

private:
    template <typename Signal>
    void record(FerrowWlan7701* device, Signal signal, const char* name)
    {
        QObject::connect(device, signal, device, [this, name](auto* pointer) {
            names << name;
            arguments << pointer;
        });
    }
};

const QStringList REFRESH_SIGNALS{"canConfig", "canFilterModel", "wlanInterface", "bluetoothInterface",
                                  "socketRemote", "socketServer", "sppRemote", "sppServer",
                                  "kelConfig", "productConfig", "deviceInfo"};

} // namespace

class TestFerrowWlan7701 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void constants();
    void defaultConfiguration();
    void pointersOfANewDevice_data();
    void pointersOfANewDevice();
    void editsRaiseSaveNeeded();
    void restoreRoundTrip();
    void restoreFailure_data();
    void restoreFailure();
    void refresh_data();
    void refresh();
    void parseDeviceInfo_data();
    void parseDeviceInfo();
};

void TestFerrowWlan7701::init()
{
    DeviceTest::startCollectingWarnings();
}

void TestFerrowWlan7701::cleanup()
{
    DeviceTest::stopCollectingWarnings();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFerrowWlan7701::constants()
{
    FerrowWlan7701 device;
    QCOMPARE(device.name(), QStringLiteral("TARN210"));
    QCOMPARE(device.productIds(), QStringList({"012001017701", "012001017702"}));
    QCOMPARE(device.primaryProductId(), QStringLiteral("012001017701"));
    QCOMPARE(device.qmlPath(), QStringLiteral("qrc:///ferrowWlan7701/qml/device/ferrowWlan7701.qml"));

    const auto copy = device.createNewInstance();
    QVERIFY(copy);
    QVERIFY(copy.data() != &device);
    QVERIFY(!copy->parent());
    QCOMPARE(copy->serializeToByteArray(), device.serializeToByteArray());
    QVERIFY(warnings.isEmpty());
}

void TestFerrowWlan7701::defaultConfiguration()
{
    FerrowWlan7701 device;
    const QByteArray bytes = device.serializeToByteArray();
    QCOMPARE(textOf(bytes), readText("tarn210-default.txt"));

    Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(bytes));
    QCOMPARE(file.loadError(), Pb::Configuration::File::LOAD_ERROR__NONE);
    QCOMPARE(file.dataList().size(), 9);
}

void TestFerrowWlan7701::pointersOfANewDevice_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("depth");

    // depth: how many "object" steps below the configuration entry
    QTest::newRow("canConfig") << "canConfig" << 0 << 3;
    QTest::newRow("wlanInterface") << "wlanInterface" << 1 << 1;
    QTest::newRow("bluetoothInterface") << "bluetoothInterface" << 2 << 1;
    QTest::newRow("productConfig") << "productConfig" << 3 << 1;
    QTest::newRow("socketServer") << "socketServer" << 4 << 1;
    QTest::newRow("socketRemote") << "socketRemote" << 5 << 1;
    QTest::newRow("sppServer") << "sppServer" << 6 << 1;
    QTest::newRow("sppRemote") << "sppRemote" << 7 << 1;
    QTest::newRow("kelConfig") << "kelConfig" << 8 << 1;
}

void TestFerrowWlan7701::pointersOfANewDevice()
{
    QFETCH(QString, property);
    QFETCH(int, entry);
    QFETCH(int, depth);

    FerrowWlan7701 device;
    auto* file = qobject_cast<Pb::Configuration::File*>(device.configurationFile());
    QVERIFY(file);
    QObject* expected = file->dataList().value(entry);
    for (int step = 0; step < depth && expected; ++step)
        expected = expected->property("object").value<Pb::AbstractMessage*>();
    QVERIFY(expected);
    QCOMPARE(device.property(qPrintable(property)).value<Pb::AbstractMessage*>(), expected);
}

void TestFerrowWlan7701::editsRaiseSaveNeeded()
{
    FerrowWlan7701 device;
    auto* network = qobject_cast<Pb::Network::Config*>(
        qobject_cast<Pb::Interface::Config*>(device.wlanInterface())->object());
    QVERIFY(network);
    auto* wlan = qobject_cast<Pb::Wlan::Config*>(network->object());
    QVERIFY(wlan);
    QSignalSpy saveNeeded(&device, &FerrowWlan7701::saveNeeded);
    wlan->setSsid(QStringLiteral("edited"));
    QVERIFY(saveNeeded.count() >= 1);
    // Packing stamps a new checksum for the edit, which is no edit of its own.
    saveNeeded.clear();
    device.serializeToByteArray();
    QCOMPARE(saveNeeded.count(), 0);

    auto* model = qobject_cast<QAbstractItemModel*>(device.canFilterModel());
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 8);
    QCOMPARE(device.deviceInfo(), qobject_cast<Pb::Product::Config*>(device.productConfig())->deviceInfo());
}

void TestFerrowWlan7701::restoreRoundTrip()
{
    FerrowWlan7701 source;
    auto* can = qobject_cast<Pb::Can::Config*>(source.canConfig());
    can->filterList().at(5)->setEnabled(true);
    can->filterList().at(5)->setId(0x123);
    source.deviceInfo()->setSerialNumber(4711);
    const QByteArray bytes = source.serializeToByteArray();

    FerrowWlan7701 target;
    QPointer<QObject> oldModel = target.canFilterModel();
    SignalLog log(&target);
    target.restoreFromByteArray(bytes);

    QCOMPARE(target.serializeToByteArray(), bytes);
    QCOMPARE(log.folded(), QStringList{"configurationFile"} + REFRESH_SIGNALS + QStringList{"saveNeeded"});
    QCOMPARE(log.arguments, QList<QObject*>{target.configurationFile()} + pointersOf(target));
    QCOMPARE(target.deviceInfo()->serialNumber(), 4711u);
    QVERIFY(oldModel);
    QVERIFY(oldModel != target.canFilterModel());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!oldModel);
}

void TestFerrowWlan7701::restoreFailure_data()
{
    QTest::addColumn<QString>("mutation");
    QTest::addColumn<int>("loadError");
    QTest::addColumn<bool>("sameWrappers");

    // Refused bytes never reach the tree, whether they parse or not: the
    // wrappers before stay.
    QTest::newRow("checksum off by one") << "checksum" << 3 << true;
    QTest::newRow("another product ID under the old checksum") << "product" << 3 << true;
    QTest::newRow("version 2") << "version" << 2 << true;
    QTest::newRow("version 0") << "version0" << 1 << true;
    QTest::newRow("truncated bytes") << "truncate" << 4 << true;
    QTest::newRow("not a configuration file") << "garbage" << 4 << true;
}

void TestFerrowWlan7701::restoreFailure()
{
    QFETCH(QString, mutation);
    QFETCH(int, loadError);
    QFETCH(bool, sameWrappers);

    FerrowWlan7701 device;
    const QByteArray good = device.serializeToByteArray();
    Kel::Pb::Configuration::File record;
    QVERIFY(record.ParseFromArray(good.constData(), good.size()));
    QByteArray bad;
    if (mutation == "checksum")
        record.set_checksum(record.checksum() + 1);
    else if (mutation == "product")
        record.set_productid("abc");
    else if (mutation.startsWith("version"))
        record.set_version(mutation == "version" ? 2 : 0);
    bad = mutation == "truncate"  ? good.left(good.size() - 1)
        : mutation == "garbage" ? QByteArray("\xff\xff\xff", 3)
                                : QByteArray::fromStdString(record.SerializeAsString());

    const QList<QObject*> before = pointersOf(device);
    QPointer<QObject> oldModel = device.canFilterModel();
    SignalLog log(&device);
    device.restoreFromByteArray(bad);

    const QStringList expected = QStringList{QStringLiteral("loadError %1").arg(loadError)} + REFRESH_SIGNALS
                               + QStringList{"saveNeeded"};
    QStringList folded = log.folded();
    if (folded.value(0) == "saveNeeded")
        folded.removeFirst();
    QCOMPARE(folded, expected);
    QCOMPARE(log.arguments, pointersOf(device));

    QCOMPARE(device.serializeToByteArray(), good);
    QList<QObject*> after = pointersOf(device);
    for (QObject* pointer : after)
        QVERIFY(pointer);
    QVERIFY(after[1] != before[1]);
    after[1] = before[1];
    QCOMPARE(after == before, sameWrappers);
    QVERIFY(oldModel);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!oldModel);
}

void TestFerrowWlan7701::refresh_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QStringList>("expectedWarnings");
    QTest::addColumn<QStringList>("nullPointers");

    const QString header = QStringLiteral("version: 1\nproductId: \"012001017701\"\n");
    const QStringList allButWlan{"canConfig", "canFilterModel", "bluetoothInterface", "socketRemote", "socketServer",
                                 "sppRemote", "sppServer", "kelConfig", "productConfig", "deviceInfo"};

    QTest::newRow("only a WLAN interface: no warning for what is absent")
        << header + entryText(6, WLAN) << QStringList() << allButWlan;
    QTest::newRow("product with another specific configuration")
        << header + entryText(6, WLAN)
               + entryText(254, "    type: TYPE__FERROW_WIRELESS_77XX\n    data {\n      requestDynamicInfo: true\n    }\n    deviceInfo {\n    }\n")
        << QStringList{"Encountered unsupported specific Product::Config (specific) in the configuration file; ignoring."}
        << allButWlan;
    QTest::newRow("visual configuration entry")
        << header + "data {\n  type: TYPE__VISUAL_CONFIGURATION\n  data: \"\\001\"\n}\n" + entryText(6, WLAN)
        << QStringList{"Encountered unsupported Data::TYPE 1",
                       "Encountered unsupported Configuration::Data type in the configuration file: 1"}
        << allButWlan;
    QTest::newRow("ethernet network")
        << header + entryText(6, "    type: TYPE__NETWORK\n    data {\n      type: TYPE__ETHERNET\n      data: \"\"\n    }\n")
               + entryText(6, WLAN)
        << QStringList{"Encountered unsupported Network::Config::TYPE 2",
                       "Encountered unsupported Network::Config type in the configuration file: 2"}
        << allButWlan;
    QTest::newRow("interface of type none")
        << header + entryText(6, "    type: TYPE__NONE\n    data: \"\"\n") + entryText(6, WLAN)
        << QStringList{"Encountered unsupported Interface::Config::TYPE 0",
                       "Encountered unsupported Interface::Config type in the configuration file: 0"}
        << allButWlan;
    QTest::newRow("remote and server of type none")
        << header + entryText(7, "    type: TYPE__NONE\n    data: \"\"\n") + entryText(8, "    type: TYPE__NONE\n    data: \"\"\n")
               + entryText(6, WLAN)
        << QStringList{"Encountered unsupported Remote::Config::TYPE 0", "Encountered unsupported Server::Config::TYPE 0",
                       "Encountered unsupported Remote::Config type in the configuration file: 0",
                       "Encountered unsupported Server::Config type in the configuration file: 0"}
        << allButWlan;
    QTest::newRow("socket remote without its endpoint")
        << header + entryText(7, "    type: TYPE__SOCKET\n") + entryText(6, WLAN)
        << QStringList{"Cannot create an Remote::Config object without a type or object.",
                       "Encountered NULL Socket::Remote in the configuration file."}
        << allButWlan;
    QTest::newRow("CAN network without its settings")
        << header + entryText(6, "    type: TYPE__NETWORK\n    data {\n      type: TYPE__CAN\n    }\n") + entryText(6, WLAN)
        << QStringList{"Cannot create an Network::Config object without a type or object.",
                       "Encountered NULL Can::Config in the configuration file."}
        << allButWlan;
}

void TestFerrowWlan7701::refresh()
{
    QFETCH(QString, entries);
    QFETCH(QStringList, expectedWarnings);
    QFETCH(QStringList, nullPointers);

    const QByteArray bytes = fileBytes(entries);
    FerrowWlan7701 device;
    warnings.clear();
    device.restoreFromByteArray(bytes);

    QCOMPARE(warnings, expectedWarnings);
    for (const QString& name : nullPointers)
        QVERIFY2(!device.property(qPrintable(name)).value<QObject*>(), qPrintable(name));
    QVERIFY(device.wlanInterface());
    // Entries that fit nothing stay in the configuration as they came.
    QCOMPARE(textOf(device.serializeToByteArray()), textOf(bytes));
}

void TestFerrowWlan7701::parseDeviceInfo_data()
{
    QTest::addColumn<bool>("wlanInfo");
    QTest::addColumn<bool>("bluetoothInfo");
    QTest::addColumn<bool>("productInfo");
    QTest::addColumn<QStringList>("expectedWarnings");

    QTest::newRow("product, WLAN and Bluetooth") << true << true << true << QStringList();
    QTest::newRow("networks without device information") << false << false << true << QStringList();
    QTest::newRow("product without device information")
        << true << false << false
        << QStringList{"Could not find own device information structure; cannot save device information from configuration data."};
}

void TestFerrowWlan7701::parseDeviceInfo()
{
    QFETCH(bool, wlanInfo);
    QFETCH(bool, bluetoothInfo);
    QFETCH(bool, productInfo);
    QFETCH(QStringList, expectedWarnings);

    // What the gateway reports: device information, and settings of its own.
    FerrowWlan7701 gateway;
    auto networkOf = [](QObject* interface) {
        return qobject_cast<Pb::Network::Config*>(qobject_cast<Pb::Interface::Config*>(interface)->object());
    };
    auto fillNetworkInfo = [&](QObject* interface, uint number, const QString& mac) {
        auto* info = new Pb::Network::DeviceInfo(networkOf(interface));
        info->setNumber(number);
        info->setMac(mac);
        info->setModuleVersion(QStringLiteral("v%1").arg(number));
        info->setModuleInfo(QStringLiteral("module %1").arg(number));
        networkOf(interface)->setDeviceInfo(info);
    };
    if (wlanInfo)
        fillNetworkInfo(gateway.wlanInterface(), 1, QStringLiteral("00:11:22:33:44:55"));
    if (bluetoothInfo)
        fillNetworkInfo(gateway.bluetoothInterface(), 2, QStringLiteral("66:77:88:99:aa:bb"));
    auto* product = qobject_cast<Pb::Product::Config*>(gateway.productConfig());
    if (productInfo) {
        product->deviceInfo()->setName(QStringLiteral("TARN210"));
        product->deviceInfo()->setVendorId(0x1201);
        product->deviceInfo()->setSerialNumber(123456);
        product->deviceInfo()->setUnixTimeOfManufacture(1457341501);
    } else {
        product->setDeviceInfo(nullptr);
    }
    qobject_cast<Pb::Interface::Config*>(gateway.wlanInterface())->setEnabled(true);
    networkOf(gateway.bluetoothInterface())->setName(QStringLiteral("changed"));
    const QByteArray answer = gateway.serializeToByteArray();

    // What the device should look like afterwards: its own settings, the
    // gateway's device information.
    FerrowWlan7701 expected;
    if (wlanInfo)
        fillNetworkInfo(expected.wlanInterface(), 1, QStringLiteral("00:11:22:33:44:55"));
    if (bluetoothInfo)
        fillNetworkInfo(expected.bluetoothInterface(), 2, QStringLiteral("66:77:88:99:aa:bb"));
    if (productInfo)
        expected.deviceInfo()->load(product->deviceInfo()->pack());

    FerrowWlan7701 device;
    warnings.clear();
    device.parseDeviceInfoFromConfigurationData(answer);
    QCOMPARE(warnings, expectedWarnings);
    QCOMPARE(textOf(device.serializeToByteArray()), textOf(expected.serializeToByteArray()));

    // Bytes that do not parse change nothing.
    device.parseDeviceInfoFromConfigurationData(QByteArray("not a configuration"));
    QCOMPARE(textOf(device.serializeToByteArray()), textOf(expected.serializeToByteArray()));
}

QTEST_GUILESS_MAIN(TestFerrowWlan7701)
#include "tst_ferrowWlan7701.moc"

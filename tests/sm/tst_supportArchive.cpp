#include "fileOperationsFixture.h"
#include "fileSizeLimit.h"
#include "signalRecorder.h"
#include "stateMachine.h"
#include "supportArchive.h"
#include "testDevice.h"

#include <commsHandler.h>
#include <deviceFactory.h>
#include <configuration.h>
#include <gatewayConfiguration.h>
#include <leafPaths.h>
#include <product.h>
#include <secretMask.h>

#include <KZip>

#include <QTemporaryDir>
#include <QtTest>

using namespace SmTest;
using TarnTest::FileSizeLimit;
using QKel::Device::AbstractDevice;
using QKel::Sm::StateMachine;
using QKel::Sm::SupportArchive;

namespace {

const QDateTime Noon(QDate(2024, 3, 5), QTime(9, 7, 3));

// The text up to the device part, for an application "Tarn test" 1.2.3.
QByteArray head(const QByteArray& idString)
{
    return "Date and time: 05.03.2024 09:07:03\r\n"
           "\r\n"
           "APPLICATION\r\n-----------\r\n"
           "Name: Tarn test\r\n"
           "Version: 1.2.3\r\n"
           "\r\n"
           "DEVICE\r\n------\r\n"
           "ID string: "
        + idString + "\r\n";
}

// The product lines of the gateway the simulator plays.
const QByteArray SimulatedGatewayInfo = "Serial number: 210042\r\n"
                                        "Product code: 7701\r\n"
                                        "Vendor ID: 120\r\n"
                                        "Product group: 101\r\n"
                                        "UNIX time of manufacture: 2016/03/07 09:05:01 UTC\r\n";

enum class Kind { TestDevice, TestDeviceWithInfo, GatewayDefaults, SimulatedGateway };

QSharedPointer<AbstractDevice> makeDevice(Kind kind)
{
    if (kind == Kind::TestDevice || kind == Kind::TestDeviceWithInfo) {
        auto device = QSharedPointer<TestDevice>::create(QStringList{QStringLiteral("0000000000aa")});
        if (kind == Kind::TestDeviceWithInfo) {
            device->addDeviceInfo();
            device->deviceInfo()->setSerialNumber(1234);
            device->deviceInfo()->setProductCode(0x1A2B);
            device->deviceInfo()->setVendorId(255);
            device->deviceInfo()->setProductGroup(16);
            device->deviceInfo()->setUnixTimeOfManufacture(0);
        }
        return device;
    }
    auto device = QKel::Device::DeviceFactory::instance()->createDevice(GatewayProductId);
    if (device && kind == Kind::SimulatedGateway) {
        QString errorText;
        device->restoreFromByteArray(
            Tarn::Sim::GatewayConfiguration::build(QByteArray::fromHex(GatewayProductId.toLatin1()), &errorText));
    }
    return device;
}

const KArchiveFile* entryOf(const KZip& zip, const QString& name)
{
    return dynamic_cast<const KArchiveFile*>(zip.directory()->entry(name));
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSupportArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void detailsText_data();
    void detailsText();
    void archiveHoldsTwoEntries_data();
    void archiveHoldsTwoEntries();
    void failedArchiveLeavesNoFile_data();
    void failedArchiveLeavesNoFile();

private:
    QScopedPointer<StateMachine> mFacade;
    QScopedPointer<QTemporaryDir> mDir;
};

void TestSupportArchive::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tarn test"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    QKel::Comms::CommsHandler::instance();
    QVERIFY2(makeDevice(Kind::GatewayDefaults), "the TARN210 driver plug-in is not in bin/devices");
}

void TestSupportArchive::init()
{
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
    mFacade.reset(new StateMachine);
    QVERIFY(startFacade(*mFacade));
}

void TestSupportArchive::cleanup()
{
    mFacade.reset();
}

void TestSupportArchive::detailsText_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("idString");
    QTest::addColumn<QByteArray>("deviceLines");

    QTest::newRow("no device information") << Kind::TestDevice << QByteArray()
                                           << QByteArray("Device info: [NONE]\r\n");
    QTest::newRow("product information, no interfaces")
        << Kind::TestDeviceWithInfo << QByteArray("gateway \xc3\xa4")
        << QByteArray("Serial number: 1234\r\n"
                      "Product code: 1a2b\r\n"
                      "Vendor ID: ff\r\n"
                      "Product group: 10\r\n"
                      "UNIX time of manufacture: 1970/01/01 00:00:00 UTC\r\n");
    QTest::newRow("radio modules without information")
        << Kind::GatewayDefaults << QByteArray("TARN210")
        << QByteArray("Serial number: 0\r\n"
                      "Product code: 0\r\n"
                      "Vendor ID: 0\r\n"
                      "Product group: 0\r\n"
                      "UNIX time of manufacture: 1970/01/01 00:00:00 UTC\r\n");
    QTest::newRow("radio modules with information")
        << Kind::SimulatedGateway << QByteArray("TARN210")
        << SimulatedGatewayInfo + "WLAN FW version: 3.1.2\r\n"
                                  "WLAN MAC address: 02:54:41:52:4e:01\r\n"
                                  "Bluetooth MAC address: 02:54:41:52:4e:02\r\n";
}

void TestSupportArchive::detailsText()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, idString);
    QFETCH(QByteArray, deviceLines);
    const auto device = makeDevice(kind);
    QVERIFY(device);

    const QByteArray text = SupportArchive::detailsText(Noon, *device, QString::fromUtf8(idString));

    QCOMPARE(text, head(QString::fromUtf8(idString).toLocal8Bit()) + deviceLines);
}

void TestSupportArchive::archiveHoldsTwoEntries_data()
{
    QTest::addColumn<bool>("includeSecrets");
    QTest::newRow("passwords and PINs masked, as by default") << false;
    QTest::newRow("passwords and PINs included on request") << true;
}

// Read back with KZip and decoded as any reader would: a masked archive holds
// no secret of the configuration, in neither entry, and its configuration
// differs from the editor's in exactly the secret leaves.
void TestSupportArchive::archiveHoldsTwoEntries()
{
    QFETCH(bool, includeSecrets);
    const QString source = mDir->filePath(QStringLiteral("gateway.frc"));
    QVERIFY(writeFile(source, withLeaves(gatewayConfiguration(9), GatewaySecrets)));
    mFacade->doLoadConfiguration(fileUrl(source));
    const auto* device = qobject_cast<AbstractDevice*>(mFacade->currentDevice());
    QVERIFY(device);
    const QByteArray edited = device->serializeToByteArray();
    QStringList secretPaths;
    for (const LeafValue& secret : GatewaySecrets) {
        secretPaths << secret.path;
        QString value;
        QString error;
        Kel::Pb::Configuration::File record;
        QVERIFY(record.ParseFromArray(edited.constData(), edited.size()));
        QVERIFY2(QKel::Frc::LeafPaths::get(record, secret.path, &value, &error) && value.contains(secret.value),
                 qPrintable(secret.path + " " + value + error));
    }
    const QString path = mDir->filePath(QStringLiteral("support.zip"));
    SignalRecorder recorder(mFacade.data());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    if (includeSecrets)
        mFacade->doPackSupportArchive(fileUrl(path), true);
    else
        mFacade->doPackSupportArchive(fileUrl(path));

    QCOMPARE(recorder.formatted(), QStringList{SignalRecorder::format("packSupportArchiveSuccessful", {path})});
    KZip zip(path);
    QVERIFY(zip.open(QIODevice::ReadOnly));
    QStringList names = zip.directory()->entries();
    names.sort();
    QCOMPARE(names, (QStringList{"config.frc", "details.txt"}));
    const KArchiveFile* config = entryOf(zip, QStringLiteral("config.frc"));
    const KArchiveFile* details = entryOf(zip, QStringLiteral("details.txt"));
    QVERIFY(config && details);
    QVERIFY(config->position() < details->position());
    QVERIFY(details->data().contains("\r\nID string: \r\nSerial number: 9\r\n"));
    for (const KArchiveFile* entry : {config, details}) {
        QCOMPARE(entry->permissions(), mode_t(0100644));
        QVERIFY(entry->date() >= before);
        QVERIFY(entry->date() <= QDateTime::currentDateTime().addSecs(1));
    }
    if (includeSecrets) {
        QCOMPARE(config->data(), edited);
        QVERIFY(details->data().endsWith("\r\nPasswords and PINs: included in config.frc\r\n"));
        return;
    }
    const QByteArray archived = config->data();
    Kel::Pb::Configuration::File archivedRecord;
    Kel::Pb::Configuration::File editedRecord;
    QVERIFY(archivedRecord.ParseFromArray(archived.constData(), archived.size()));
    QVERIFY(editedRecord.ParseFromArray(edited.constData(), edited.size()));
    QCOMPARE(QKel::Pb::Configuration::File::check(archivedRecord), QKel::Pb::Configuration::File::LOAD_ERROR__NONE);
    QStringList differing;
    for (const auto& difference : QKel::Frc::LeafPaths::diff(editedRecord, archivedRecord))
        differing << difference.path;
    differing.sort();
    secretPaths.sort();
    QCOMPARE(differing, secretPaths);
    QStringList masked = QKel::Frc::SecretMask::maskedLeaves(archived);
    masked.sort();
    QCOMPARE(masked, secretPaths);
    for (const LeafValue& secret : GatewaySecrets) {
        QVERIFY2(!archived.contains(secret.value.toUtf8()), qPrintable(secret.value));
        QVERIFY2(!details->data().contains(secret.value.toUtf8()), qPrintable(secret.value));
        QVERIFY2(details->data().contains("\r\n  " + secret.path.toUtf8() + "\r\n"), details->data().constData());
    }
    QVERIFY(details->data().contains("\r\n\r\nCONFIGURATION\r\n-------------\r\n"
                                     "Passwords and PINs removed from config.frc:\r\n"));
}

void TestSupportArchive::failedArchiveLeavesNoFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("limitFileSize");
    QTest::addColumn<bool>("withDevice");

    QTest::newRow("no configuration") << QStringLiteral("support.zip") << false << false;
    QTest::newRow("missing directory") << QStringLiteral("missing/support.zip") << false << true;
    QTest::newRow("disk refuses the bytes") << QStringLiteral("support.zip") << true << true;
    QTest::newRow("disk refuses, earlier archive") << QStringLiteral("earlier.zip") << true << true;
}

void TestSupportArchive::failedArchiveLeavesNoFile()
{
    QFETCH(QString, target);
    QFETCH(bool, limitFileSize);
    QFETCH(bool, withDevice);
    if (withDevice) {
        mFacade->doNewConfiguration(GatewayProductId);
    }
    const QByteArray earlier = QByteArrayLiteral("an archive packed before");
    QVERIFY(writeFile(mDir->filePath(QStringLiteral("earlier.zip")), earlier));
    const QString path = mDir->filePath(target);
    SignalRecorder recorder(mFacade.data());

    {
        QScopedPointer<FileSizeLimit> limit(limitFileSize ? new FileSizeLimit(earlier.size()) : nullptr);
        mFacade->doPackSupportArchive(fileUrl(path));
    }

    QCOMPARE(recorder.names(), QStringList{"packSupportArchiveFailed"});
    QCOMPARE(recorder.entries().at(0).arguments.at(0).toString(), path);
    QVERIFY(!recorder.entries().at(0).arguments.at(1).toString().isEmpty());
    QCOMPARE(readFile(mDir->filePath(QStringLiteral("earlier.zip"))), earlier);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"earlier.zip"});
}

QTEST_GUILESS_MAIN(TestSupportArchive)
#include "tst_supportArchive.moc"

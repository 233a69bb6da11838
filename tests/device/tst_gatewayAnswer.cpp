// A session with the gateway simulator over its pseudo-terminal and the
// program's own comms handler: the configuration it answers to "L" gives the
// user's device its device information and nothing else, and the edited
// configuration written back with "S" is what the next "L" brings.

#include "commsHandler.h"
#include "device/ferrowWlan7701.h"
#include "protocol/bootProtocol.h"
#include "serialProvider.h"
#include "support/simulatorProcess.h"

#include <bluetooth.h>
#include <configuration.h>
#include <interface.h>
#include <network.h>
#include <product.h>
#include <wlan.h>

#include <QtTest>

using QKel::Comms::CommsHandler;
using QKel::Device::FerrowWlan7701;
namespace Pb = QKel::Pb;

namespace {

Pb::Network::Config* networkOf(QObject* interfaceEntry)
{
    auto* interface = qobject_cast<Pb::Interface::Config*>(interfaceEntry);
    return interface ? qobject_cast<Pb::Network::Config*>(interface->object()) : nullptr;
}

// What a user changes before reading the gateway's device information.
void editAsUser(FerrowWlan7701& device)
{
    qobject_cast<Pb::Interface::Config*>(device.wlanInterface())->setEnabled(true);
    qobject_cast<Pb::Wlan::Config*>(networkOf(device.wlanInterface())->object())->setSsid("workshop");
    qobject_cast<Pb::Bluetooth::Config*>(networkOf(device.bluetoothInterface())->object())->setPinCode2p0("1234");
}

void setProductId(FerrowWlan7701& device, const QString& productId)
{
    qobject_cast<Pb::Configuration::File*>(device.configurationFile())->setProductId(productId);
}

QString moduleMac(QObject* interfaceEntry)
{
    Pb::Network::Config* network = networkOf(interfaceEntry);
    return network && network->deviceInfo() ? network->deviceInfo()->mac() : QString();
}

} // namespace

class TestGatewayAnswer : public QObject
{
    Q_OBJECT

private slots:
    void session_data();
    void session();

private:
    QByteArray request(CommsHandler& handler, const QByteArray& payload);
};

// Sends one command frame and waits for the one answer frame.
QByteArray TestGatewayAnswer::request(CommsHandler& handler, const QByteArray& payload)
{
    QSignalSpy answers(&handler, &CommsHandler::newData);
    handler.onWriteData(QKel::Comms::Protocol::BootProtocol::frame(payload));
    return answers.wait(10000) ? answers.takeFirst().at(0).toByteArray() : QByteArray();
}

void TestGatewayAnswer::session_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("productId");

    QTest::newRow("default gateway") << QStringList() << "012001017701";
    QTest::newRow("second product ID of the driver") << QStringList{"--product-id", "012001017702"}
                                                     << "012001017702";
    QTest::newRow("product ID without a driver keeps the driver's")
        << QStringList{"--product-id", "0a0b"} << "012001017701";
    QTest::newRow("paced like a 115200 baud line") << QStringList{"--rate", "11520"} << "012001017701";
}

void TestGatewayAnswer::session()
{
    QFETCH(QStringList, options);
    QFETCH(QString, productId);

    QTemporaryDir dir;
    TarnTest::SimulatorProcess simulator(dir.filePath("stored.frc"));
    QString error;
    QVERIFY2(simulator.start(options, &error), qPrintable(error));
    qputenv(QKel::Comms::SerialProvider::ExtraPortsVariable, simulator.portPath().toLocal8Bit());
    // The port chosen before, another row's, would stay chosen though absent.
    QSettings().setValue(QKel::Comms::SerialProvider::PortKey, simulator.portPath());
    CommsHandler handler;

    const QByteArray read = request(handler, "L");
    QCOMPARE(read.left(1), QByteArray("L"));
    const QByteArray answer = read.mid(1);
    Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(answer));
    QCOMPARE(file.productId(), productId);

    FerrowWlan7701 device;
    editAsUser(device);
    device.parseDeviceInfoFromConfigurationData(answer);
    QCOMPARE(device.deviceInfo()->name(), QStringLiteral("TARN210"));
    QVERIFY(device.deviceInfo()->serialNumber() != 0);
    QVERIFY(!moduleMac(device.wlanInterface()).isEmpty());
    QVERIFY(!moduleMac(device.bluetoothInterface()).isEmpty());

    // The gateway's configuration with the same edits: the device
    // information came along, the user's settings stayed.
    FerrowWlan7701 reported;
    reported.restoreFromByteArray(answer);
    editAsUser(reported);
    setProductId(reported, device.primaryProductId());
    const QByteArray edited = device.serializeToByteArray();
    QCOMPARE(edited, reported.serializeToByteArray());

    QCOMPARE(request(handler, 'S' + edited), QByteArray("S"));
    QCOMPARE(request(handler, "L"), 'L' + edited);
}

QTEST_GUILESS_MAIN(TestGatewayAnswer)
#include "tst_gatewayAnswer.moc"

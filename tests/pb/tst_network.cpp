// Interface, network, WLAN and IP wrappers: defaults, authentication rules,
// lists and load orders.
#include "bluetooth.h"
#include "can.h"
#include "interface.h"
#include "ip.h"
#include "network.h"
#include "signalrecorder.h"
#include "utilities.h"
#include "wlan.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace QKel::Pb;
using Mode = Wlan::Authentication::AUTHENTICATION_MODE;

class TstNetwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wlanDefaultsAreReportedNotWritten();
    void authenticationModeSwitchesCredentials_data();
    void authenticationModeSwitchesCredentials();
    void passphraseRemovesEnterpriseChild();
    void enterpriseChildReplacesPassphraseOnPack();
    void repeatedValues_data();
    void repeatedValues();
    void loadOrder_data();
    void loadOrder();
    void networkTypeSelectsObject_data();
    void networkTypeSelectsObject();
    void interfaceCarriesNetworkObject();
};

void TstNetwork::initTestCase()
{
    Utilities::registerMetaTypes();
}

void TstNetwork::wlanDefaultsAreReportedNotWritten()
{
    Wlan::Config config;
    QCOMPARE(config.mode(), Wlan::Config::OPERATING_MODE__INFRASTRUCTURE);
    QCOMPARE(config.outputPowerPercent(), 100u);
    QCOMPARE(config.pack(), QByteArray());
    QSignalSpy mode(&config, &Wlan::Config::modeChanged);
    config.setMode(Wlan::Config::OPERATING_MODE__INFRASTRUCTURE);
    QCOMPARE(mode.count(), 1);
    QCOMPARE(config.pack(), QByteArray::fromHex("0801"));
    config.setOutputPowerPercent(0);
    QCOMPARE(config.outputPowerPercent(), 0u);
}

void TstNetwork::authenticationModeSwitchesCredentials_data()
{
    QTest::addColumn<QString>("passphrase");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("childKept");
    QTest::addColumn<bool>("childAfter");
    QTest::addColumn<QString>("passphraseAfter");

    // from < 0: no mode set before.
    QTest::newRow("none to PEAP") << "secret" << -1 << int(Mode::AUTHENTICATION_MODE__PEAP) << false << true << "secret";
    QTest::newRow("LEAP to PEAP") << "" << int(Mode::AUTHENTICATION_MODE__LEAP) << int(Mode::AUTHENTICATION_MODE__PEAP)
                                  << true << true << "";
    QTest::newRow("PEAP to WPA2") << "" << int(Mode::AUTHENTICATION_MODE__PEAP) << int(Mode::AUTHENTICATION_MODE__WPA2)
                                  << false << false << "";
    QTest::newRow("EAPTLS to NONE with passphrase")
        << "old" << int(Mode::AUTHENTICATION_MODE__EAPTLS) << int(Mode::AUTHENTICATION_MODE__NONE) << false << false << "";
    QTest::newRow("WPA to WPA2") << "kept" << int(Mode::AUTHENTICATION_MODE__WPA) << int(Mode::AUTHENTICATION_MODE__WPA2)
                                 << false << false << "kept";
}

void TstNetwork::authenticationModeSwitchesCredentials()
{
    QFETCH(QString, passphrase);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, childKept);
    QFETCH(bool, childAfter);
    QFETCH(QString, passphraseAfter);

    Wlan::Authentication authentication;
    authentication.setPassphrase(passphrase);
    if (from >= 0)
        authentication.setAuthenticationMode(static_cast<Mode>(from));
    QPointer<Wlan::EnterpriseAuthentication> before = authentication.enterpriseAuthentication();

    QSignalSpy modeChanged(&authentication, &Wlan::Authentication::authenticationModeChanged);
    authentication.setAuthenticationMode(static_cast<Mode>(to));
    authentication.setAuthenticationMode(static_cast<Mode>(to));
    QCOMPARE(modeChanged.count(), 1);
    QCOMPARE(int(authentication.authenticationMode()), to);
    QCOMPARE(authentication.enterpriseAuthentication() != nullptr, childAfter);
    QCOMPARE(before && authentication.enterpriseAuthentication() == before, childKept);
    if (childAfter)
        QCOMPARE(authentication.enterpriseAuthentication()->parent(), &authentication);
    QCOMPARE(authentication.passphrase(), passphraseAfter);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(bool(before), childKept);
}

void TstNetwork::passphraseRemovesEnterpriseChild()
{
    Wlan::Authentication authentication;
    authentication.setAuthenticationMode(Mode::AUTHENTICATION_MODE__PEAP);
    QVERIFY(authentication.enterpriseAuthentication());
    SignalRecorder recorder(&authentication);
    authentication.setPassphrase("new");
    QCOMPARE(recorder.order, QStringList({"passphrase", "enterpriseAuthentication"}));
    QVERIFY(!authentication.enterpriseAuthentication());
    authentication.setPassphrase("new");
    QCOMPARE(recorder.order.size(), 2);
}

void TstNetwork::enterpriseChildReplacesPassphraseOnPack()
{
    Wlan::Authentication authentication;
    authentication.setPassphrase("secret");
    auto* enterprise = new Wlan::EnterpriseAuthentication(&authentication);
    enterprise->setUserName("me");
    authentication.setEnterpriseAuthentication(enterprise);
    QCOMPARE(authentication.passphrase(), QString("secret"));
    QSignalSpy passphrase(&authentication, &Wlan::Authentication::passphraseChanged);
    QCOMPARE(authentication.pack(), QByteArray::fromHex("1a040a026d65"));
    QCOMPARE(authentication.passphrase(), QString());
    QCOMPARE(passphrase.count(), 0);

    // Without a child an enterprise record is dropped; a passphrase stays.
    authentication.setEnterpriseAuthentication(nullptr);
    QCOMPARE(authentication.pack(), QByteArray());
    authentication.setPassphrase("x");
    QCOMPARE(authentication.pack(), QByteArray::fromHex("120178"));
}

void TstNetwork::repeatedValues_data()
{
    QTest::addColumn<QList<quint32>>("first");
    QTest::addColumn<QList<quint32>>("second");
    QTest::addColumn<int>("emissions");

    QTest::newRow("same list") << QList<quint32>{1, 6, 11} << QList<quint32>{1, 6, 11} << 1;
    QTest::newRow("other order") << QList<quint32>{1, 6, 11} << QList<quint32>{11, 6, 1} << 2;
    QTest::newRow("shorter") << QList<quint32>{1, 6} << QList<quint32>{1} << 2;
    QTest::newRow("cleared") << QList<quint32>{1} << QList<quint32>{} << 2;
    // An empty list equals the absent field.
    QTest::newRow("empty") << QList<quint32>{} << QList<quint32>{} << 0;
}

void TstNetwork::repeatedValues()
{
    QFETCH(QList<quint32>, first);
    QFETCH(QList<quint32>, second);
    QFETCH(int, emissions);

    Wlan::Config wlan;
    QSignalSpy channels(&wlan, &Wlan::Config::channelListChanged);
    wlan.setChannelList(first);
    wlan.setChannelList(second);
    QCOMPARE(channels.count(), emissions);
    QCOMPARE(wlan.channelList(), second);
    Kel::Pb::Wlan::Config record;
    QVERIFY(record.ParseFromString(wlan.pack().toStdString()));
    QCOMPARE(QList<quint32>(record.channellist().begin(), record.channellist().end()), second);

    Ip::Config ip;
    QSignalSpy dns(&ip, &Ip::Config::dnsListChanged);
    QStringList firstDns, secondDns;
    for (quint32 n : first)
        firstDns << QString("10.0.0.%1").arg(n);
    for (quint32 n : second)
        secondDns << QString("10.0.0.%1").arg(n);
    ip.setDnsList(firstDns);
    ip.setDnsList(secondDns);
    QCOMPARE(dns.count(), emissions);
    QCOMPARE(ip.dnsList(), secondDns);
}

void TstNetwork::loadOrder_data()
{
    QTest::addColumn<QString>("wrapper");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("Wlan::Config") << "Wlan::Config"
                                  << QStringList{"mode",           "ssid",     "bssid",
                                                 "channelList",    "outputPowerPercent", "authentication",
                                                 "ipConfig",       "accessPointConfig"};
    QTest::newRow("Network::Config") << "Network::Config"
                                     << QStringList{"name", "type", "data", "deviceInfo", "object"};
    QTest::newRow("Ip::Config") << "Ip::Config"
                                << QStringList{"dhcpMode", "ipAddress", "netmask", "gateway", "dnsList"};
    QTest::newRow("Wlan::Authentication") << "Wlan::Authentication"
                                          << QStringList{"authenticationMode", "passphrase"};
}

void TstNetwork::loadOrder()
{
    QFETCH(QString, wrapper);
    QFETCH(QStringList, order);

    Kel::Pb::Wlan::Config wlan;
    wlan.mutable_authentication()->set_passphrase("p");
    wlan.mutable_ipconfig()->add_dnslist("8.8.8.8");
    wlan.mutable_accesspointconfig()->set_channel(6);
    Kel::Pb::Network::Config network;
    network.set_type(Kel::Pb::Network::TYPE__WLAN);
    network.set_data(wlan.SerializeAsString());
    network.mutable_deviceinfo()->set_mac("00:11");

    std::unique_ptr<AbstractMessage> message;
    std::string bytes;
    if (wrapper == "Wlan::Config") {
        message.reset(new Wlan::Config);
        bytes = wlan.SerializeAsString();
    } else if (wrapper == "Network::Config") {
        message.reset(new Network::Config);
        bytes = network.SerializeAsString();
    } else if (wrapper == "Ip::Config") {
        message.reset(new Ip::Config);
        bytes = wlan.ipconfig().SerializeAsString();
    } else {
        message.reset(new Wlan::Authentication);
        bytes = wlan.authentication().SerializeAsString();
    }
    SignalRecorder recorder(message.get());
    QVERIFY(message->load(QByteArray::fromStdString(bytes)));
    QCOMPARE(recorder.order, order);
    QCOMPARE(message->pack(), QByteArray::fromStdString(bytes));
}

void TstNetwork::networkTypeSelectsObject_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("withType");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("objectClass");
    QTest::addColumn<QString>("warning");

    Kel::Pb::Can::Config can;
    can.set_baudratebps(500000);
    Kel::Pb::Wlan::Config wlan;
    wlan.set_ssid("net");
    Kel::Pb::Bluetooth::Config bluetooth;
    bluetooth.set_discoverable(true);
    const QByteArray ethernet("\x0a\x03" "eth");

    QTest::newRow("CAN") << 1 << true << QByteArray::fromStdString(can.SerializeAsString())
                         << QByteArray("QKel::Pb::Can::Config") << QString();
    QTest::newRow("WLAN") << 3 << true << QByteArray::fromStdString(wlan.SerializeAsString())
                          << QByteArray("QKel::Pb::Wlan::Config") << QString();
    QTest::newRow("Bluetooth") << 4 << true << QByteArray::fromStdString(bluetooth.SerializeAsString())
                               << QByteArray("QKel::Pb::Bluetooth::Config") << QString();
    // Without an object the bytes are kept, so a save does not lose them.
    QTest::newRow("ethernet") << 2 << true << ethernet << QByteArray()
                              << "Encountered unsupported Network::Config::TYPE 2";
    QTest::newRow("none") << 0 << true << ethernet << QByteArray() << "Encountered unsupported Network::Config::TYPE 0";
    QTest::newRow("no type") << 0 << false << ethernet << QByteArray()
                             << "Cannot create an Network::Config object without a type or object.";
}

void TstNetwork::networkTypeSelectsObject()
{
    QFETCH(int, type);
    QFETCH(bool, withType);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, objectClass);
    QFETCH(QString, warning);

    Kel::Pb::Network::Config record;
    if (withType)
        record.set_type(static_cast<Kel::Pb::Network::TYPE>(type));
    record.set_data(data.toStdString());
    Network::Config network;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QVERIFY(network.load(record));
    AbstractMessage* object = network.object();
    QCOMPARE(object ? QByteArray(object->metaObject()->className()) : QByteArray(), objectClass);
    if (object) {
        QCOMPARE(object->parent(), &network);
        QCOMPARE(object->pack(), data);
    }
    QCOMPARE(network.data(), data);
    QCOMPARE(network.pack(), QByteArray::fromStdString(record.SerializeAsString()));
}

void TstNetwork::interfaceCarriesNetworkObject()
{
    Interface::Config interface;
    interface.setType(Interface::Config::TYPE__NETWORK);
    auto* network = new Network::Config(&interface);
    interface.setObject(network);
    auto* wlan = new Wlan::Config(network);
    network->setType(Network::Config::TYPE__WLAN);
    network->setObject(wlan);
    wlan->setSsid("net");

    // Setting type or data never touches the object; pack copies it into data.
    QSignalSpy objectChanged(&interface, &Interface::Config::objectChanged);
    interface.setData("ignored");
    QCOMPARE(objectChanged.count(), 0);
    Interface::Config reloaded;
    QVERIFY(reloaded.load(interface.pack()));
    auto* reloadedNetwork = qobject_cast<Network::Config*>(reloaded.object());
    QVERIFY(reloadedNetwork);
    QCOMPARE(qobject_cast<Wlan::Config*>(reloadedNetwork->object())->ssid(), QString("net"));
}

QTEST_GUILESS_MAIN(TstNetwork)
#include "tst_network.moc"

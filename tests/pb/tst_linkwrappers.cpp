// Bluetooth, SPP, socket, server and remote wrappers: the endpoint an entry
// creates, the two oneof groups, and the warnings that name each class.
#include "bluetooth.h"
#include "can.h"
#include "configuration.h"
#include "remote.h"
#include "server.h"
#include "signalrecorder.h"
#include "socket.h"
#include "spp.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace QKel::Pb;
using Factory = std::function<AbstractMessage*(QObject*)>;
Q_DECLARE_METATYPE(Factory)

template <class R>
static QByteArray encode(const R& record)
{
    return QByteArray::fromStdString(record.SerializeAsString());
}

template <class C>
static Factory factory()
{
    return [](QObject* parent) { return new C(parent); };
}

class TstLinkWrappers : public QObject
{
    Q_OBJECT

private slots:
    void entryTypeSelectsEndpoint_data();
    void entryTypeSelectsEndpoint();
    void endpointEditReachesEntryAndFileRoot();
    void sppRemoteHoldsMacOrName_data();
    void sppRemoteHoldsMacOrName();
    void bluetoothHoldsOneStandard_data();
    void bluetoothHoldsOneStandard();
    void bluetoothLoadKeepsUnsupportedStandard_data();
    void bluetoothLoadKeepsUnsupportedStandard();
    void warningsNameTheClass_data();
    void warningsNameTheClass();
};

void TstLinkWrappers::entryTypeSelectsEndpoint_data()
{
    QTest::addColumn<Factory>("container");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("objectClass");
    QTest::addColumn<QString>("warning");

    Kel::Pb::Socket::Server socketServer;
    socketServer.set_port(8080);
    socketServer.set_protocol(Kel::Pb::Socket::PROTOCOL__UDP);
    Kel::Pb::Spp::Server sppServer;
    sppServer.set_servicename("gateway");
    Kel::Pb::Socket::Remote socketRemote;
    socketRemote.set_address("10.0.0.2");
    socketRemote.set_protocol(Kel::Pb::Socket::PROTOCOL__TCP);
    Kel::Pb::Spp::Remote sppRemote;
    sppRemote.set_name("peer");

    Kel::Pb::Server::Config server;
    server.set_enabled(true);
    server.set_type(Kel::Pb::Server::TYPE__SOCKET);
    server.set_data(socketServer.SerializeAsString());
    QTest::newRow("server socket") << factory<Server::Config>() << encode(server) << QByteArray("QKel::Pb::Socket::Server")
                                   << QString();
    server.set_type(Kel::Pb::Server::TYPE__SPP);
    server.set_data(sppServer.SerializeAsString());
    QTest::newRow("server SPP") << factory<Server::Config>() << encode(server) << QByteArray("QKel::Pb::Spp::Server")
                                << QString();
    server.set_type(Kel::Pb::Server::TYPE__NONE);
    QTest::newRow("server type none") << factory<Server::Config>() << encode(server) << QByteArray()
                                      << "Encountered unsupported Server::Config::TYPE 0";
    server.clear_type();
    QTest::newRow("server without type") << factory<Server::Config>() << encode(server) << QByteArray()
                                         << "Cannot create an Server::Config object without a type or object.";

    Kel::Pb::Remote::Config remote;
    remote.set_type(Kel::Pb::Remote::TYPE__SOCKET);
    remote.set_data(socketRemote.SerializeAsString());
    QTest::newRow("remote socket") << factory<Remote::Config>() << encode(remote) << QByteArray("QKel::Pb::Socket::Remote")
                                   << QString();
    remote.set_type(Kel::Pb::Remote::TYPE__SPP);
    remote.set_data(sppRemote.SerializeAsString());
    QTest::newRow("remote SPP") << factory<Remote::Config>() << encode(remote) << QByteArray("QKel::Pb::Spp::Remote")
                                << QString();
    // Present but empty data is a complete, empty endpoint.
    remote.set_data(std::string());
    QTest::newRow("remote SPP, empty data") << factory<Remote::Config>() << encode(remote)
                                            << QByteArray("QKel::Pb::Spp::Remote") << QString();
    remote.clear_data();
    QTest::newRow("remote without data") << factory<Remote::Config>() << encode(remote) << QByteArray()
                                         << "Cannot create an Remote::Config object without a type or object.";
}

void TstLinkWrappers::entryTypeSelectsEndpoint()
{
    QFETCH(Factory, container);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, objectClass);
    QFETCH(QString, warning);

    QObject owner;
    AbstractMessage* entry = container(&owner);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QVERIFY(entry->load(bytes));
    const auto* object = entry->property("object").value<AbstractMessage*>();
    QCOMPARE(object ? QByteArray(object->metaObject()->className()) : QByteArray(), objectClass);
    if (object)
        QCOMPARE(object->parent(), entry);
    // Packing rebuilds the data bytes from the endpoint without losing a field.
    QCOMPARE(entry->pack(), bytes);
}

void TstLinkWrappers::endpointEditReachesEntryAndFileRoot()
{
    Configuration::File file;
    auto* entry = new Configuration::Data(&file);
    auto* remote = new Remote::Config(entry);
    auto* peer = new Spp::Remote(remote);
    entry->setObject(remote);
    file.setDataList({entry});
    remote->setType(Remote::Config::TYPE__SPP);
    remote->setObject(peer);

    QSignalSpy fileChanged(&file, &AbstractMessage::dataChanged);
    QSignalSpy remoteChanged(remote, &AbstractMessage::dataChanged);
    QSignalSpy remoteData(remote, qOverload<QByteArray>(&Remote::Config::dataChanged));
    peer->setMac("00:11:22:33:44:55");
    QCOMPARE(fileChanged.count(), 1);
    QCOMPARE(remoteChanged.count(), 1);

    // Only pack copies the endpoint into the data bytes, silently.
    QCOMPARE(remote->data(), QByteArray());
    remote->pack();
    QCOMPARE(remote->data(), peer->pack());
    QCOMPARE(remoteData.count(), 0);

    // Setting data directly leaves the endpoint object in place.
    remote->setData(QByteArray::fromHex("1202"));
    QCOMPARE(remote->object(), peer);
    Kel::Pb::Remote::Config packed;
    QVERIFY(packed.ParseFromString(remote->pack().toStdString()));
    QCOMPARE(QByteArray::fromStdString(packed.data()), peer->pack());
}

void TstLinkWrappers::sppRemoteHoldsMacOrName_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("signalOrder");
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("name replaces mac") << QStringList{"mac=AA", "name=gw"} << "" << "gw" << QStringList{"mac", "name"}
                                       << QByteArray::fromHex("12026777");
    QTest::newRow("mac replaces name") << QStringList{"name=gw", "mac=AA"} << "AA" << "" << QStringList{"name", "mac"}
                                       << QByteArray::fromHex("0a024141");
    QTest::newRow("same mac twice") << QStringList{"mac=AA", "mac=AA"} << "AA" << "" << QStringList{"mac"}
                                    << QByteArray::fromHex("0a024141");
    // The equal text belongs to the other member: still a switch.
    QTest::newRow("mac equal to held name") << QStringList{"name=AA", "mac=AA"} << "AA" << "" << QStringList{"name", "mac"}
                                            << QByteArray::fromHex("0a024141");
    QTest::newRow("empty name while absent") << QStringList{"name="} << "" << "" << QStringList{"name"}
                                             << QByteArray::fromHex("1200");
}

void TstLinkWrappers::sppRemoteHoldsMacOrName()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, mac);
    QFETCH(QString, name);
    QFETCH(QStringList, signalOrder);
    QFETCH(QByteArray, encoding);

    Spp::Remote remote;
    SignalRecorder recorder(&remote);
    for (const QString& step : steps) {
        const QString value = step.section('=', 1);
        step.startsWith("mac") ? remote.setMac(value) : remote.setName(value);
    }
    QCOMPARE(recorder.order, signalOrder);
    QCOMPARE(remote.mac(), mac);
    QCOMPARE(remote.name(), name);
    QCOMPARE(remote.pack(), encoding);

    Spp::Remote loaded;
    SignalRecorder loadRecorder(&loaded);
    QVERIFY(loaded.load(encoding));
    QCOMPARE(loadRecorder.order, QStringList({"mac", "name"}));
    QCOMPARE(loaded.mac(), mac);
    QCOMPARE(loaded.name(), name);
}

void TstLinkWrappers::bluetoothHoldsOneStandard_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("signalOrder");
    QTest::addColumn<bool>("initialDeleted");
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("classic on empty") << "" << "classic" << QStringList{"classicConfig"} << false
                                      << QByteArray::fromHex("4200");
    QTest::newRow("classic replaces low energy") << "lowEnergy" << "classic"
                                                 << QStringList{"lowEnergyConfig", "classicConfig"} << true
                                                 << QByteArray::fromHex("4200");
    QTest::newRow("low energy replaces classic") << "classic" << "lowEnergy"
                                                 << QStringList{"classicConfig", "lowEnergyConfig"} << true
                                                 << QByteArray::fromHex("4a00");
    QTest::newRow("classic replaces classic") << "classic" << "classic" << QStringList{"classicConfig"} << true
                                              << QByteArray::fromHex("4200");
    QTest::newRow("classic cleared") << "classic" << "noClassic" << QStringList{"classicConfig"} << true << QByteArray();
    QTest::newRow("other standard cleared") << "classic" << "noLowEnergy" << QStringList{} << false
                                            << QByteArray::fromHex("4200");
}

void TstLinkWrappers::bluetoothHoldsOneStandard()
{
    QFETCH(QString, initial);
    QFETCH(QString, change);
    QFETCH(QStringList, signalOrder);
    QFETCH(bool, initialDeleted);
    QFETCH(QByteArray, encoding);

    Bluetooth::Config config;
    if (initial == "classic")
        config.setClassicConfig(new Bluetooth::ClassicConfig(&config));
    else if (initial == "lowEnergy")
        config.setLowEnergyConfig(new Bluetooth::LowEnergyConfig(&config));
    QPointer<AbstractMessage> first = config.classicConfig();
    if (!first)
        first = config.lowEnergyConfig();

    SignalRecorder recorder(&config);
    if (change == "classic")
        config.setClassicConfig(new Bluetooth::ClassicConfig(&config));
    else if (change == "lowEnergy")
        config.setLowEnergyConfig(new Bluetooth::LowEnergyConfig(&config));
    else
        change == "noClassic" ? config.setClassicConfig(nullptr) : config.setLowEnergyConfig(nullptr);
    QCOMPARE(recorder.order, signalOrder);
    QVERIFY(!(config.classicConfig() && config.lowEnergyConfig()));

    QCOMPARE(bool(first), bool(initial.size()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!first, initialDeleted || initial.isEmpty());

    if (config.classicConfig())
        QTest::ignoreMessage(QtWarningMsg, "Support for ClassicConfig is not yet implemented.");
    if (config.lowEnergyConfig())
        QTest::ignoreMessage(QtWarningMsg, "Support for LowEnergyConfig is not yet implemented.");
    QCOMPARE(config.pack(), encoding);
}

void TstLinkWrappers::bluetoothLoadKeepsUnsupportedStandard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");

    Kel::Pb::Bluetooth::Config record;
    record.set_discoverable(true);
    record.set_securitymode(Kel::Pb::Bluetooth::SECURITY_MODE__JUST_WORKS);
    record.set_passkey(123456);
    record.set_pincode2p0("0000");
    record.set_outputpowerpercent(80);
    QTest::newRow("neither") << encode(record) << QString();
    record.mutable_classicconfig();
    QTest::newRow("classic") << encode(record) << "Support for ClassicConfig is not yet implemented.";
    record.mutable_lowenergyconfig();
    QTest::newRow("low energy") << encode(record) << "Support for LowEnergyConfig is not yet implemented.";
    // Fields a newer device writes into the standard record survive a load and a pack.
    record.mutable_lowenergyconfig()->mutable_unknown_fields()->AddVarint(1, 5);
    QTest::newRow("low energy with unknown field") << encode(record)
                                                   << "Support for LowEnergyConfig is not yet implemented.";
}

void TstLinkWrappers::bluetoothLoadKeepsUnsupportedStandard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);

    Bluetooth::Config config;
    config.setLowEnergyConfig(new Bluetooth::LowEnergyConfig(&config));
    SignalRecorder recorder(&config);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QVERIFY(config.load(bytes));
    QCOMPARE(recorder.order.mid(0, 7), QStringList({"discoverable", "pairable", "securityMode", "passkey",
                                                    "allowPairing2p0", "pinCode2p0", "outputPowerPercent"}));
    QCOMPARE(config.passkey(), 123456u);
    QCOMPARE(config.securityMode(), Bluetooth::Config::SECURITY_MODE__JUST_WORKS);
    QCOMPARE(bool(config.classicConfig()), warning.contains("Classic"));
    QCOMPARE(bool(config.lowEnergyConfig()), warning.contains("LowEnergy"));

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QCOMPARE(config.pack(), bytes);
}

void TstLinkWrappers::warningsNameTheClass_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QString>("path");

    QTest::newRow("Bluetooth::Config") << factory<Bluetooth::Config>() << "Bluetooth::Config";
    QTest::newRow("Bluetooth::ClassicConfig") << factory<Bluetooth::ClassicConfig>() << "Bluetooth::ClassicConfig";
    QTest::newRow("Bluetooth::LowEnergyConfig") << factory<Bluetooth::LowEnergyConfig>() << "Bluetooth::LowEnergyConfig";
    QTest::newRow("Server::Config") << factory<Server::Config>() << "Server::Config";
    QTest::newRow("Remote::Config") << factory<Remote::Config>() << "Remote::Config";
    QTest::newRow("Socket::Server") << factory<Socket::Server>() << "Socket::Server";
    QTest::newRow("Socket::Remote") << factory<Socket::Remote>() << "Socket::Remote";
    QTest::newRow("Spp::Server") << factory<Spp::Server>() << "Spp::Server";
    QTest::newRow("Spp::Remote") << factory<Spp::Remote>() << "Spp::Remote";
    QTest::newRow("Can::Config") << factory<Can::Config>() << "Can::Config";
    QTest::newRow("Can::Filter") << factory<Can::Filter>() << "Can::Filter";
    QTest::newRow("CanOpen::Config") << factory<CanOpen::Config>() << "CanOpen::Config";
    QTest::newRow("CanOpen::SdoConfig") << factory<CanOpen::SdoConfig>() << "CanOpen::SdoConfig";
}

void TstLinkWrappers::warningsNameTheClass()
{
    QFETCH(Factory, create);
    QFETCH(QString, path);

    QObject owner;
    AbstractMessage* wrapper = create(&owner);
    QTest::ignoreMessage(QtWarningMsg, QString("Failed to parse incoming %1 data.").arg(path).toUtf8());
    QVERIFY(!wrapper->load(QByteArray::fromHex("08")));
    Kel::Pb::Configuration::Data foreign;
    QTest::ignoreMessage(QtWarningMsg, QString("Could not cast incoming message to %1.").arg(path).toUtf8());
    QVERIFY(!wrapper->load(&foreign));
    QTest::ignoreMessage(QtWarningMsg, QString("Could not cast incoming message to %1.").arg(path).toUtf8());
    QVERIFY(!wrapper->load(static_cast<google::protobuf::Message*>(nullptr)));
}

QTEST_GUILESS_MAIN(TstLinkWrappers)
#include "tst_linkwrappers.moc"

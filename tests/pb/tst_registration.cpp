// Registration of the wrapper types: QML reaches their enumeration values
// under the exported names but cannot create them; the meta-type names are
// the ones the change signals spell out.
#include "bluetooth.h"
#include "can.h"
#include "canfiltermodel.h"
#include "canopen.h"
#include "configuration.h"
#include "interface.h"
#include "ip.h"
#include "kelfunction.h"
#include "network.h"
#include "powermanagement.h"
#include "product.h"
#include "product_ferrowwireless77xx.h"
#include "product_morvane_tarn210.h"
#include "remote.h"
#include "server.h"
#include "socket.h"
#include "utilities.h"
#include "wlan.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QScopedPointer>
#include <QTest>

using namespace QKel::Pb;

namespace {

const char* const uncreatableReason = "This type is not creatable and only exported for enum values.";

QByteArray qmlSource(const QByteArray& body)
{
    return "import QtQml 2.0\nimport kelbus.qkel.pb 1.0\n" + body + "\n";
}

}  // namespace

class TstRegistration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void qmlTypeIsUncreatableButShowsItsEnumeration_data();
    void qmlTypeIsUncreatableButShowsItsEnumeration();
    void wrongVersionIsRejected();
    void metaTypeNamesFollowTheSignals_data();
    void metaTypeNamesFollowTheSignals();

private:
    QQmlEngine mEngine;
    int mPreviousMetaType = QMetaType::UnknownType;
};

// Meta-types first, so nothing else has registered them before.
void TstRegistration::initTestCase()
{
    Utilities::registerMetaTypes();
    Utilities::registerQmlTypes();
}

void TstRegistration::qmlTypeIsUncreatableButShowsItsEnumeration_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("enumValue");
    QTest::addColumn<int>("expected");

    const QList<std::tuple<const char*, const char*, int>> rows{
        {"BluetoothConfig", "SECURITY_MODE__JUST_WORKS", 1},
        {"ConfigurationFile", "", 0},
        {"ConfigurationData", "TYPE__PRODUCT", 254},
        {"CanConfig", "", 0},
        {"CanFilter", "", 0},
        {"CanFilterModel", "CAN_FILTER_ROLE__ID", 260},
        {"CanOpenConfig", "BAUD_RATE__250_KBIT_S", 3},
        {"SdoConfig", "NMT_STATE__STOPPED", 4},
        {"InterfaceConfig", "TYPE__NETWORK", 1},
        {"NetworkConfig", "TYPE__BLUETOOTH", 4},
        {"RemoteConfig", "TYPE__SPP", 2},
        {"ServerConfig", "TYPE__SOCKET", 1},
        {"KelFunctionConfig", "TIMESTAMP_MODE__RELATIVE", 2},
        {"PowerManagementConfig", "", 0},
        {"ProductConfig", "TYPE__MORVANE_TARN210", 2},
        {"MovaneTarn210SafetyFunction", "TRIGGER_CONDITION__UNEQUAL", 5},
        {"SocketRemote", "", 0},
        {"SocketServer", "PROTOCOL__UDP", 1},
        {"SppRemote", "", 0},
        {"SppServer", "", 0},
        {"IpConfig", "DHCP_MODE__CLIENT", 1},
        {"WlanConfig", "OPERATING_MODE__MINI_AP", 2},
        {"WlanAuthentication", "AUTHENTICATION_MODE__EAPTLS", 10},
        {"WlanAccessPoint", "DATA_RATE__54_MBIT_S", 2048},
    };
    for (const auto& [name, enumValue, expected] : rows)
        QTest::newRow(name) << QString(name) << QString(enumValue) << expected;
}

void TstRegistration::qmlTypeIsUncreatableButShowsItsEnumeration()
{
    QFETCH(QString, name);
    QFETCH(QString, enumValue);
    QFETCH(int, expected);

    QQmlComponent creation(&mEngine);
    creation.setData(qmlSource(name.toUtf8() + " {}"), QUrl());
    QVERIFY(creation.isError());
    QVERIFY2(creation.errorString().contains(uncreatableReason), qPrintable(creation.errorString()));

    if (enumValue.isEmpty())
        return;
    QQmlComponent reading(&mEngine);
    reading.setData(qmlSource("QtObject { property int value: " + name.toUtf8() + "." + enumValue.toUtf8() + " }"),
                    QUrl());
    QScopedPointer<QObject> object(reading.create());
    QVERIFY2(object, qPrintable(reading.errorString()));
    QCOMPARE(object->property("value").toInt(), expected);
}

void TstRegistration::wrongVersionIsRejected()
{
    QQmlComponent component(&mEngine);
    component.setData("import QtQml 2.0\nimport kelbus.qkel.pb 2.0\nQtObject {}\n", QUrl());
    QVERIFY(component.isError());
}

void TstRegistration::metaTypeNamesFollowTheSignals_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("id");

    using Tarn210 = Product::Morvane::Tarn210::SafetyFunction;
    const auto row = [](const char* name, int id) { QTest::newRow(name) << QByteArray(name) << id; };
    row("QKel::Pb::AbstractMessage*", qMetaTypeId<AbstractMessage*>());
    row("QKel::Pb::Bluetooth::Config::SECURITY_MODE", qMetaTypeId<Bluetooth::Config::SECURITY_MODE>());
    row("QKel::Pb::Bluetooth::ClassicConfig*", qMetaTypeId<Bluetooth::ClassicConfig*>());
    row("QKel::Pb::Bluetooth::LowEnergyConfig*", qMetaTypeId<Bluetooth::LowEnergyConfig*>());
    row("QKel::Pb::Can::Filter*", qMetaTypeId<Can::Filter*>());
    row("QList<QKel::Pb::Can::Filter*>", qMetaTypeId<QList<Can::Filter*>>());
    row("QKel::Pb::CanOpen::Config*", qMetaTypeId<CanOpen::Config*>());
    row("QKel::Pb::CanOpen::Config::BAUD_RATE", qMetaTypeId<CanOpen::Config::BAUD_RATE>());
    row("QKel::Pb::CanOpen::SdoConfig*", qMetaTypeId<CanOpen::SdoConfig*>());
    row("QKel::Pb::CanOpen::SdoConfig::NMT_STATE", qMetaTypeId<CanOpen::SdoConfig::NMT_STATE>());
    row("QList<QKel::Pb::CanOpen::SdoConfig*>", qMetaTypeId<QList<CanOpen::SdoConfig*>>());
    row("QKel::Pb::Configuration::Data*", qMetaTypeId<Configuration::Data*>());
    row("QKel::Pb::Configuration::Data::TYPE", qMetaTypeId<Configuration::Data::TYPE>());
    row("QKel::Pb::Configuration::File::LOAD_ERROR", qMetaTypeId<Configuration::File::LOAD_ERROR>());
    row("QList<QKel::Pb::Configuration::Data*>", qMetaTypeId<QList<Configuration::Data*>>());
    row("QKel::Pb::Interface::Config::TYPE", qMetaTypeId<Interface::Config::TYPE>());
    row("QKel::Pb::Ip::Config*", qMetaTypeId<Ip::Config*>());
    row("QKel::Pb::Ip::Config::DHCP_MODE", qMetaTypeId<Ip::Config::DHCP_MODE>());
    row("QKel::Pb::Network::Config::TYPE", qMetaTypeId<Network::Config::TYPE>());
    row("QKel::Pb::Network::DeviceInfo*", qMetaTypeId<Network::DeviceInfo*>());
    row("QKel::Pb::PowerManagement::Config*", qMetaTypeId<PowerManagement::Config*>());
    row("QKel::Pb::PowerManagement::Config::WAKEUP_ENABLE_BITS",
        qMetaTypeId<PowerManagement::Config::WAKEUP_ENABLE_BITS>());
    row("QKel::Pb::Product::Config*", qMetaTypeId<Product::Config*>());
    row("QKel::Pb::Product::Config::TYPE", qMetaTypeId<Product::Config::TYPE>());
    row("QKel::Pb::Product::DeviceInfo*", qMetaTypeId<Product::DeviceInfo*>());
    row("QKel::Pb::Product::FerrowWireless77xx::Config*", qMetaTypeId<Product::FerrowWireless77xx::Config*>());
    row("QKel::Pb::Product::Morvane::Tarn210::Config*", qMetaTypeId<Product::Morvane::Tarn210::Config*>());
    row("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction*", qMetaTypeId<Tarn210*>());
    row("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::DATA_TYPE", qMetaTypeId<Tarn210::DATA_TYPE>());
    row("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::CAN_BYTE_ORDER",
        qMetaTypeId<Tarn210::CAN_BYTE_ORDER>());
    row("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::TRIGGER_CONDITION",
        qMetaTypeId<Tarn210::TRIGGER_CONDITION>());
    row("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::LOGIC_MODE", qMetaTypeId<Tarn210::LOGIC_MODE>());
    row("QKel::Pb::Remote::Config::TYPE", qMetaTypeId<Remote::Config::TYPE>());
    row("QKel::Pb::KelFunction::Config::FEEDBACK_MODE", qMetaTypeId<KelFunction::Config::FEEDBACK_MODE>());
    row("QKel::Pb::KelFunction::Config::TIMESTAMP_MODE", qMetaTypeId<KelFunction::Config::TIMESTAMP_MODE>());
    row("QKel::Pb::Server::Config::TYPE", qMetaTypeId<Server::Config::TYPE>());
    row("QKel::Pb::Socket::Server::PROTOCOL", qMetaTypeId<Socket::Server::PROTOCOL>());
    row("QKel::Pb::Wlan::AccessPointConfig*", qMetaTypeId<Wlan::AccessPointConfig*>());
    row("QKel::Pb::Wlan::Authentication*", qMetaTypeId<Wlan::Authentication*>());
    row("QKel::Pb::Wlan::Authentication::AUTHENTICATION_MODE",
        qMetaTypeId<Wlan::Authentication::AUTHENTICATION_MODE>());
    row("QKel::Pb::Wlan::Config::OPERATING_MODE", qMetaTypeId<Wlan::Config::OPERATING_MODE>());
    row("QKel::Pb::Wlan::EnterpriseAuthentication*", qMetaTypeId<Wlan::EnterpriseAuthentication*>());
}

// The rows run in the order of registration, so the ids, handed out one by
// one, must grow from row to row.
void TstRegistration::metaTypeNamesFollowTheSignals()
{
    QFETCH(QByteArray, name);
    QFETCH(int, id);

    QCOMPARE(QMetaType::type(name), id);
    QVERIFY2(id > mPreviousMetaType, "registered out of order");
    mPreviousMetaType = id;
}

QTEST_GUILESS_MAIN(TstRegistration)
#include "tst_registration.moc"

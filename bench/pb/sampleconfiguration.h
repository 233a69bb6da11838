#pragma once

#include <bluetooth.pb.h>
#include <can.pb.h>
#include <configuration.pb.h>
#include <interface.pb.h>
#include <kelfunction.pb.h>
#include <network.pb.h>
#include <product.pb.h>
#include <product_morvane_tarn210.pb.h>
#include <remote.pb.h>
#include <server.pb.h>
#include <socket.pb.h>
#include <spp.pb.h>
#include <wlan.pb.h>

#include <QByteArray>
#include <QtGlobal>

#include <string>

// A complete gateway configuration of nine entries (three networks, two
// remotes, two servers, the gateway function and the product), with a given
// number of CAN receive filters, encoded as configuration file bytes.
namespace SampleConfiguration {

namespace Pb = Kel::Pb;

inline void addEntry(Pb::Configuration::File& file, Pb::Configuration::TYPE type, const std::string& data)
{
    Pb::Configuration::Data* entry = file.add_data();
    entry->set_type(type);
    entry->set_data(data);
}

inline std::string network(Pb::Network::TYPE type, const std::string& name, const std::string& data)
{
    Pb::Network::Config network;
    network.set_name(name);
    network.set_type(type);
    network.set_data(data);
    network.mutable_deviceinfo()->set_number(1);
    network.mutable_deviceinfo()->set_mac("00:1a:2b:3c:4d:5e");
    network.mutable_deviceinfo()->set_moduleversion("2.1.0");
    Pb::Interface::Config interface;
    interface.set_enabled(true);
    interface.set_type(Pb::Interface::TYPE__NETWORK);
    interface.set_data(network.SerializeAsString());
    return interface.SerializeAsString();
}

inline std::string can(int filters)
{
    Pb::Can::Config can;
    can.set_baudratecanopen(Pb::CanOpen::BAUD_RATE__500_KBIT_S);
    can.set_baudratebps(500000);
    for (int i = 0; i < filters; ++i) {
        Pb::Can::Filter* filter = can.add_filterlist();
        filter->set_enabled(i % 2 == 0);
        filter->set_extended(i % 3 == 0);
        filter->set_id(0x100u + static_cast<unsigned>(i));
        filter->set_mask(0x7FF);
        filter->set_inhibittimems(10);
    }
    Pb::CanOpen::Config* canOpen = can.mutable_canopenconfig();
    canOpen->set_nodeid(5);
    canOpen->set_nmtstartupstate(Pb::CanOpen::NMT_STATE__OPERATIONAL);
    canOpen->add_sdoconfiglist()->set_timeoutms(1000);
    return can.SerializeAsString();
}

inline std::string wlan()
{
    Pb::Wlan::Config wlan;
    wlan.set_mode(Pb::Wlan::OPERATING_MODE__INFRASTRUCTURE);
    wlan.set_ssid("workshop");
    wlan.mutable_authentication()->set_authenticationmode(Pb::Wlan::AUTHENTICATION_MODE__WPA2);
    wlan.mutable_authentication()->set_passphrase("correct horse battery");
    wlan.mutable_ipconfig()->set_dhcpmode(Pb::Ip::DHCP_MODE__CLIENT);
    wlan.mutable_ipconfig()->add_dnslist("192.168.1.1");
    for (unsigned channel : {1u, 6u, 11u})
        wlan.add_channellist(channel);
    wlan.set_outputpowerpercent(80);
    wlan.mutable_accesspointconfig()->set_channel(6);
    wlan.mutable_accesspointconfig()->set_standardmask(3);
    return wlan.SerializeAsString();
}

inline std::string bluetooth()
{
    Pb::Bluetooth::Config bluetooth;
    bluetooth.set_discoverable(true);
    bluetooth.set_pincode2p0("0000");
    bluetooth.mutable_classicconfig();
    return bluetooth.SerializeAsString();
}

inline std::string endpoint(bool remote, bool socket)
{
    std::string data;
    if (socket && remote) {
        Pb::Socket::Remote record;
        record.set_address("192.168.1.20");
        record.set_port(5000);
        data = record.SerializeAsString();
    } else if (socket) {
        Pb::Socket::Server record;
        record.set_port(5000);
        record.set_protocol(Pb::Socket::PROTOCOL__UDP);
        data = record.SerializeAsString();
    } else if (remote) {
        Pb::Spp::Remote record;
        record.set_name("peer");
        data = record.SerializeAsString();
    } else {
        Pb::Spp::Server record;
        record.set_servicename("gateway");
        data = record.SerializeAsString();
    }
    if (remote) {
        Pb::Remote::Config config;
        config.set_enabled(true);
        config.set_type(socket ? Pb::Remote::TYPE__SOCKET : Pb::Remote::TYPE__SPP);
        config.set_data(data);
        return config.SerializeAsString();
    }
    Pb::Server::Config config;
    config.set_enabled(true);
    config.set_type(socket ? Pb::Server::TYPE__SOCKET : Pb::Server::TYPE__SPP);
    config.set_data(data);
    return config.SerializeAsString();
}

inline std::string function()
{
    Pb::KelFunction::Config function;
    function.set_canmessagesperloop(10);
    function.set_timestampmode(Pb::KelFunction::TIMESTAMP_MODE__RELATIVE);
    function.mutable_powermanagementconfig()->set_wakeupenablebits(3);
    return function.SerializeAsString();
}

inline std::string product()
{
    Pb::Product::Morvane::Tarn210::Config tarn;
    tarn.mutable_parentconfig()->set_requestdynamicinfo(true);
    tarn.mutable_safetyfunction()->set_canid(0x181);
    tarn.mutable_safetyfunction()->set_testvalue(-20);
    Pb::Product::Config product;
    product.set_type(Pb::Product::TYPE__MORVANE_TARN210);
    product.set_data(tarn.SerializeAsString());
    product.mutable_deviceinfo()->set_name("TARN210");
    product.mutable_deviceinfo()->set_serialnumber(4711);
    return product.SerializeAsString();
}

// Checksum input: "1", product ID, then each entry's decimal type and data.
inline QByteArray encode(int canFilters)
{
    Pb::Configuration::File file;
    file.set_version(1);
    file.set_productid("0123456789ab");
    addEntry(file, Pb::Configuration::TYPE__INTERFACE, network(Pb::Network::TYPE__CAN, "can", can(canFilters)));
    addEntry(file, Pb::Configuration::TYPE__INTERFACE, network(Pb::Network::TYPE__WLAN, "wlan", wlan()));
    addEntry(file, Pb::Configuration::TYPE__INTERFACE,
             network(Pb::Network::TYPE__BLUETOOTH, "bluetooth", bluetooth()));
    addEntry(file, Pb::Configuration::TYPE__REMOTE, endpoint(true, true));
    addEntry(file, Pb::Configuration::TYPE__REMOTE, endpoint(true, false));
    addEntry(file, Pb::Configuration::TYPE__SERVER, endpoint(false, true));
    addEntry(file, Pb::Configuration::TYPE__SERVER, endpoint(false, false));
    addEntry(file, Pb::Configuration::TYPE__KEL_FUNCTION, function());
    addEntry(file, Pb::Configuration::TYPE__PRODUCT, product());
    QByteArray input = "1" + QByteArray::fromStdString(file.productid());
    for (const Pb::Configuration::Data& entry : file.data())
        input += QByteArray::number(entry.type()) + QByteArray::fromStdString(entry.data());
    file.set_checksum(qChecksum(input.constData(), static_cast<uint>(input.size()), Qt::ChecksumIso3309));
    return QByteArray::fromStdString(file.SerializeAsString());
}

}  // namespace SampleConfiguration

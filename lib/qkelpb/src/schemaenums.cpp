// The wrappers spell their enumerations out for moc and QML. Each value must
// keep the schema's number and each enumeration must end where the schema's
// ends, or files and the gateway would read another setting than the page shows.
#include "bluetooth.h"
#include "canopen.h"
#include "configuration.h"
#include "interface.h"
#include "ip.h"
#include "kelfunction.h"
#include "network.h"
#include "powermanagement.h"
#include "product.h"
#include "product_morvane_tarn210.h"
#include "remote.h"
#include "server.h"
#include "socket.h"
#include "wlan.h"

#define QKEL_PB_SAME_VALUE(Wrapper, Area, value)                                                   \
    static_assert(static_cast<int>(QKel::Pb::Wrapper::value) == static_cast<int>(Kel::Pb::Area::value), \
                  #Wrapper "::" #value " differs from the schema");

#define QKEL_PB_SAME_END(Wrapper, Area, Enum, last)                                                 \
    static_assert(static_cast<int>(QKel::Pb::Wrapper::last) == static_cast<int>(Kel::Pb::Area::Enum##_MAX), \
                  #Wrapper "::" #Enum " ends before the schema's");


QKEL_PB_SAME_VALUE(Bluetooth::Config, Bluetooth, SECURITY_MODE__DISABLED)
QKEL_PB_SAME_VALUE(Bluetooth::Config, Bluetooth, SECURITY_MODE__JUST_WORKS)
QKEL_PB_SAME_END(Bluetooth::Config, Bluetooth, SECURITY_MODE, SECURITY_MODE__JUST_WORKS)

QKEL_PB_SAME_VALUE(CanOpen::SdoConfig, CanOpen, NMT_STATE__BOOT)
QKEL_PB_SAME_VALUE(CanOpen::SdoConfig, CanOpen, NMT_STATE__STOPPED)
QKEL_PB_SAME_VALUE(CanOpen::SdoConfig, CanOpen, NMT_STATE__OPERATIONAL)
QKEL_PB_SAME_VALUE(CanOpen::SdoConfig, CanOpen, NMT_STATE__PRE_OPERATIONAL)
QKEL_PB_SAME_END(CanOpen::SdoConfig, CanOpen, NMT_STATE, NMT_STATE__PRE_OPERATIONAL)

QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__1_MBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__800_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__500_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__250_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__125_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__100_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__50_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__20_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__10_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__83_333_KBIT_S)
QKEL_PB_SAME_VALUE(CanOpen::Config, CanOpen, BAUD_RATE__CUSTOM)
QKEL_PB_SAME_END(CanOpen::Config, CanOpen, BAUD_RATE, BAUD_RATE__CUSTOM)

// The wrapper leaves out the schema's TYPE__CAN_MESSAGE_LIST (10): no page
// edits such an entry, and the file keeps its bytes as they came.
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__NONE)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__VISUAL_CONFIGURATION)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__OBJECT_DICTIONARY)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__JOB_ENGINE)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__KEYS)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__INTERFACE)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__REMOTE)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__SERVER)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__KEL_FUNCTION)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__PRODUCT)
QKEL_PB_SAME_VALUE(Configuration::Data, Configuration, TYPE__CUSTOM)
QKEL_PB_SAME_END(Configuration::Data, Configuration, TYPE, TYPE__CUSTOM)

QKEL_PB_SAME_VALUE(Ip::Config, Ip, DHCP_MODE__DISABLED)
QKEL_PB_SAME_VALUE(Ip::Config, Ip, DHCP_MODE__CLIENT)
QKEL_PB_SAME_VALUE(Ip::Config, Ip, DHCP_MODE__SERVER)
QKEL_PB_SAME_END(Ip::Config, Ip, DHCP_MODE, DHCP_MODE__SERVER)

QKEL_PB_SAME_VALUE(KelFunction::Config, KelFunction, TIMESTAMP_MODE__OFF)
QKEL_PB_SAME_VALUE(KelFunction::Config, KelFunction, TIMESTAMP_MODE__ABSOLUTE)
QKEL_PB_SAME_VALUE(KelFunction::Config, KelFunction, TIMESTAMP_MODE__RELATIVE)
QKEL_PB_SAME_END(KelFunction::Config, KelFunction, TIMESTAMP_MODE, TIMESTAMP_MODE__RELATIVE)

QKEL_PB_SAME_VALUE(KelFunction::Config, KelFunction, FEEDBACK_MODE__OFF)
QKEL_PB_SAME_VALUE(KelFunction::Config, KelFunction, FEEDBACK_MODE__ON)
QKEL_PB_SAME_END(KelFunction::Config, KelFunction, FEEDBACK_MODE, FEEDBACK_MODE__ON)

QKEL_PB_SAME_VALUE(Network::Config, Network, TYPE__NONE)
QKEL_PB_SAME_VALUE(Network::Config, Network, TYPE__CAN)
QKEL_PB_SAME_VALUE(Network::Config, Network, TYPE__ETHERNET)
QKEL_PB_SAME_VALUE(Network::Config, Network, TYPE__WLAN)
QKEL_PB_SAME_VALUE(Network::Config, Network, TYPE__BLUETOOTH)
QKEL_PB_SAME_END(Network::Config, Network, TYPE, TYPE__BLUETOOTH)

QKEL_PB_SAME_VALUE(PowerManagement::Config, PowerManagement, WAKEUP_ENABLE_BITS__DISABLED)
QKEL_PB_SAME_VALUE(PowerManagement::Config, PowerManagement, WAKEUP_ENABLE_BITS__ACC)
QKEL_PB_SAME_VALUE(PowerManagement::Config, PowerManagement, WAKEUP_ENABLE_BITS__RTC)
QKEL_PB_SAME_VALUE(PowerManagement::Config, PowerManagement, WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15)
QKEL_PB_SAME_END(PowerManagement::Config, PowerManagement, WAKEUP_ENABLE_BITS, WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15)

QKEL_PB_SAME_VALUE(Product::Config, Product, TYPE__NONE)
QKEL_PB_SAME_VALUE(Product::Config, Product, TYPE__FERROW_WIRELESS_77XX)
QKEL_PB_SAME_VALUE(Product::Config, Product, TYPE__MORVANE_TARN210)
QKEL_PB_SAME_END(Product::Config, Product, TYPE, TYPE__MORVANE_TARN210)

QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__UNSIGNED8)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__UNSIGNED16)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__UNSIGNED32)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__SIGNED8)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__SIGNED16)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE__SIGNED32)
QKEL_PB_SAME_END(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, DATA_TYPE, DATA_TYPE__SIGNED32)

QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, CAN_BYTE_ORDER__INTEL)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, CAN_BYTE_ORDER__MOTOROLA)
QKEL_PB_SAME_END(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, CAN_BYTE_ORDER, CAN_BYTE_ORDER__MOTOROLA)

QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__EQUAL)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__GREATER_OR_EQUAL)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__GREATER)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__LESS_OR_EQUAL)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__LESS)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION__UNEQUAL)
QKEL_PB_SAME_END(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, TRIGGER_CONDITION, TRIGGER_CONDITION__UNEQUAL)

QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, LOGIC_MODE__OR)
QKEL_PB_SAME_VALUE(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, LOGIC_MODE__AND)
QKEL_PB_SAME_END(Product::Morvane::Tarn210::SafetyFunction, Product::Morvane::Tarn210, LOGIC_MODE, LOGIC_MODE__AND)

QKEL_PB_SAME_VALUE(Socket::Server, Socket, PROTOCOL__TCP)
QKEL_PB_SAME_VALUE(Socket::Server, Socket, PROTOCOL__UDP)
QKEL_PB_SAME_END(Socket::Server, Socket, PROTOCOL, PROTOCOL__UDP)

QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__NONE)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__OPEN_WEP64)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__OPEN_WEP128)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__SHARED_WEP64)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__SHARED_WEP128)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__WPA)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__WPA2)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__WPA_WPA2_MIXED)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__LEAP)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__PEAP)
QKEL_PB_SAME_VALUE(Wlan::Authentication, Wlan, AUTHENTICATION_MODE__EAPTLS)
QKEL_PB_SAME_END(Wlan::Authentication, Wlan, AUTHENTICATION_MODE, AUTHENTICATION_MODE__EAPTLS)

QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, STANDARD__802_11_B)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, STANDARD__802_11_AG)
QKEL_PB_SAME_END(Wlan::AccessPointConfig, Wlan, STANDARD, STANDARD__802_11_AG)

QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__1_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__2_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__5_5_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__6_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__9_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__11_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__12_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__18_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__24_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__36_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__48_MBIT_S)
QKEL_PB_SAME_VALUE(Wlan::AccessPointConfig, Wlan, DATA_RATE__54_MBIT_S)
QKEL_PB_SAME_END(Wlan::AccessPointConfig, Wlan, DATA_RATE, DATA_RATE__54_MBIT_S)

QKEL_PB_SAME_VALUE(Wlan::Config, Wlan, OPERATING_MODE__ADHOC)
QKEL_PB_SAME_VALUE(Wlan::Config, Wlan, OPERATING_MODE__INFRASTRUCTURE)
QKEL_PB_SAME_VALUE(Wlan::Config, Wlan, OPERATING_MODE__MINI_AP)
QKEL_PB_SAME_END(Wlan::Config, Wlan, OPERATING_MODE, OPERATING_MODE__MINI_AP)

QKEL_PB_SAME_VALUE(Interface::Config, Interface, TYPE__NONE)
QKEL_PB_SAME_VALUE(Interface::Config, Interface, TYPE__NETWORK)
QKEL_PB_SAME_END(Interface::Config, Interface, TYPE, TYPE__NETWORK)

QKEL_PB_SAME_VALUE(Remote::Config, Remote, TYPE__NONE)
QKEL_PB_SAME_VALUE(Remote::Config, Remote, TYPE__SOCKET)
QKEL_PB_SAME_VALUE(Remote::Config, Remote, TYPE__SPP)
QKEL_PB_SAME_END(Remote::Config, Remote, TYPE, TYPE__SPP)

QKEL_PB_SAME_VALUE(Server::Config, Server, TYPE__NONE)
QKEL_PB_SAME_VALUE(Server::Config, Server, TYPE__SOCKET)
QKEL_PB_SAME_VALUE(Server::Config, Server, TYPE__SPP)
QKEL_PB_SAME_END(Server::Config, Server, TYPE, TYPE__SPP)

#include "wlan.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Wlan {

QKEL_PB_WRAPPER(EnterpriseAuthentication, "Wlan::EnterpriseAuthentication")
QKEL_PB_VALUE(EnterpriseAuthentication, QString, userName, setUserName)
QKEL_PB_VALUE(EnterpriseAuthentication, QString, domainName, setDomainName)
QKEL_PB_VALUE(EnterpriseAuthentication, QString, password, setPassword)

// Packing needs no rule of its own: a child switches the oneof to the
// enterprise record, no child clears it only when it holds that record.
QKEL_PB_WRAPPER(Authentication, "Wlan::Authentication")
QKEL_PB_VALUE_READ(Authentication, AUTHENTICATION_MODE, authenticationMode)
QKEL_PB_VALUE_READ(Authentication, QString, passphrase)
QKEL_PB_CHILD(Authentication, EnterpriseAuthentication, enterpriseAuthentication, setEnterpriseAuthentication)

static bool isEnterprise(Authentication::AUTHENTICATION_MODE mode)
{
    return mode == Authentication::AUTHENTICATION_MODE__LEAP || mode == Authentication::AUTHENTICATION_MODE__PEAP
        || mode == Authentication::AUTHENTICATION_MODE__EAPTLS;
}

// The enterprise modes need credentials; any other mode falls back to an
// empty passphrase.
void Authentication::setAuthenticationMode(AUTHENTICATION_MODE value)
{
    QKEL_PB_FIELD_OF(Authentication, "authenticationMode");
    if (!d->storeValue(field, value))
        return;
    if (isEnterprise(value) && !enterpriseAuthentication()) {
        setEnterpriseAuthentication(new EnterpriseAuthentication(this));
    } else if (!isEnterprise(value) && enterpriseAuthentication()) {
        setPassphrase(QString());
        setEnterpriseAuthentication(nullptr);
    }
    emit authenticationModeChanged(value);
}

// A passphrase replaces the enterprise credentials.
void Authentication::setPassphrase(QString value)
{
    QKEL_PB_FIELD_OF(Authentication, "passphrase");
    if (!d->storeValue(field, value))
        return;
    emit passphraseChanged(value);
    setEnterpriseAuthentication(nullptr);
}

QKEL_PB_WRAPPER(AccessPointConfig, "Wlan::AccessPointConfig")
QKEL_PB_VALUE(AccessPointConfig, uint, standardMask, setStandardMask)
QKEL_PB_VALUE(AccessPointConfig, uint, channel, setChannel)
QKEL_PB_VALUE(AccessPointConfig, uint, dataRateMask, setDataRateMask)

// The getters report mode 1 and 100 % while the fields are absent.
QKEL_PB_WRAPPER(Config, "Wlan::Config")
QKEL_PB_VALUE(Config, OPERATING_MODE, mode, setMode, OPERATING_MODE__INFRASTRUCTURE)
QKEL_PB_VALUE(Config, QString, ssid, setSsid)
QKEL_PB_VALUE(Config, QString, bssid, setBssid)
QKEL_PB_VALUE(Config, QList<quint32>, channelList, setChannelList)
QKEL_PB_VALUE(Config, uint, outputPowerPercent, setOutputPowerPercent, 100)
QKEL_PB_CHILD(Config, Authentication, authentication, setAuthentication)
QKEL_PB_CHILD(Config, Ip::Config, ipConfig, setIpConfig)
QKEL_PB_CHILD(Config, AccessPointConfig, accessPointConfig, setAccessPointConfig)

}  // namespace QKel::Pb::Wlan

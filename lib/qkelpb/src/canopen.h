#pragma once

#include "abstractmessage.h"

#include <QList>
#include <QQmlListProperty>

#include <canopen.pb.h>

namespace QKel::Pb::CanOpen {

// One SDO channel pair. The getters report the CANopen base identifiers and
// the usual timeout while the fields are absent.
class SdoConfig : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint rxChannel READ rxChannel WRITE setRxChannel NOTIFY rxChannelChanged)
    Q_PROPERTY(uint txChannel READ txChannel WRITE setTxChannel NOTIFY txChannelChanged)
    Q_PROPERTY(uint timeoutMs READ timeoutMs WRITE setTimeoutMs NOTIFY timeoutMsChanged)
    QKEL_PB_MESSAGE(SdoConfig, Kel::Pb::CanOpen::SdoConfig)

public:
    // The CANopen NMT state codes.
    enum NMT_STATE : int {
        NMT_STATE__BOOT = 0,
        NMT_STATE__STOPPED = 4,
        NMT_STATE__OPERATIONAL = 5,
        NMT_STATE__PRE_OPERATIONAL = 127,
    };
    Q_ENUM(NMT_STATE)

    uint rxChannel() const;
    void setRxChannel(uint value);
    uint txChannel() const;
    void setTxChannel(uint value);
    uint timeoutMs() const;
    void setTimeoutMs(uint value);

signals:
    void rxChannelChanged(uint);
    void txChannelChanged(uint);
    void timeoutMsChanged(uint);
};

class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint nodeId READ nodeId WRITE setNodeId NOTIFY nodeIdChanged)
    Q_PROPERTY(uint nmtHeartbeatMs READ nmtHeartbeatMs WRITE setNmtHeartbeatMs NOTIFY nmtHeartbeatMsChanged)
    Q_PROPERTY(QKel::Pb::CanOpen::SdoConfig::NMT_STATE nmtStartupState READ nmtStartupState WRITE setNmtStartupState NOTIFY nmtStartupStateChanged)
    Q_PROPERTY(bool bootMessageEnabled READ bootMessageEnabled WRITE setBootMessageEnabled NOTIFY bootMessageEnabledChanged)
    Q_PROPERTY(bool sendNmtStartToAllNodes READ sendNmtStartToAllNodes WRITE setSendNmtStartToAllNodes NOTIFY sendNmtStartToAllNodesChanged)
    Q_PROPERTY(bool j1939Active READ j1939Active WRITE setJ1939Active NOTIFY j1939ActiveChanged)
    Q_PROPERTY(QQmlListProperty<QKel::Pb::CanOpen::SdoConfig> sdoConfigList READ qmlSdoConfigList NOTIFY sdoConfigListChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::CanOpen::Config)

public:
    // CAN bit rates; used by Can::Config.
    enum BAUD_RATE : int {
        BAUD_RATE__1_MBIT_S = 0,
        BAUD_RATE__800_KBIT_S = 1,
        BAUD_RATE__500_KBIT_S = 2,
        BAUD_RATE__250_KBIT_S = 3,
        BAUD_RATE__125_KBIT_S = 4,
        BAUD_RATE__100_KBIT_S = 5,
        BAUD_RATE__50_KBIT_S = 6,
        BAUD_RATE__20_KBIT_S = 7,
        BAUD_RATE__10_KBIT_S = 8,
        BAUD_RATE__83_333_KBIT_S = 9,
        BAUD_RATE__CUSTOM = 10,
    };
    Q_ENUM(BAUD_RATE)

    uint nodeId() const;
    void setNodeId(uint value);
    uint nmtHeartbeatMs() const;
    void setNmtHeartbeatMs(uint value);
    SdoConfig::NMT_STATE nmtStartupState() const;
    void setNmtStartupState(SdoConfig::NMT_STATE value);
    bool bootMessageEnabled() const;
    void setBootMessageEnabled(bool value);
    bool sendNmtStartToAllNodes() const;
    void setSendNmtStartToAllNodes(bool value);
    bool j1939Active() const;
    void setJ1939Active(bool value);
    QList<SdoConfig*> sdoConfigList() const;
    void setSdoConfigList(const QList<SdoConfig*>& list);
    QQmlListProperty<SdoConfig> qmlSdoConfigList();

signals:
    void nodeIdChanged(uint);
    void nmtHeartbeatMsChanged(uint);
    void nmtStartupStateChanged(QKel::Pb::CanOpen::SdoConfig::NMT_STATE);
    void bootMessageEnabledChanged(bool);
    void sendNmtStartToAllNodesChanged(bool);
    void j1939ActiveChanged(bool);
    void sdoConfigListChanged(QList<QKel::Pb::CanOpen::SdoConfig*>);
};

}  // namespace QKel::Pb::CanOpen

#pragma once

#include "abstractmessage.h"
#include "canopen.h"

#include <QList>
#include <QQmlListProperty>

#include <can.pb.h>

namespace QKel::Pb::Can {

// One receive filter; the device firmware applies it, the wrapper only keeps
// its fields.
class Filter : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(bool extended READ extended WRITE setExtended NOTIFY extendedChanged)
    Q_PROPERTY(bool extendedMatters READ extendedMatters WRITE setExtendedMatters NOTIFY extendedMattersChanged)
    Q_PROPERTY(uint id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(uint mask READ mask WRITE setMask NOTIFY maskChanged)
    Q_PROPERTY(uint inhibitTimeMs READ inhibitTimeMs WRITE setInhibitTimeMs NOTIFY inhibitTimeMsChanged)
    Q_PROPERTY(bool remoteFrame READ remoteFrame WRITE setRemoteFrame NOTIFY remoteFrameChanged)
    Q_PROPERTY(uint pgn READ pgn WRITE setPgn NOTIFY pgnChanged)
    QKEL_PB_MESSAGE(Filter, Kel::Pb::Can::Filter)

public:
    bool enabled() const;
    void setEnabled(bool value);
    bool extended() const;
    void setExtended(bool value);
    bool extendedMatters() const;
    void setExtendedMatters(bool value);
    uint id() const;
    void setId(uint value);
    uint mask() const;
    void setMask(uint value);
    uint inhibitTimeMs() const;
    void setInhibitTimeMs(uint value);
    bool remoteFrame() const;
    void setRemoteFrame(bool value);
    uint pgn() const;
    void setPgn(uint value);

signals:
    void enabledChanged(bool);
    void extendedChanged(bool);
    void extendedMattersChanged(bool);
    void idChanged(uint);
    void maskChanged(uint);
    void inhibitTimeMsChanged(uint);
    void remoteFrameChanged(bool);
    void pgnChanged(uint);
};

// The CAN bus: bit rate, receive filters and CANopen settings. The properties
// spell "baudRate" where the record's fields spell "baudrate".
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QKel::Pb::CanOpen::Config::BAUD_RATE baudRateCanOpen READ baudRateCanOpen WRITE setBaudRateCanOpen NOTIFY baudRateCanOpenChanged)
    Q_PROPERTY(uint baudRateBps READ baudRateBps WRITE setBaudRateBps NOTIFY baudRateBpsChanged)
    Q_PROPERTY(uint baudRateSfr READ baudRateSfr WRITE setBaudRateSfr NOTIFY baudRateSfrChanged)
    Q_PROPERTY(QQmlListProperty<QKel::Pb::Can::Filter> filterList READ qmlFilterList NOTIFY filterListChanged)
    Q_PROPERTY(QKel::Pb::CanOpen::Config* canOpenConfig READ canOpenConfig WRITE setCanOpenConfig NOTIFY canOpenConfigChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Can::Config)

public:
    CanOpen::Config::BAUD_RATE baudRateCanOpen() const;
    void setBaudRateCanOpen(CanOpen::Config::BAUD_RATE value);
    uint baudRateBps() const;
    void setBaudRateBps(uint value);
    uint baudRateSfr() const;
    void setBaudRateSfr(uint value);
    QList<Filter*> filterList() const;
    void setFilterList(const QList<Filter*>& list);
    QQmlListProperty<Filter> qmlFilterList();
    CanOpen::Config* canOpenConfig() const;
    void setCanOpenConfig(CanOpen::Config* child);

signals:
    void baudRateCanOpenChanged(QKel::Pb::CanOpen::Config::BAUD_RATE);
    void baudRateBpsChanged(uint);
    void baudRateSfrChanged(uint);
    void filterListChanged(QList<QKel::Pb::Can::Filter*>);
    void canOpenConfigChanged(QKel::Pb::CanOpen::Config*);
};

}  // namespace QKel::Pb::Can

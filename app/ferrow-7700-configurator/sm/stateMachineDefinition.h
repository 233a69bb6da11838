#pragma once

#include "stateMachineEvents.h"

#include <protocol/bootProtocol.h>

#include <boost/msm/front/euml/operator.hpp>
#include <boost/msm/front/functor_row.hpp>
#include <boost/msm/front/state_machine_def.hpp>
#include <boost/mpl/vector/vector50.hpp>

#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QString>
#include <QVariantList>

#include <type_traits>

namespace QKel::Sm {

class StateMachineDefinitionPrivate;

// One session with the device on the serial link: the boot handshake,
// identification of the product, reading and writing of its configuration and
// the commands that end a session. The class is both the QObject that carries
// the session data and signals, and the front end of the Boost MSM machine
// (the back end is instantiated in one source file only, see StateMachineBackend).
class StateMachineDefinition : public QObject,
                               public boost::msm::front::state_machine_def<StateMachineDefinition>
{
    Q_OBJECT
    Q_PROPERTY(bool connected READ connected NOTIFY connectedChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(QObject* currentDevice READ currentDevice NOTIFY currentDeviceChanged)
    Q_PROPERTY(QString deviceIdString READ deviceIdString NOTIFY deviceIdStringChanged)

public:
    explicit StateMachineDefinition(QObject* parent = nullptr);
    ~StateMachineDefinition() override;

    bool connected() const;
    bool busy() const;
    QObject* currentDevice() const;
    QString deviceIdString() const;
    QString productId() const;
    QSharedPointer<QKel::Device::AbstractDevice> device() const;
    // A payload that repeats the identification string (up to its first zero byte).
    bool isDeviceIdString(const QByteArray& data) const;

    // Ends an autoflash run: "SUCCESS" or "ERROR" on standard error, and exit
    // code 0 or -1 for the application's event loop.
    static void finishAutoflash(bool success);

    // True from the acknowledgement of a write until its read-back was
    // judged: a failure now leaves the write unverified.
    bool isVerifyingWrite() const;
    // Ends an autoflash run with "ERROR" before anything more is sent, for a
    // fault the machine cannot see (the backup of what the gateway held could
    // not be kept).
    void cancelAutoflash();

signals:
    void writeData(QByteArray data);
    // A configuration the gateway reported, as received, before it is looked
    // at, with the serial number its product entry carries (0 for none).
    void configurationReceived(QByteArray configuration, quint32 serialNumber);
    void startCyclicWrite(QByteArray data, int intervalMs, bool stopOnData);
    void stopCyclicWrite();
    void connectedChanged(bool connected);
    void busyChanged(bool busy);
    void currentDeviceChanged(QObject* currentDevice);
    void deviceIdStringChanged(QString deviceIdString);
    void deviceUnsupported(QString deviceIdString, QString productId);
    void deviceError();
    void startTimeoutWatch(int ms);
    void stopTimeoutWatch();
    void connectSuccessful();
    void disconnectSuccessful();
    void readFromDeviceSuccessful();
    void writeToDeviceSuccessful();
    // The gateway acknowledged a write; its read-back follows.
    void writeAcknowledged();
    // The gateway acknowledged a write but reads back something else; one map
    // per differing leaf ("path", "deviceValue" read back, "editorValue" sent).
    void writeVerificationFailed(QVariantList differences);
    // The gateway acknowledged a write and answered its read-back with an error.
    void readBackRefused();
    void factoryResetSuccessful();
    void pairingModeSuccessful();

private:
    template <class Fsm>
    static StateMachineDefinition& self(Fsm& fsm)
    {
        return static_cast<StateMachineDefinition&>(fsm);
    }

    // Store a flag and announce it, also when it did not change.
    void setBusy(bool busy);
    void setConnected(bool connected);

    // Entries of the states.
    void enterInitialization();
    void enterDisconnected();
    void enterAttemptingConnection();
    void enterReadProductId();
    void enterIdentifyDevice();
    void enterConnected();
    void enterReadDeviceConfiguration(bool requestedByUser);
    void enterWriteDeviceConfiguration();
    void enterVerifyDeviceConfiguration();

    // Actions.
    void setAutoflash();
    void finalizeConnection(const EventNewData& event);
    void signalDeviceUnsupported();
    void storeProductId(const EventNewData& event);
    void signalConnectSuccess();
    void announceConfiguration(const QKel::Device::ParsedConfiguration& configuration);
    void storeDeviceConfiguration(const EventNewData& event);
    bool restoreDeviceConfiguration(const QKel::Device::ParsedConfiguration& configuration);
    void signalDeviceError();
    void signalWriteSuccess(const EventNewData& event);
    void signalWriteMismatch(const EventNewData& event);
    void signalReadBackRefused();
    void abortWithSuccess();
    void abortWithError();
    void enterNormalOperation();
    void enterPairingMode();
    void factoryReset();
    void setDevice(const EventSetDevice& event, bool fromConnected);

    // Guards.
    bool isDataNotDeviceIdString(const EventNewData& event) const;
    bool isDeviceValid() const;
    bool isAutoflashActive() const;
    bool isNewDeviceProductIdMatch(const EventSetDevice& event) const;
    bool isReadBackMatching(const EventNewData& event) const;

    QScopedPointer<StateMachineDefinitionPrivate> d;

    // Front end of the machine: states, actions, guards and the table. The
    // functors only forward to the member functions above.
    using none = boost::msm::front::none;

#define TARN_SM_STATE(Name, entryCall)                                                         \
    struct Name : boost::msm::front::state<>                                                   \
    {                                                                                          \
        template <class Event, class Fsm>                                                      \
        void on_entry(const Event&, Fsm& fsm)                                                  \
        {                                                                                      \
            entryCall;                                                                         \
        }                                                                                      \
    };

    TARN_SM_STATE(StateInitialization, self(fsm).enterInitialization())
    TARN_SM_STATE(StateDisconnected, self(fsm).enterDisconnected())
    TARN_SM_STATE(StateAttemptingConnection, self(fsm).enterAttemptingConnection())
    TARN_SM_STATE(StateReadProductId, self(fsm).enterReadProductId())
    TARN_SM_STATE(StateIdentifyDevice, self(fsm).enterIdentifyDevice())
    TARN_SM_STATE(StateConnected, self(fsm).enterConnected())
    TARN_SM_STATE(StateReadDeviceConfiguration,
                  self(fsm).enterReadDeviceConfiguration(std::is_same_v<Event, EventReadDeviceConfiguration>))
    TARN_SM_STATE(StateWriteDeviceConfiguration, self(fsm).enterWriteDeviceConfiguration())
    TARN_SM_STATE(StateVerifyDeviceConfiguration, self(fsm).enterVerifyDeviceConfiguration())
    TARN_SM_STATE(StateError, (void)fsm)
#undef TARN_SM_STATE

#define TARN_SM_ACTION(Name, call)                                                             \
    struct Name                                                                                \
    {                                                                                          \
        template <class Event, class Fsm, class Source, class Target>                          \
        void operator()(const Event& event, Fsm& fsm, Source&, Target&) const                  \
        {                                                                                      \
            (void)event;                                                                       \
            call;                                                                              \
        }                                                                                      \
    };

    TARN_SM_ACTION(ActionSetAutoflash, self(fsm).setAutoflash())
    TARN_SM_ACTION(ActionFinalizeConnection, self(fsm).finalizeConnection(event))
    TARN_SM_ACTION(ActionDeviceUnsupported, self(fsm).signalDeviceUnsupported())
    TARN_SM_ACTION(ActionStoreProductId, self(fsm).storeProductId(event))
    TARN_SM_ACTION(ActionSignalConnectSuccess, self(fsm).signalConnectSuccess())
    TARN_SM_ACTION(ActionStoreDeviceConfiguration, self(fsm).storeDeviceConfiguration(event))
    TARN_SM_ACTION(ActionDeviceError, self(fsm).signalDeviceError())
    TARN_SM_ACTION(ActionSignalWriteSuccess, self(fsm).signalWriteSuccess(event))
    TARN_SM_ACTION(ActionSignalWriteMismatch, self(fsm).signalWriteMismatch(event))
    TARN_SM_ACTION(ActionSignalReadBackRefused, self(fsm).signalReadBackRefused())
    TARN_SM_ACTION(ActionAbortWithError, self(fsm).abortWithError())
    TARN_SM_ACTION(ActionEnterNormalOperation, self(fsm).enterNormalOperation())
    TARN_SM_ACTION(ActionEnterPairingMode, self(fsm).enterPairingMode())
    TARN_SM_ACTION(ActionFactoryReset, self(fsm).factoryReset())
    TARN_SM_ACTION(ActionSetDevice,
                   self(fsm).setDevice(event, std::is_same_v<Source, StateConnected>))
#undef TARN_SM_ACTION

#define TARN_SM_GUARD(Name, test)                                                              \
    struct Name                                                                                \
    {                                                                                          \
        template <class Event, class Fsm, class Source, class Target>                          \
        bool operator()(const Event& event, Fsm& fsm, Source&, Target&) const                  \
        {                                                                                      \
            (void)event;                                                                       \
            (void)fsm;                                                                         \
            return test;                                                                       \
        }                                                                                      \
    };

    TARN_SM_GUARD(GuardDeviceIdStringValid, !event.data.isEmpty())
    TARN_SM_GUARD(GuardDataNotDeviceIdString, self(fsm).isDataNotDeviceIdString(event))
    TARN_SM_GUARD(GuardProductIdValid, !event.data.isEmpty())
    TARN_SM_GUARD(GuardDeviceValid, self(fsm).isDeviceValid())
    TARN_SM_GUARD(GuardAutoflashActive, self(fsm).isAutoflashActive())
    TARN_SM_GUARD(GuardNewDeviceProductIdMatch, self(fsm).isNewDeviceProductIdMatch(event))
    TARN_SM_GUARD(GuardReadConfigurationCommandSuccessful, event.data.startsWith(QKel::Comms::Protocol::BootProtocol::CommandReadProtobuf))
    TARN_SM_GUARD(GuardWriteConfigurationCommandSuccessful, event.data.startsWith(QKel::Comms::Protocol::BootProtocol::CommandWriteProtobuf))
    TARN_SM_GUARD(GuardDeviceError, event.data.startsWith(QKel::Comms::Protocol::BootProtocol::ErrorAnswer))
    TARN_SM_GUARD(GuardReadBackMatches, self(fsm).isReadBackMatching(event))
#undef TARN_SM_GUARD

    template <class G1, class G2>
    using And = boost::msm::front::euml::And_<G1, G2>;
    template <class G>
    using Not = boost::msm::front::euml::Not_<G>;
    template <class Source, class Event, class Target, class Action = none, class Guard = none>
    using Row = boost::msm::front::Row<Source, Event, Target, Action, Guard>;

public:
    using initial_state = StateInitialization;

    // Rows sharing a state and an event are tried from the last to the first.
    // Every write is read back ("L") and counts only when the gateway holds
    // what was sent; an autoflash reads the gateway before it writes, so that
    // what the write replaces is kept. The verdict on a read-back ends an
    // autoflash in its action (the table holds at most 50 rows).
    using transition_table = boost::mpl::vector50<
        Row<StateInitialization, none, StateDisconnected>,
        Row<StateDisconnected, EventConnect, StateAttemptingConnection>,
        Row<StateDisconnected, EventSetDevice, StateDisconnected, ActionSetDevice>,
        Row<StateDisconnected, EventAutoflash, StateAttemptingConnection, ActionSetAutoflash>,
        Row<StateAttemptingConnection, EventNewData, StateReadProductId, ActionFinalizeConnection, GuardDeviceIdStringValid>,
        Row<StateAttemptingConnection, EventNewData, StateError, ActionDeviceUnsupported, Not<GuardDeviceIdStringValid>>,
        Row<StateAttemptingConnection, EventDisconnect, StateInitialization>,
        Row<StateAttemptingConnection, EventCommsError, StateError>,
        Row<StateAttemptingConnection, EventTimeout, StateError>,
        Row<StateReadProductId, EventNewData, StateIdentifyDevice, ActionStoreProductId,
            And<GuardDataNotDeviceIdString, GuardProductIdValid>>,
        Row<StateReadProductId, EventNewData, StateError, ActionDeviceUnsupported,
            And<GuardDataNotDeviceIdString, Not<GuardProductIdValid>>>,
        Row<StateReadProductId, EventDisconnect, StateInitialization>,
        Row<StateReadProductId, EventCommsError, StateError>,
        Row<StateReadProductId, EventTimeout, StateError>,
        Row<StateIdentifyDevice, none, StateReadDeviceConfiguration, ActionSignalConnectSuccess, GuardDeviceValid>,
        Row<StateIdentifyDevice, none, StateError, ActionDeviceUnsupported, Not<GuardDeviceValid>>,
        Row<StateIdentifyDevice, EventDisconnect, StateInitialization>,
        Row<StateIdentifyDevice, EventCommsError, StateError>,
        Row<StateIdentifyDevice, EventTimeout, StateError>,
        Row<StateConnected, EventDisconnect, StateInitialization>,
        Row<StateConnected, EventReadDeviceConfiguration, StateReadDeviceConfiguration>,
        Row<StateConnected, EventWriteDeviceConfiguration, StateWriteDeviceConfiguration>,
        Row<StateConnected, EventEnterNormalOperation, StateInitialization, ActionEnterNormalOperation>,
        Row<StateConnected, EventEnterPairingMode, StateInitialization, ActionEnterPairingMode>,
        Row<StateConnected, EventFactoryReset, StateInitialization, ActionFactoryReset>,
        Row<StateConnected, EventSetDevice, StateConnected, ActionSetDevice, GuardNewDeviceProductIdMatch>,
        Row<StateConnected, EventSetDevice, StateDisconnected, ActionSetDevice, Not<GuardNewDeviceProductIdMatch>>,
        Row<StateConnected, EventCommsError, StateError>,
        Row<StateConnected, EventTimeout, StateError>,
        Row<StateConnected, EventLoadError, StateError>,
        Row<StateConnected, none, StateWriteDeviceConfiguration, none, GuardAutoflashActive>,
        Row<StateReadDeviceConfiguration, EventNewData, StateConnected, ActionStoreDeviceConfiguration,
            And<GuardDataNotDeviceIdString, GuardReadConfigurationCommandSuccessful>>,
        Row<StateReadDeviceConfiguration, EventNewData, StateError, ActionDeviceError,
            And<GuardDataNotDeviceIdString, GuardDeviceError>>,
        Row<StateReadDeviceConfiguration, EventDisconnect, StateInitialization>,
        Row<StateReadDeviceConfiguration, EventCommsError, StateError>,
        Row<StateReadDeviceConfiguration, EventTimeout, StateError>,
        Row<StateReadDeviceConfiguration, EventLoadError, StateError>,
        Row<StateWriteDeviceConfiguration, EventNewData, StateVerifyDeviceConfiguration, none,
            And<GuardDataNotDeviceIdString, GuardWriteConfigurationCommandSuccessful>>,
        Row<StateWriteDeviceConfiguration, EventNewData, StateError, ActionDeviceError,
            And<GuardDataNotDeviceIdString, GuardDeviceError>>,
        Row<StateWriteDeviceConfiguration, EventDisconnect, StateInitialization>,
        Row<StateWriteDeviceConfiguration, EventCommsError, StateError>,
        Row<StateWriteDeviceConfiguration, EventTimeout, StateError>,
        Row<StateVerifyDeviceConfiguration, EventNewData, StateConnected, ActionSignalWriteSuccess,
            And<GuardDataNotDeviceIdString, And<GuardReadConfigurationCommandSuccessful, GuardReadBackMatches>>>,
        Row<StateVerifyDeviceConfiguration, EventNewData, StateConnected, ActionSignalWriteMismatch,
            And<GuardDataNotDeviceIdString, And<GuardReadConfigurationCommandSuccessful, Not<GuardReadBackMatches>>>>,
        Row<StateVerifyDeviceConfiguration, EventNewData, StateError, ActionSignalReadBackRefused,
            And<GuardDataNotDeviceIdString, GuardDeviceError>>,
        Row<StateVerifyDeviceConfiguration, EventDisconnect, StateInitialization>,
        Row<StateVerifyDeviceConfiguration, EventCommsError, StateError>,
        Row<StateVerifyDeviceConfiguration, EventTimeout, StateError>,
        Row<StateError, none, StateInitialization>,
        Row<StateError, none, StateInitialization, ActionAbortWithError, GuardAutoflashActive>>;

    // Events without a row in the current state are dropped silently; the
    // caller learns it from the result of process_event.
    template <class Fsm, class Event>
    void no_transition(const Event&, Fsm&, int)
    {
    }

    // Nothing in the actions throws, so the machine needs no exception handling.
    using no_exception_thrown = int;
};

} // namespace QKel::Sm

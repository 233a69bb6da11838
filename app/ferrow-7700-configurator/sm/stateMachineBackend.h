#pragma once

#include "stateMachineEvents.h"

#include <QScopedPointer>

namespace QKel::Sm {

class StateMachineDefinition;
class StateMachineBackendPrivate;

// The running machine: the Boost MSM back end instantiated on
// StateMachineDefinition. Only this class's source file instantiates the
// transition table, which keeps its considerable compile cost in one place.
//
// Each process() delivers one event and returns whether the machine handled it
// (or queued it behind the event being processed); false means the current
// state has no row for it, or every guard of its rows rejected it.
class StateMachineBackend
{
public:
    StateMachineBackend();
    ~StateMachineBackend();
    StateMachineBackend(const StateMachineBackend&) = delete;
    StateMachineBackend& operator=(const StateMachineBackend&) = delete;

    // Enters the initial state and runs the completion transitions.
    void start();

    StateMachineDefinition* definition() const;

    bool process(const EventConnect& event);
    bool process(const EventDisconnect& event);
    bool process(const EventAutoflash& event);
    bool process(const EventNewData& event);
    bool process(const EventTimeout& event);
    bool process(const EventCommsError& event);
    bool process(const EventLoadError& event);
    bool process(const EventSetDevice& event);
    bool process(const EventReadDeviceConfiguration& event);
    bool process(const EventWriteDeviceConfiguration& event);
    bool process(const EventEnterNormalOperation& event);
    bool process(const EventEnterPairingMode& event);
    bool process(const EventFactoryReset& event);

private:
    QScopedPointer<StateMachineBackendPrivate> d;
};

} // namespace QKel::Sm

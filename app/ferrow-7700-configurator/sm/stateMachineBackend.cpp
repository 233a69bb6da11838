#include "stateMachineBackend.h"

#include "stateMachineDefinition.h"

#include <boost/msm/back/state_machine.hpp>

namespace QKel::Sm {

class StateMachineBackendPrivate
{
public:
    template <class Event>
    bool process(const Event& event)
    {
        return (machine.process_event(event) & boost::msm::back::HANDLED_TRUE) != 0;
    }

    boost::msm::back::state_machine<StateMachineDefinition> machine;
};

StateMachineBackend::StateMachineBackend()
    : d(new StateMachineBackendPrivate)
{
}

StateMachineBackend::~StateMachineBackend() = default;

void StateMachineBackend::start()
{
    d->machine.start();
}

StateMachineDefinition* StateMachineBackend::definition() const
{
    return &d->machine;
}

bool StateMachineBackend::process(const EventConnect& event) { return d->process(event); }
bool StateMachineBackend::process(const EventDisconnect& event) { return d->process(event); }
bool StateMachineBackend::process(const EventAutoflash& event) { return d->process(event); }
bool StateMachineBackend::process(const EventNewData& event) { return d->process(event); }
bool StateMachineBackend::process(const EventTimeout& event) { return d->process(event); }
bool StateMachineBackend::process(const EventCommsError& event) { return d->process(event); }
bool StateMachineBackend::process(const EventLoadError& event) { return d->process(event); }
bool StateMachineBackend::process(const EventSetDevice& event) { return d->process(event); }
bool StateMachineBackend::process(const EventReadDeviceConfiguration& event) { return d->process(event); }
bool StateMachineBackend::process(const EventWriteDeviceConfiguration& event) { return d->process(event); }
bool StateMachineBackend::process(const EventEnterNormalOperation& event) { return d->process(event); }
bool StateMachineBackend::process(const EventEnterPairingMode& event) { return d->process(event); }
bool StateMachineBackend::process(const EventFactoryReset& event) { return d->process(event); }

} // namespace QKel::Sm

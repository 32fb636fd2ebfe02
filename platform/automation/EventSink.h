// Events from an object to its host: the host's sink receives each event by dispatch
// identifier with its arguments; by-reference arguments changed by the handler are read back
// by the object after the call.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

#include <span>
#include <vector>

namespace plat::automation {

class EventSink {
public:
    virtual ~EventSink() = default;
    // `args` in call order. A by-reference argument (Variant::ref) may be assigned to by the
    // handler; the raiser reads the new value from its own variable after onEvent returns.
    virtual void onEvent(DispId id, std::span<Variant> args) = 0;
};

// Implemented by objects that raise events (Dispatch::eventSource()).
class EventSource {
public:
    virtual ~EventSource() = default;
    // The host keeps the sink alive until it calls unadvise.
    virtual void advise(EventSink* sink) = 0;
    virtual void unadvise(EventSink* sink) = 0;
    // Description of the event interface (names and arguments of the events), or nullptr.
    virtual const TypeInfo* eventTypeInfo() const = 0;
};

// The list of connected sinks an event source keeps; fire() calls every sink in the order
// they were advised. A sink that unadvises during an event is not called afterwards.
class EventSinkList {
public:
    void add(EventSink* sink);
    void remove(EventSink* sink);
    bool empty() const { return sinks_.empty(); }
    void fire(DispId id, std::span<Variant> args);

private:
    std::vector<EventSink*> sinks_;
};

} // namespace plat::automation

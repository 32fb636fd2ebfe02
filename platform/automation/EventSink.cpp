// The list of sinks connected to an event source.
#include "platform/automation/EventSink.h"

#include <algorithm>

namespace plat::automation {

void EventSinkList::add(EventSink* sink) {
    if (sink && std::find(sinks_.begin(), sinks_.end(), sink) == sinks_.end())
        sinks_.push_back(sink);
}

void EventSinkList::remove(EventSink* sink) {
    sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

void EventSinkList::fire(DispId id, std::span<Variant> args) {
    // A handler may unadvise (itself or another sink) while the event runs: iterate over a
    // copy and skip sinks that are gone.
    const std::vector<EventSink*> snapshot = sinks_;
    for (EventSink* s : snapshot)
        if (std::find(sinks_.begin(), sinks_.end(), s) != sinks_.end())
            s->onEvent(id, args);
}

} // namespace plat::automation

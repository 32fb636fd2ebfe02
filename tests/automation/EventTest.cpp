// Events from a component to its host: arguments by identifier, by-reference arguments read
// back by the raiser, and sinks that disconnect while an event runs.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "tests/automation/TestRegistry.h"
#include "tests/automation/component/TallyIds.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat::automation;

namespace {

struct RecordingSink : EventSink {
    std::vector<std::pair<DispId, std::vector<Variant>>> events;
    std::function<void(DispId, std::span<Variant>)> handler;
    void onEvent(DispId id, std::span<Variant> args) override {
        std::vector<Variant> copy;
        for (const auto& a : args)
            copy.push_back(a.deref());
        events.emplace_back(id, std::move(copy));
        if (handler)
            handler(id, args);
    }
};

class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(registerLibrary(automation_test::tallyLibrary()), status::Ok);
        ASSERT_EQ(createInstance(tally::kProgId, obj), status::Ok);
        src = obj->eventSource();
        ASSERT_NE(src, nullptr);
        src->advise(&sink);
    }
    void TearDown() override { src->unadvise(&sink); }

    automation_test::ScopedRegistry registry;
    std::shared_ptr<Dispatch> obj;
    EventSource* src = nullptr;
    RecordingSink sink;
};

TEST_F(EventTest, HandlerChangesOfByReferenceArgumentsAreReadBack) {
    sink.handler = [](DispId id, std::span<Variant> args) {
        if (id == tally::kEvKeyDown && args[0].toShort() == 13)
            args[0].assign(Variant(std::int16_t{9})); // Return becomes Tab
    };
    EXPECT_EQ(callMethod(*obj, u"PressKey", {Variant(std::int16_t{13}), Variant(std::int16_t{1})}),
              Variant(std::int16_t{9}));
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].first, tally::kEvKeyDown);
    EXPECT_EQ(sink.events[0].second[0], Variant(std::int16_t{13}));
    EXPECT_EQ(sink.events[0].second[1], Variant(std::int16_t{1}));
    // A handler that leaves the argument alone gives the key through unchanged.
    EXPECT_EQ(callMethod(*obj, u"PressKey", {Variant(std::int16_t{65})}),
              Variant(std::int16_t{65}));
}

TEST_F(EventTest, EventsNameTheirArgumentsInTheEventTypeInfo) {
    putProperty(*obj, u"Caption", Variant(u"abc"));
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].first, tally::kEvChanged);
    EXPECT_EQ(sink.events[0].second.at(0), Variant(u"Caption"));
    const TypeInfo* ti = src->eventTypeInfo();
    ASSERT_NE(ti, nullptr);
    const MemberInfo* kd = ti->findMember(tally::kEvKeyDown);
    ASSERT_NE(kd, nullptr);
    EXPECT_EQ(kd->name, u"KeyDown");
    EXPECT_TRUE(kd->params.at(0).byRef);
    EXPECT_FALSE(kd->params.at(1).byRef);
}

TEST(EventSinkList, SinksMayDisconnectDuringAnEvent) {
    EventSinkList list;
    RecordingSink a, b, c;
    a.handler = [&](DispId, std::span<Variant>) {
        list.remove(&a);
        list.remove(&b);
    };
    list.add(&a);
    list.add(&b);
    list.add(&c);
    list.add(&c); // a second advise of the same sink is one connection
    std::vector<Variant> none;
    list.fire(1, none);
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_EQ(b.events.size(), 0u) << "b was removed before its turn";
    EXPECT_EQ(c.events.size(), 1u);
    list.fire(2, none);
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_EQ(c.events.size(), 2u);
}

} // namespace

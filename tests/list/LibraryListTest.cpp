// The list engine inside the shared library: a control created by its ProgID through the
// component registry has a working list.
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"

#include <gtest/gtest.h>

namespace {

using namespace plat::automation;

TEST(LibraryList, ControlCreatedByProgIdHasTheListEngine) {
    std::shared_ptr<Dispatch> control;
    AutomationError error;
    // The build tree's registry, where building the library registered it.
    const ComponentRegistry registry(VANTIL_BUILD_REGISTRY);
    ASSERT_EQ(createInstance("Quodra.VantilBox", control, &error, registry), status::Ok)
        << error.descriptionUtf8();
    callMethod(*control, u"AddItem", {Variant(std::int32_t{0}), Variant(u"b")});
    callMethod(*control, u"AddItem", {Variant(std::int32_t{0}), Variant(u"a")});
    EXPECT_EQ(getProperty(*control, u"ListCount").toLong(), 2);
    EXPECT_EQ(getProperty(*control, u"ItemText", {Variant(std::int32_t{0})}).toString(), u"a");
    callMethod(*control, u"AddSubItem",
               {Variant(std::int32_t{1}), Variant::missing(), Variant(u"b2")});
    auto items = getProperty(*control, u"ListItems").asObject();
    ASSERT_TRUE(items);
    EXPECT_EQ(getProperty(*items, u"Count").toLong(), 2);
    putProperty(*control, u"Sorted", Variant(std::int16_t{2}));
    EXPECT_EQ(getProperty(*control, u"ItemText", {Variant(std::int32_t{0})}).toString(), u"b2");
}

} // namespace

// ListItems and ListItem: positional item objects, keys, order indexes, the enumerator and the
// item limit.
#include "ListTestSupport.h"

namespace vantil::test {
namespace {

using plat::automation::status::False;
using plat::automation::status::InvalidArg;
using plat::automation::status::Ok;

struct ListItemsTest : ::testing::Test {
    ListControl c;
    std::shared_ptr<Dispatch> items = c.items();

    std::shared_ptr<Dispatch> add(std::vector<Variant> args) {
        return c.invoke(*items, u"Add", InvokeKind::Method, std::move(args), &last).isError()
                   ? nullptr
                   : last.asObject();
    }
    std::shared_ptr<Dispatch> item(Variant index) {
        return c.get(*items, u"Item", {index}).asObject();
    }
    std::int32_t itemsCount() { return c.get(*items, u"Count").toLong(); }
    std::string textOf(const std::shared_ptr<Dispatch>& obj) {
        return c.get(*obj, u"Text").toUtf8();
    }
    Variant last;
};

TEST_F(ListItemsTest, ObjectsAnswerForWhateverItemStandsAtTheirPosition) {
    add({Variant::missing(), text("k1"), text("first")});
    auto zero = item(num(0));
    ASSERT_TRUE(zero);
    EXPECT_EQ(textOf(zero), "first");

    // Insert before: the same object now reads the new item, Count grew.
    auto added = add({num(-5), text("k0"), text("zeroth"), num(7)});
    ASSERT_TRUE(added);
    EXPECT_EQ(c.get(*added, u"Index").toLong(), 0);
    EXPECT_EQ(textOf(zero), "zeroth");
    EXPECT_EQ(c.get(*zero, u"ItemData").toLong(), 7);
    EXPECT_EQ(itemsCount(), 2);
    EXPECT_EQ(item(num(0)), zero) << "one object per slot";

    // An index at or beyond Count appends.
    add({num(99), Variant::missing(), text("last")});
    EXPECT_EQ(c.itemText(2), "last");

    // Removing through an object removes the item at its position; the object then reads the
    // item that moved up, and the last slot's object is released.
    auto two = item(num(2));
    c.call(u"RemoveItem", {num(0)});
    EXPECT_EQ(textOf(zero), "first");
    EXPECT_EQ(c.get(*two, u"Text").toUtf8(), "") << "beyond the items: empty values";
    EXPECT_EQ(c.get(*two, u"ItemData").toLong(), -1);
    EXPECT_EQ(c.get(*two, u"OrderIndex").toLong(), -1);
    c.invoke(*items, u"Remove", InvokeKind::Method, {Variant(zero)}, nullptr);
    EXPECT_EQ(itemsCount(), 1);
    EXPECT_EQ(textOf(zero), "last");
}

TEST_F(ListItemsTest, KeysSelectTheLowestIndexAndNumbersSelectPositions) {
    add({Variant::missing(), text("shared"), text("a")});
    add({Variant::missing(), text("shared"), text("b")});
    add({Variant::missing(), text("3"), text("c")});
    EXPECT_EQ(textOf(item(text("shared"))), "a");
    EXPECT_EQ(textOf(item(text("3"))), "c") << "a text is always a key";
    EXPECT_EQ(textOf(item(Variant(1.7))), "c") << "numbers are rounded";
    EXPECT_FALSE(item(text("SHARED"))) << "keys compare exactly";
    EXPECT_FALSE(item(num(3)));
    EXPECT_FALSE(item(text("nope")));

    c.invoke(*items, u"Remove", InvokeKind::Method, {text("shared")}, nullptr);
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"b", "c"}));
}

TEST_F(ListItemsTest, OrderIndexFollowsTheItemThroughSortingAndRestartsAfterClear) {
    c.call(u"AddItem", {Variant::missing(), text("c")});
    c.call(u"AddItem", {Variant::missing(), text("a")});
    c.call(u"AddItem", {Variant::missing(), text("b")});
    c.put(u"Sorted", Variant(std::int16_t{1}));
    ASSERT_EQ(c.texts(), (std::vector<std::string>{"a", "b", "c"}));
    auto first = c.get(*items, u"ItemByOrderIndex", {num(0)}).asObject();
    ASSERT_TRUE(first);
    EXPECT_EQ(textOf(first), "c");
    EXPECT_EQ(c.get(*first, u"Index").toLong(), 2);
    EXPECT_FALSE(c.get(*items, u"ItemByOrderIndex", {num(3)}).asObject());

    c.invoke(*items, u"Clear", InvokeKind::Method, {}, nullptr);
    EXPECT_EQ(itemsCount(), 0);
    EXPECT_EQ(c.count(), 0);
    add({Variant::missing(), Variant::missing(), text("x")});
    auto again = c.get(*items, u"ItemByOrderIndex", {num(0)}).asObject();
    ASSERT_TRUE(again);
    EXPECT_EQ(textOf(again), "x");
}

TEST_F(ListItemsTest, EnumeratorNextSkipResetAndClone) {
    for (const char* t : {"a", "b", "c"}) {
        c.add(t);
    }
    auto object = c.get(*items, u"_NewEnum").asObject();
    auto* e = dynamic_cast<ListItemsEnum*>(object.get());
    ASSERT_NE(e, nullptr);
    Variant out[2];
    std::uint32_t fetched = 9;
    EXPECT_EQ(e->next(2, out, nullptr), InvalidArg) << "several values need a count";
    EXPECT_EQ(e->next(2, out, &fetched), Ok);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(textOf(out[1].asObject()), "b");
    auto copy = e->clone();
    EXPECT_EQ(e->next(2, out, &fetched), False) << "fewer than asked";
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(textOf(out[0].asObject()), "c");
    EXPECT_EQ(copy->next(1, out, nullptr), Ok) << "the clone kept the cursor";
    EXPECT_EQ(textOf(out[0].asObject()), "c");
    e->reset();
    EXPECT_EQ(e->skip(2), Ok);
    EXPECT_EQ(e->skip(5), False);
    EXPECT_EQ(e->cursor(), 3) << "not beyond the last object";

    // Through the dispatch interface, with a by-reference count.
    Variant value;
    Variant count(std::int32_t{0});
    e->reset();
    Variant args[3] = {num(1), Variant::ref(value), Variant::ref(count)};
    AutomationError error;
    Variant result;
    e->invoke(e->memberId(u"Next"), InvokeKind::Method, args, result, error);
    EXPECT_EQ(result.toLong(), Ok);
    EXPECT_EQ(count.toLong(), 1);
    EXPECT_EQ(textOf(value.asObject()), "a");

    // A count far beyond the items left fills what is left and says it fell short.
    Variant huge[3] = {num(-1), Variant::ref(value), Variant::ref(count)};
    EXPECT_EQ(e->invoke(e->memberId(u"Next"), InvokeKind::Method, huge, result, error), Ok);
    EXPECT_EQ(result.toLong(), False);
    EXPECT_EQ(count.toLong(), 2);
    EXPECT_EQ(textOf(value.asObject()), "b");
}

TEST_F(ListItemsTest, ItemPropertiesReadAndWriteTheItem) {
    c.add("item");
    c.call(u"AddColumn", {Variant::missing(), text("second")});
    auto obj = item(num(0));
    c.put(*obj, u"Key", text("キー"));
    c.put(*obj, u"Tag", Variant(2.5));
    c.put(*obj, u"ForeColor", Variant(std::int32_t{0x000000FF}));
    c.put(*obj, u"SubItems", text("sub"), {Variant(std::int16_t{1})});
    EXPECT_EQ(c.get(*obj, u"Key").toUtf8(), "キー");
    EXPECT_EQ(c.get(*obj, u"Tag"), Variant(2.5));
    EXPECT_EQ(c.get(*obj, u"ForeColor").toLong(), 0xFF);
    EXPECT_EQ(static_cast<std::uint32_t>(c.get(*obj, u"BackColor").toLong()), CLR_CELL_DEFAULT);
    EXPECT_EQ(c.get(*obj, u"SubItems", {Variant(std::int16_t{1})}).toUtf8(), "sub");
    EXPECT_EQ(c.get(*obj, u"SubItems", {Variant(std::int16_t{0})}).toUtf8(), "item");
    EXPECT_EQ(c.get(*obj, u"SubItems", {Variant(std::int16_t{5})}).toUtf8(), "");
    const AutomationError e = c.tryPut(*obj, u"SubItems", text("x"), {Variant(std::int16_t{5})});
    EXPECT_EQ(static_cast<std::uint32_t>(e.status), 0x800A017Cu);
    EXPECT_EQ(e.descriptionUtf8(), "インデックスが範囲を超えています.");

    // A picture write that is no picture does nothing and reports nothing.
    EXPECT_FALSE(c.tryPut(*obj, u"Picture", Variant(std::int32_t{3})).isError());
    EXPECT_FALSE(c.get(*obj, u"Picture").asObject());

    // Selected goes through ListIndex.
    c.put(*obj, u"Selected", Variant(true));
    EXPECT_EQ(c.listIndex(), 0);
    EXPECT_TRUE(c.get(*obj, u"Selected").toBool());
    c.put(*obj, u"Selected", Variant(false));
    EXPECT_EQ(c.listIndex(), -1);
}

TEST_F(ListItemsTest, SelectedFalseOnAnUnselectedItemLeavesListIndex) {
    c.add("a");
    c.add("b");
    c.put(u"ListIndex", num(1));
    auto zero = item(num(0));
    c.put(*zero, u"Selected", Variant(false));
    EXPECT_EQ(c.listIndex(), 1);
}

TEST(ListItemsLimit, SixtyFiveThousandItems) {
    ListControl c;
    for (std::int32_t i = 0; i < kMaxItems; ++i) {
        c.model->listItems().add(NewItem{});
    }
    ASSERT_EQ(c.count(), kMaxItems);
    auto items = c.items();
    Variant result;
    c.invoke(*items, u"Add", InvokeKind::Method, {}, &result);
    EXPECT_EQ(result.type(), plat::automation::VarType::Object);
    EXPECT_FALSE(result.asObject()) << "a full list gives nothing";
    EXPECT_EQ(c.count(), kMaxItems);
    EXPECT_EQ(c.call(u"AddItem", {Variant::missing(), text("x")}).toLong(), -3);
    EXPECT_EQ(c.newIndex(), -1);
}

TEST(ListItemsLimit, IndexesAboveShortRangeComeBackNegativeFromAddItem) {
    ListControl c;
    c.add("first");
    for (std::int32_t i = 1; i < 32768; ++i) {
        c.model->listItems().add(NewItem{});
    }
    const Variant r = c.call(u"AddItem", {Variant::missing(), text("x")});
    EXPECT_EQ(r.type(), plat::automation::VarType::Short);
    EXPECT_EQ(r.toLong(), -32768);
    EXPECT_EQ(c.newIndex(), 32768);
    EXPECT_EQ(c.call(u"AddItemText", {num(40000), text("y")}).toLong(), 32769);
}

} // namespace
} // namespace vantil::test

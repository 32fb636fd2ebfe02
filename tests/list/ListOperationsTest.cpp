// The control's list operations: adding items and columns, sub-items, indexed item
// properties with their errors, column definitions and the item replacement.
#include "ListTestSupport.h"

namespace vantil::test {
namespace {

std::uint32_t statusOf(const AutomationError& e) {
    return static_cast<std::uint32_t>(e.status);
}

TEST(ListOperations, FirstAddItemCreatesColumnZero) {
    ListControl c;
    EXPECT_EQ(c.call(u"AddItem").toLong(), 0);
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.newIndex(), 0);
    EXPECT_EQ(c.model->columnCount(), 1);
    EXPECT_EQ(c.get(u"ColumnWidth", {num(0)}).toLong(), 100);
    EXPECT_EQ(c.itemText(0), "");
    ASSERT_EQ(c.ctrl->properties().columns.size(), 1u);
}

TEST(ListOperations, AddItemFormsPassTheirArguments) {
    ListControl c;
    c.call(u"AddItemText", {num(0), text("b")});
    c.call(u"AddItemTextData", {num(0), text("a"), num(42)});
    c.call(u"AddItemBothData", {num(5), text("c"), Variant(std::shared_ptr<Dispatch>()), num(7)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(c.get(u"ItemData", {num(0)}).toLong(), 42);
    EXPECT_EQ(c.get(u"ItemData", {num(2)}).toLong(), 7);
    EXPECT_EQ(c.newIndex(), 2);
}

TEST(ListOperations, AddColumnAtZeroKeepsColumnZeroAndRotatesCaptions) {
    ListControl c;
    c.call(u"AddColumn", {Variant::missing(), text("A")});
    c.call(u"AddColumn", {Variant::missing(), text("B"), num(50), num(1)});
    c.add("row");
    EXPECT_EQ(c.call(u"AddColumn", {num(0), text("X"), num(70), num(2)}).toLong(), 2);
    ListGrid& g = c.model->grid();
    ASSERT_EQ(g.columnCount(), 3);
    EXPECT_EQ(g.cell(0, 0)->text, "X");
    EXPECT_EQ(g.cell(0, 1)->text, "B");
    EXPECT_EQ(g.cell(0, 2)->text, "A");
    EXPECT_EQ(g.columnWidth(2), 70);
    EXPECT_EQ(g.cell(1, 2)->format, kFormatCenter | kFormatVCenter | kFormatSingleLine);
    EXPECT_EQ(g.cell(1, 1)->format, kFormatRight | kFormatVCenter | kFormatSingleLine);
    EXPECT_EQ(g.cell(1, 0)->text, "row") << "the item's text stays in column 0";
    const auto& defs = c.ctrl->properties().columns;
    ASSERT_EQ(defs.size(), 3u);
    EXPECT_EQ(defs[0].caption, "X") << "the persisted definitions match the live captions";
    EXPECT_EQ(defs[2].caption, "A");
    EXPECT_EQ(defs[2].width, 70);
}

TEST(ListOperations, AddColumnRejectsUnconvertibleArguments) {
    ListControl c;
    const AutomationError e = c.tryCall(u"AddColumn", {text("zwei")});
    EXPECT_EQ(statusOf(e), 0x800A017Cu);
    EXPECT_EQ(e.descriptionUtf8(), "インデックスが不正です.");
}

TEST(ListOperations, AddSubItemCountsFromColumnZero) {
    ListControl c;
    c.call(u"AddColumn", {Variant::missing(), text("A")});
    c.call(u"AddColumn", {Variant::missing(), text("B")});
    c.add("orig");
    EXPECT_TRUE(c.call(u"AddSubItem", {num(0), Variant::missing(), text("one")}).toBool());
    EXPECT_TRUE(c.call(u"AddSubItem", {num(0), Variant::missing(), text("two")}).toBool());
    EXPECT_EQ(c.model->grid().cell(1, 0)->text, "one");
    EXPECT_EQ(c.model->grid().cell(1, 1)->text, "two");
    // An explicit column still advances the counter, which then points past the columns.
    EXPECT_TRUE(c.call(u"AddSubItem", {num(0), num(0), text("zero")}).toBool());
    const AutomationError e = c.tryCall(u"AddSubItem", {num(0), Variant::missing(), text("x")});
    EXPECT_EQ(statusOf(e), 0x800A017Cu);
    EXPECT_EQ(e.descriptionUtf8(), "インデックスが範囲を超えています.");
    EXPECT_FALSE(c.call(u"AddSubItem", {num(3), Variant::missing(), text("x")}).toBool());
}

TEST(ListOperations, RemovingColumnsAndItems) {
    ListControl c;
    c.add("a");
    c.add("b");
    EXPECT_FALSE(c.call(u"RemoveItem", {num(2)}).toBool());
    EXPECT_TRUE(c.call(u"ClearColumn").toBool());
    EXPECT_EQ(c.count(), 2) << "ClearColumn keeps the items";
    EXPECT_FALSE(c.call(u"ClearColumn").toBool());
    c.call(u"AddColumn", {Variant::missing(), text("C")});
    EXPECT_EQ(c.model->grid().item(1).cells.size(), 1u);
    EXPECT_FALSE(c.call(u"RemoveColumn", {num(1)}).toBool());
    EXPECT_TRUE(c.call(u"RemoveColumn", {num(0)}).toBool());
    EXPECT_EQ(c.count(), 0) << "removing the only column removes the items";
    EXPECT_EQ(c.newIndex(), -1);
    c.add("x");
    c.put(u"ListIndex", num(0));
    c.call(u"Clear");
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(c.model->columnCount(), 0);
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_TRUE(c.ctrl->properties().columns.empty());
}

TEST(ListOperations, IndexedPropertyErrors) {
    ListControl c;
    c.add("a");
    struct Case {
        const char16_t* name;
        Variant value;
    };
    for (const Case& k : {Case{u"ItemText", text("x")}, Case{u"ItemData", num(1)},
                          Case{u"ItemBackColor", num(0)}, Case{u"ItemEnabled", Variant(true)}}) {
        const AutomationError get = c.tryGet(k.name, {num(1)});
        EXPECT_EQ(statusOf(get), 0x800A017Du) << std::u16string(k.name).size();
        EXPECT_EQ(get.descriptionUtf8(), "インデックスが不正です.");
        EXPECT_EQ(statusOf(c.tryPut(k.name, k.value, {num(-1)})), 0x800A017Du);
    }
    const AutomationError masked = c.tryPut(u"ItemMasked", Variant(true), {num(0)});
    EXPECT_EQ(statusOf(masked), 0x800A017Fu);
    EXPECT_EQ(masked.descriptionUtf8(), "参照専用です.");
    EXPECT_EQ(statusOf(c.tryPut(u"ListCount", num(3))), 0x800A017Fu);
    EXPECT_EQ(statusOf(c.tryPut(u"NewIndex", num(3))), 0x800A017Fu);
    const AutomationError range = c.tryPut(u"ListIndex", num(1));
    EXPECT_EQ(statusOf(range), 0x800A017Cu);
    EXPECT_EQ(range.descriptionUtf8(), "値が不正です.");
    EXPECT_EQ(c.get(u"ColumnWidth", {num(4)}).toLong(), -1) << "no error for columns";
}

TEST(ListOperations, ItemHeightRules) {
    ListControl c;
    c.add("a");
    // The control starts with IntegralHeight on: item heights are not settable.
    EXPECT_EQ(statusOf(c.tryPut(u"ItemHeight", num(20), {num(0)})), 0x800A017Fu);
    c.ctrl->properties().integralHeight = false;
    EXPECT_EQ(statusOf(c.tryPut(u"ItemHeight", num(7), {num(0)})), 0x800A017Cu);
    EXPECT_EQ(statusOf(c.tryPut(u"ItemHeight", num(20), {num(1)})), 0x800A017Du);
    c.put(u"ItemHeight", num(20), {num(0)});
    EXPECT_EQ(c.get(u"ItemHeight", {num(0)}).toLong(), 20);
    c.put(u"ItemHeight", num(-1), {num(0)});
    EXPECT_EQ(c.get(u"ItemHeight", {num(0)}).toLong(), c.ctrl->properties().defHeight);

    const std::int32_t header = c.model->grid().rowHeight(0);
    c.ctrl->properties().hideColumnHeaders = true;
    c.put(u"ItemHeight", num(20), {num(-1)});
    EXPECT_EQ(c.model->grid().rowHeight(0), header) << "hidden headers keep their height";
    c.ctrl->properties().hideColumnHeaders = false;
    c.put(u"ItemHeight", num(25), {num(-1)});
    EXPECT_EQ(c.model->grid().rowHeight(0), 25);
}

TEST(ListOperations, ColoursEnabledAndFonts) {
    ListControl c;
    c.add("a");
    c.add("b");
    c.put(u"ItemForeColor", num(0x000000FF), {num(0)});
    EXPECT_EQ(c.get(u"ItemForeColor", {num(0)}).toLong(), 0xFF);
    EXPECT_EQ(static_cast<std::uint32_t>(c.get(u"ItemBackColor", {num(0)}).toLong()),
              CLR_CELL_DEFAULT);
    c.put(u"ItemBackColor", num(static_cast<std::int32_t>(0x80000005)), {num(1)});
    EXPECT_EQ(static_cast<std::uint32_t>(c.get(u"ItemBackColor", {num(1)}).toLong()), 0x00FFFFFFu)
        << "system colours are translated";

    c.put(u"ListIndex", num(1));
    c.recorder.events.clear();
    c.put(u"ItemEnabled", Variant(false), {num(1)});
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_EQ(c.recorder.count(kClick), 1);
    EXPECT_EQ(c.tryPut(u"ListIndex", num(1)).status, plat::automation::status::Ok);
    EXPECT_EQ(c.listIndex(), -1) << "a disabled item cannot become current";
    c.put(u"ListIndex", num(0));
    EXPECT_EQ(c.listIndex(), 0);

    auto font = plat::automation::FontObject::create();
    c.put(u"ItemFont", Variant(std::shared_ptr<Dispatch>(font)), {num(0)});
    EXPECT_EQ(c.get(u"ItemFont", {num(0)}).asObject(), font);
    EXPECT_EQ(c.newIndex(), 0);
    c.put(u"ItemPict", num(5), {num(1)});
    EXPECT_EQ(c.newIndex(), -4) << "a value that is no picture";
}

TEST(ListOperations, SetColumnDataDeleteForm) {
    ListControl c;
    auto set = [&](std::int16_t index, std::int16_t width, std::int16_t h, std::int16_t v) {
        return c
            .call(u"SetColumnData", {Variant(index), text("cap"), text("field"), Variant(width),
                                     Variant(h), Variant(v), Variant(false)})
            .toBool();
    };
    EXPECT_TRUE(set(0, 80, 0, 1));
    EXPECT_FALSE(set(1, -1, -2, -3)) << "deleting the definition after the last";
    EXPECT_EQ(c.ctrl->properties().columns.size(), 1u);
    EXPECT_TRUE(set(0, -1, -2, -3));
    EXPECT_TRUE(c.ctrl->properties().columns.empty());
}

TEST(ListOperations, ItemReplacementKeepsTheItemsAttributes) {
    ListControl c;
    for (const char* t : {"a", "b", "c", "d"}) {
        c.add(t);
    }
    auto items = c.items();
    auto two = c.get(*items, u"Item", {num(2)}).asObject();
    c.put(*two, u"Key", text("key2"));
    c.put(*two, u"Tag", text("tag2"));
    c.put(u"ItemText", text("zz"), {num(2)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"a", "b", "zz", "d"}));
    EXPECT_EQ(c.get(*two, u"Key").toUtf8(), "key2");
    EXPECT_EQ(c.get(*two, u"Tag").toUtf8(), "tag2");
    EXPECT_EQ(c.get(*two, u"OrderIndex").toLong(), 2);
    EXPECT_EQ(c.newIndex(), 2);

    // In a list sorted by text, the item moves and ListIndex follows it.
    c.put(u"Sorted", Variant(std::int16_t{1}));
    c.put(u"ListIndex", num(0));
    c.put(u"ItemText", text("y"), {num(0)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"b", "d", "y", "zz"}));
    EXPECT_EQ(c.listIndex(), 2);
    EXPECT_EQ(c.newIndex(), 2);
    auto moved = c.get(*items, u"Item", {num(2)}).asObject();
    EXPECT_EQ(c.get(*moved, u"OrderIndex").toLong(), 0);

    // Through the item object as well.
    c.put(*moved, u"Text", text("a"));
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"a", "b", "d", "zz"}));
    EXPECT_EQ(c.listIndex(), 0);
}

TEST(ListOperations, ItemDataReplacementUnderDataSort) {
    ListControl c;
    c.put(u"Sorted", Variant(std::int16_t{3}));
    c.call(u"AddItemTextData", {num(0), text("five"), num(5)});
    c.call(u"AddItemTextData", {num(0), text("one"), num(1)});
    c.call(u"AddItemTextData", {num(0), text("three"), num(3)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"one", "three", "five"}));
    c.put(u"ItemData", num(9), {num(0)});
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"three", "five", "one"}));
    EXPECT_EQ(c.newIndex(), 2);
}

TEST(ListOperations, DefHeightAtRunTimeMovesTheItemsOfTheStandardHeight) {
    ListControl c;
    c.ctrl->properties().integralHeight = false;
    c.put(u"DefHeight", Variant(std::int16_t{17}));
    for (const char* t : {"a", "b", "c"}) {
        c.add(t);
    }
    c.put(u"ItemHeight", num(30), {num(1)});
    auto heights = [&] {
        std::vector<std::int32_t> h;
        for (std::int32_t row = 1; row <= c.count(); ++row) {
            h.push_back(c.model->grid().rowHeight(row));
        }
        return h;
    };
    c.put(u"DefHeight", Variant(std::int16_t{20}));
    EXPECT_EQ(heights(), (std::vector<std::int32_t>{20, 30, 20}));
    EXPECT_EQ(c.get(u"DefHeight").toLong(), 20);
    c.add("d");
    EXPECT_EQ(c.model->grid().rowHeight(4), 20) << "new items take the new height";

    c.ctrl->properties().integralHeight = true;
    c.put(u"DefHeight", Variant(std::int16_t{25}));
    EXPECT_EQ(heights(), (std::vector<std::int32_t>{25, 25, 25, 25}));
    EXPECT_EQ(statusOf(c.tryPut(u"DefHeight", Variant(std::int16_t{8}))), 0x800A017Cu);
    EXPECT_EQ(c.get(u"DefHeight").toLong(), 25);
}

TEST(ListOperations, LoadingPropertiesLeavesNoItemCurrent) {
    ListControl c;
    c.add("a");
    c.add("b");
    c.put(u"ListIndex", num(1));
    plat::automation::PropertyBag bag;
    c.ctrl->save(bag, false);
    c.ctrl->load(bag, nullptr);
    EXPECT_EQ(c.listIndex(), -1);
    c.recorder.events.clear();
    c.put(u"ListIndex", num(-1));
    EXPECT_EQ(c.recorder.count(kClick), 0) << "-1 is the cached index already";
    c.put(u"ListIndex", num(1));
    EXPECT_EQ(c.listIndex(), 1);
    EXPECT_EQ(c.recorder.count(kClick), 1);
}

TEST(ListOperations, ItemTextThatMasksTheCurrentItemFiresClick) {
    ListControl c;
    c.add("abc");
    c.add("abd");
    c.put(u"MaskText", text("ab"));
    c.put(u"MaskMode", Variant(std::int16_t{2})); // items that do not match are masked
    c.put(u"ListIndex", num(1));
    c.recorder.events.clear();
    c.put(u"ItemText", text("xyz"), {num(1)});
    EXPECT_TRUE(c.get(u"ItemMasked", {num(1)}).toBool());
    EXPECT_EQ(c.listIndex(), -1) << "a masked item is not current";
    EXPECT_EQ(c.recorder.count(kClick), 1);
}

} // namespace
} // namespace vantil::test

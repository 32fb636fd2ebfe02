// The persisted form through both stores: the round trip of every persisted property with
// column data and all 20 menu entries, item names and order, the older format versions,
// stores that lack items or carry damaged ones.
#include "ControlTestSupport.h"
#include "PersistenceTestSupport.h"

#include "control/core/PropertyPersistence.h"
#include "platform/automation/PropertyBag.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantil {
namespace {

using plat::automation::PropertyBag;
using plat::automation::StreamStore;
using plat::automation::Variant;
using plat::text::cp932::utf8ToUtf16;
using test::Hosted;

// Error 321 (invalid file format): the stream could not be read to its end.
constexpr std::uint32_t kDamagedStatus = 0x800A0141;

TEST(Persistence, BagRoundTripKeepsEveryPropertyColumnsAndMenu) {
    Hosted source;
    test::fillNonDefault(source.ctrl->properties());
    PropertyBag bag;
    ASSERT_EQ(source.ctrl->save(bag, true), 0);
    EXPECT_FALSE(source.ctrl->isDirty());

    // Through the host's text form as well.
    const PropertyBag reread = PropertyBag::fromText(bag.toText());
    EXPECT_EQ(reread, bag);

    Hosted target;
    ASSERT_EQ(target.ctrl->load(reread, nullptr), 0);
    test::expectSamePersisted(source.ctrl->properties(), target.ctrl->properties());
    PropertyBag again;
    target.ctrl->save(again, false);
    EXPECT_EQ(again, bag);
}

TEST(Persistence, StreamRoundTripKeepsEveryPropertyColumnsAndMenu) {
    Hosted source;
    test::fillNonDefault(source.ctrl->properties());
    StreamStore stream;
    ASSERT_EQ(source.ctrl->save(stream, true), 0);
    StreamStore reread = StreamStore::fromText(stream.toText());
    Hosted target;
    ASSERT_EQ(target.ctrl->load(reread, nullptr), 0);
    EXPECT_TRUE(reread.atEnd());
    EXPECT_FALSE(reread.failed());
    test::expectSamePersisted(source.ctrl->properties(), target.ctrl->properties());
    StreamStore again;
    target.ctrl->save(again, false);
    EXPECT_EQ(again.bytes(), stream.bytes());
}

TEST(Persistence, BagItemsAreNamedAndOrderedAsStored) {
    Hosted h;
    h.ctrl->properties().columns.resize(2);
    PropertyBag bag;
    h.ctrl->save(bag, false);
    const auto names = bag.names();
    ASSERT_EQ(names.size(), 1 + 83 + 1 + 2 * 6 + 20 * 4u);
    EXPECT_EQ(names[0], u"_Version");
    EXPECT_EQ(bag.read(u"_Version")->toLong(), 0x00040002);
    EXPECT_EQ(names[1], u"_ExtentX");
    EXPECT_EQ(names[7], u"Caption");
    EXPECT_EQ(names[83], u"Text");
    EXPECT_EQ(names[84], u"ColumnDataArraySize");
    const std::u16string column1[] = {u"Caption1",    u"ListField1",  u"Width1",
                                      u"AlignmentH1", u"AlignmentV1", u"Multiline1"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(names[91 + i], column1[i]);
    }
    EXPECT_EQ(names[97], u"PMenuCaption0");
    EXPECT_EQ(names.back(), u"PSeparator19");
    EXPECT_FALSE(bag.contains(u"DropVKeyCode"));
    EXPECT_TRUE(bag.contains(u"AllowResizeRow"));
    EXPECT_TRUE(bag.read(u"PHidden6")->toBool());
    EXPECT_FALSE(bag.read(u"PHidden5")->toBool());
}

TEST(Persistence, Version41LoadsOldKeyNamesAndSavesNewOnes) {
    PropertyBag old;
    old.write(u"_Version", Variant(std::int32_t{0x00040001}));
    old.write(u"DropVKeyCode", Variant(std::int16_t{113}));
    old.write(u"DropModifierFlags", Variant(std::int16_t{2}));
    old.write(u"CloseVKeyCode", Variant(std::int16_t{27}));
    old.write(u"CloseModefierFlags", Variant(std::int16_t{5}));
    old.write(u"DropDownVKeyCode", Variant(std::int16_t{40})); // not read at this version
    Hosted h;
    ASSERT_EQ(h.ctrl->load(old, nullptr), 0);
    EXPECT_EQ(h.ctrl->properties().loadedVersion, 0x00040001u);
    EXPECT_EQ(h.get(u"DropDownVKeyCode").toLong(), 113);
    EXPECT_EQ(h.get(u"DropDownModifierFlags").toLong(), 2);
    EXPECT_EQ(h.get(u"CloseUpVKeyCode").toLong(), 27);
    EXPECT_EQ(h.get(u"CloseUpModifierFlags").toLong(), 5);

    PropertyBag saved;
    h.ctrl->save(saved, true);
    EXPECT_EQ(saved.read(u"_Version")->toLong(), 0x00040002);
    EXPECT_EQ(saved.read(u"DropDownVKeyCode")->toLong(), 113);
    EXPECT_EQ(saved.read(u"CloseUpModifierFlags")->toLong(), 5);
    for (const char16_t* oldName :
         {u"DropVKeyCode", u"DropModifierFlags", u"CloseVKeyCode", u"CloseModefierFlags"}) {
        EXPECT_FALSE(saved.contains(oldName));
    }
}

TEST(Persistence, CaptionColoursDependOnTheLoadedVersion) {
    struct Case {
        std::int32_t version;
        bool storeMinusOne;
        std::int32_t captionColor;
        std::int32_t captionDisabledColor;
    } cases[] = {
        // Missing items: the defaults of the version, resolved from 4.1 on.
        {0x00040000, false, static_cast<std::int32_t>(0x80000008),
         static_cast<std::int32_t>(0x80000011)},
        {0x00040001, false, static_cast<std::int32_t>(0x80000012),
         static_cast<std::int32_t>(0x80000011)},
        // A stored -1 stays unresolved at 4.0 and follows ForeColor / DisabledColor later.
        {0x00040000, true, -1, -1},
        {0x00040001, true, static_cast<std::int32_t>(0x80000012),
         static_cast<std::int32_t>(0x80000011)},
        {0x00040002, true, static_cast<std::int32_t>(0x80000012),
         static_cast<std::int32_t>(0x80000011)},
    };
    for (const Case& c : cases) {
        PropertyBag bag;
        bag.write(u"_Version", Variant(c.version));
        bag.write(u"ForeColor", Variant(static_cast<std::int32_t>(0x80000012)));
        if (c.storeMinusOne) {
            bag.write(u"CaptionColor", Variant(std::int32_t{-1}));
            bag.write(u"CaptionDisabledColor", Variant(std::int32_t{-1}));
        }
        Hosted h;
        h.ctrl->load(bag, nullptr);
        EXPECT_EQ(h.get(u"CaptionColor").toLong(), c.captionColor) << std::hex << c.version;
        EXPECT_EQ(h.get(u"CaptionDisabledColor").toLong(), c.captionDisabledColor);
        // CaptionPointedColor is never stored here: its default, resolved from 4.1 on.
        const std::int32_t pointed = c.version == 0x00040000
                                         ? static_cast<std::int32_t>(0x80000008)
                                         : static_cast<std::int32_t>(0x80000012);
        EXPECT_EQ(h.get(u"CaptionPointedColor").toLong(), pointed);
    }
}

TEST(Persistence, MissingItemsLoadDefaultsAndMenuCaptionsOfBuiltInEntriesStay) {
    PropertyBag bag;
    bag.write(u"PMenuCaption3", Variant(u"Hack"));
    bag.write(u"PMenuCaption11", Variant(utf8ToUtf16("集計")));
    bag.write(u"PHidden11", Variant(false));
    bag.write(u"PEnabled2", Variant(false));
    Hosted loaded;
    loaded.ctrl->load(bag, nullptr);
    Hosted fresh;
    auto expected = fresh.ctrl->properties();
    expected.menu[11].caption = plat::text::cp932::fromUtf8("集計");
    expected.menu[11].hidden = false;
    expected.menu[2].enabled = false;
    test::expectSamePersisted(expected, loaded.ctrl->properties());
    EXPECT_EQ(loaded.ctrl->properties().loadedVersion, kCurrentVersion);
    EXPECT_EQ(loaded.get(u"DefHeight").toLong(), 17);
    EXPECT_EQ(loaded.get(u"Caption").toString(), u"Vantil1");
}

TEST(Persistence, DamagedItemsLoadDefaults) {
    PropertyBag bag;
    bag.write(u"BorderStyle", Variant(std::int16_t{99}));
    bag.write(u"CaptionRatio", Variant(u"abc"));
    bag.write(u"DroppedWidth", Variant(std::int32_t{5000}));
    bag.write(u"DefHeight", Variant(std::int16_t{500}));
    bag.write(u"MousePointer", Variant(std::int16_t{99}));
    bag.write(u"ColumnDataArraySize", Variant(std::int32_t{2000000000}));
    bag.write(u"Width3", Variant(std::int32_t{42}));
    Hosted h;
    h.ctrl->load(bag, nullptr);
    const auto& p = h.ctrl->properties();
    EXPECT_EQ(p.borderStyle, 0);
    EXPECT_EQ(p.captionRatio, 30);
    EXPECT_EQ(p.droppedWidth, 0);
    EXPECT_EQ(p.defHeight, 17);
    EXPECT_EQ(p.mousePointer, MousePointerConstants::lxmp_Iビーム);
    ASSERT_EQ(p.columns.size(), static_cast<std::size_t>(kMaxPersistedColumns));
    EXPECT_EQ(p.columns[3].width, 42);
    EXPECT_EQ(p.columns[4], ColumnDefinition{});

    PropertyBag negative;
    negative.write(u"ColumnDataArraySize", Variant(std::int32_t{-7}));
    h.ctrl->load(negative, nullptr);
    EXPECT_TRUE(h.ctrl->properties().columns.empty());
}

TEST(Persistence, TruncatedStreamLoadsWhatItHoldsAndDefaultsForTheRest) {
    Hosted source;
    test::fillNonDefault(source.ctrl->properties());
    StreamStore full;
    source.ctrl->save(full, false);
    const auto& bytes = full.bytes();
    Hosted fresh;
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        StreamStore part(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
        Hosted h;
        plat::automation::AutomationError error;
        ASSERT_EQ(static_cast<std::uint32_t>(h.ctrl->load(part, &error)), kDamagedStatus)
            << "a stream that ends early is a failed load";
        EXPECT_EQ(error.descriptionUtf8(), "プロパティのデータが壊れています.");
        test::expectWithinRanges(h.ctrl->properties());
        if (cut == 0) {
            test::expectSamePersisted(fresh.ctrl->properties(), h.ctrl->properties());
        }
    }
    StreamStore whole(bytes);
    Hosted h;
    EXPECT_EQ(h.ctrl->load(whole, nullptr), 0);
    test::expectSamePersisted(source.ctrl->properties(), h.ctrl->properties());
}

TEST(Persistence, AStreamThatEndsInTheColumnsBuildsOnlyTheColumnsItHolds) {
    // Two saves that differ only in their columns locate the column count and the menu.
    Hosted none;
    none.ctrl->properties().caption = "kept";
    StreamStore withoutColumns;
    none.ctrl->save(withoutColumns, false);
    Hosted two;
    two.ctrl->properties().caption = "kept";
    two.ctrl->properties().columns = {ColumnDefinition{"A", "", 40, 0, 1, false},
                                      ColumnDefinition{"B", "", 50, 1, 1, false}};
    StreamStore withColumns;
    two.ctrl->save(withColumns, false);
    const auto& a = withoutColumns.bytes();
    std::vector<std::uint8_t> b = withColumns.bytes();
    const auto countAt =
        static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin());
    const std::size_t menuBytes = a.size() - countAt - 4;
    ASSERT_EQ(b[countAt], 2);
    // The stream ends after the two columns, and its count says a thousand.
    b.resize(b.size() - menuBytes);
    b[countAt] = 0xE8;
    b[countAt + 1] = 0x03;

    StreamStore damaged(b);
    Hosted h;
    EXPECT_EQ(static_cast<std::uint32_t>(h.ctrl->load(damaged, nullptr)), kDamagedStatus);
    const auto& p = h.ctrl->properties();
    ASSERT_EQ(p.columns.size(), 2u) << "no columns beyond those read";
    EXPECT_EQ(p.columns[1].caption, "B");
    EXPECT_EQ(p.columns[1].width, 50);
    EXPECT_EQ(p.caption, "kept") << "the part read before stays";
    EXPECT_EQ(p.menu, defaultMenuTable()) << "the menu the stream lacks takes its defaults";
}

TEST(Persistence, AfterLoadResetsTheEditStateAndTheListState) {
    Hosted h;
    auto& p = h.ctrl->properties();
    p.text = plat::text::cp932::fromUtf8("東京都");
    PropertyBag bag;
    h.ctrl->save(bag, false);
    p.edit.caret = 2;
    p.edit.anchor = 1;
    p.edit.insertMode = false;
    p.listIndex = 4;
    p.newIndex = 3;
    p.lostFocusCause = 5;
    h.ctrl->load(bag, nullptr);
    EXPECT_EQ(p.edit.caret, 0);
    EXPECT_EQ(p.edit.anchor, 0);
    EXPECT_TRUE(p.edit.insertMode);
    EXPECT_EQ(p.edit.charCount, 3);
    EXPECT_EQ(p.listIndex, -1);
    EXPECT_EQ(p.newIndex, -1);
    EXPECT_EQ(p.lostFocusCause, 0);
    EXPECT_FALSE(h.ctrl->isDirty());
}

TEST(Persistence, LoadingACaptionWithAcceleratorTellsTheHost) {
    PropertyBag bag;
    bag.write(u"Caption", Variant(u"&Name"));
    bag.write(u"CaptionAccelerator", Variant(true));
    Hosted h;
    h.ctrl->load(bag, nullptr);
    EXPECT_EQ(h.site->mnemonicsChangedCount, 1);
}

} // namespace
} // namespace vantil

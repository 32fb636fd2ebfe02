// IMEMode on the input method while the control has focus and what focus loss reads back; the
// mask evaluation over the list items, including a mask text set again to its own value.
#include "tests/edit/EditTestSupport.h"

#include "control/core/EventTable.h"

namespace vantil::test {
namespace {

using namespace imeconv;

TEST(ImeMode, ModeThreeKeepsTheInputMethodShutWhileFocusedAndFocusLossRestoresIt) {
    EditControl c(false);
    FakeInputMethod& ime = c.platform.ime;
    ime.open = true;
    ime.mode = Native | FullShape | Roman;
    c.put(u"IMEMode", num(3));
    c.edit().focusIn();
    EXPECT_FALSE(ime.open);
    ime.userToggle();
    EXPECT_FALSE(ime.open) << "a detached window cannot open the input method";
    c.edit().focusOut();
    EXPECT_EQ(c.get(u"IMEMode").toLong(), 3);
    EXPECT_TRUE(ime.open);
    EXPECT_EQ(ime.mode, Native | FullShape | Roman);
    EXPECT_TRUE(ime.isAttached);
}

TEST(ImeMode, KanaModesKeepTheRomanBitAndFocusLossReadsTheModeBack) {
    EditControl c(false);
    FakeInputMethod& ime = c.platform.ime;
    ime.mode = Roman;
    c.put(u"IMEMode", num(5));
    c.ctrl->properties().font.name = u"ＭＳ ゴシック";
    c.edit().focusIn();
    EXPECT_TRUE(ime.open);
    EXPECT_EQ(ime.mode, Native | Katakana | FullShape | Roman);
    EXPECT_EQ(ime.font.name, u"ＭＳ ゴシック");
    // A change of IMEMode with focus applies at once.
    c.put(u"IMEMode", num(6));
    EXPECT_EQ(ime.mode, Native | Katakana | Roman);
    // The user switches to full-width alphanumeric before leaving.
    ime.mode = FullShape | Roman;
    c.edit().focusOut();
    EXPECT_EQ(c.get(u"IMEMode").toLong(), 7);
    EXPECT_FALSE(ime.open);
    EXPECT_EQ(ime.mode, Roman);

    // Read back: closed with a context 2; open with an unknown conversion 0.
    for (const auto& [open, mode, expected] :
         {std::tuple{false, 0u, 2}, std::tuple{true, Native, 0}, std::tuple{true, Roman, 8},
          std::tuple{true, Native | FullShape, 4}}) {
        c.put(u"IMEMode", num(1));
        c.edit().focusIn();
        ime.open = open;
        ime.mode = mode;
        c.edit().focusOut();
        EXPECT_EQ(c.get(u"IMEMode").toLong(), expected) << open << " " << mode;
    }
    // IMEMode 0 leaves the input method alone.
    c.put(u"IMEMode", num(0));
    ime.open = true;
    c.edit().focusIn();
    c.edit().focusOut();
    EXPECT_TRUE(ime.open);
    EXPECT_EQ(c.get(u"IMEMode").toLong(), 0);
}

TEST(Mask, QuestionMarksMatchOneCharacterOfTheirOwnWidth) {
    EditControl c;
    for (const char* item : {"ABC", "AXCD", "ＡBC", "A日C", "AB"}) {
        c.add(item);
    }
    c.put(u"MaskMode", num(3));
    c.put(u"MaskText", text("A?C"));
    std::vector<bool> masked;
    for (std::int32_t i = 0; i < c.count(); ++i) {
        masked.push_back(c.get(u"ItemMasked", {num(i)}).toBool());
    }
    EXPECT_EQ(masked, (std::vector<bool>{true, true, false, false, false}));
    c.put(u"MaskText", text("A？C"));
    EXPECT_TRUE(c.get(u"ItemMasked", {num(3)}).toBool());
    EXPECT_FALSE(c.get(u"ItemMasked", {num(0)}).toBool());
    const AutomationError e = c.tryGet(u"ItemMasked", {num(5)});
    EXPECT_EQ(e.number(), 381);
}

TEST(Mask, TheSameMaskTextJumpsAgainFromFormatFourOn) {
    for (const bool version4 : {true, false}) {
        SCOPED_TRACE(version4 ? "format 4.2" : "format 3.x");
        EditControl c;
        c.ctrl->properties().loadedVersion = version4 ? kVersion42 : 0x00030000;
        c.add("A1");
        c.add("B1");
        c.add("B2");
        c.put(u"MaskMode", num(1));
        c.put(u"MaskText", text("B"));
        EXPECT_EQ(c.listIndex(), 1);
        c.put(u"ListIndex", num(0));
        c.recorder.events.clear();
        c.put(u"MaskText", text("B"));
        EXPECT_EQ(c.listIndex(), version4 ? 1 : 0);
        EXPECT_EQ(c.recorder.count(kClick), version4 ? 1 : 0);
        EXPECT_EQ(c.text(), version4 ? "B1" : "A1");
    }
}

} // namespace
} // namespace vantil::test

// The input area driven by keystroke scripts: text, caret and anchor after every step, undo
// with its coalescing, double-byte characters, Locked and EditFunction, the clipboard, and the
// notifications a change of the text brings.
#include "tests/edit/EditTestSupport.h"

#include "control/core/EventTable.h"

#include <functional>

namespace vantil::test {
namespace {

constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};

struct Step {
    std::string name;
    std::function<void(EditControl&)> act;
    std::string text; // UTF-8
    std::int32_t caret;
    std::int32_t anchor;
};

Step typed(std::string_view s, std::string text, std::int32_t caret, std::int32_t anchor) {
    return {"type " + std::string(s), [s = std::string(s)](EditControl& c) { c.type(s); },
            std::move(text), caret, anchor};
}
Step keyed(std::string name, int vkey, KeyModifiers m, std::string text, std::int32_t caret,
           std::int32_t anchor) {
    return {std::move(name), [vkey, m](EditControl& c) { c.key(vkey, m); }, std::move(text), caret,
            anchor};
}

void run(EditControl& c, const std::vector<Step>& script) {
    for (const Step& s : script) {
        s.act(c);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(c.text(), s.text);
        EXPECT_EQ(c.state().caret, s.caret);
        EXPECT_EQ(c.state().anchor, s.anchor);
        EXPECT_EQ(c.state().charCount, static_cast<std::int32_t>(plat::text::cp932::charCount(
                                           c.ctrl->properties().text)));
    }
}

TEST(EditKeys, TypingBackspaceAndReplacingASelectionAreEachUndoneAsOneStepAndRedone) {
    EditControl c;
    run(c, {
               typed("abc", "abc", 3, 3),
               keyed("Ctrl+Z", vk::Z, kCtrl, "", 0, 0),
               // Undo to an empty text leaves the redone text selected.
               keyed("Ctrl+Z again", vk::Z, kCtrl, "abc", 3, 0),
               keyed("End", vk::End, {}, "abc", 3, 3),
               keyed("Backspace", vk::Back, {}, "ab", 2, 2),
               keyed("Backspace", vk::Back, {}, "a", 1, 1),
               keyed("Ctrl+Z", vk::Z, kCtrl, "abc", 3, 3),
               keyed("Home", vk::Home, {}, "abc", 0, 0),
               keyed("Shift+End", vk::End, kShift, "abc", 3, 0),
               typed("x", "x", 1, 1),
               typed("y", "xy", 2, 2),
               keyed("Ctrl+Z", vk::Z, kCtrl, "abc", 3, 0),
               keyed("Left", vk::Left, {}, "abc", 2, 2),
               keyed("Delete", vk::Delete, {}, "ab", 2, 2),
               keyed("Shift+Ctrl+Left", vk::Left, KeyModifiers{true, true, false}, "ab", 0, 2),
               keyed("Insert (overwrite)", vk::Insert, {}, "ab", 0, 2),
               typed("Z", "Z", 1, 1),
               keyed("Right past the end", vk::Right, {}, "Z", 1, 1),
               typed("Q", "ZQ", 2, 2),
           });
}

TEST(EditKeys, DoubleByteCharactersCountOneEach) {
    EditControl c;
    run(c, {
               typed("日本語", "日本語", 3, 3),
               keyed("Left", vk::Left, {}, "日本語", 2, 2),
               keyed("Shift+Left", vk::Left, kShift, "日本語", 1, 2),
           });
    EXPECT_EQ(c.get(u"SelStart").toLong(), 1);
    EXPECT_EQ(c.get(u"SelLength").toLong(), 1);
    EXPECT_EQ(c.get(u"SelText").toUtf8(), "本");
    c.put(u"SelText", text("ﾆﾎﾝ語"));
    EXPECT_EQ(c.text(), "日ﾆﾎﾝ語語");
    EXPECT_EQ(c.state().caret, 5);
    EXPECT_EQ(c.state().anchor, 5);
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "日本語");
    EXPECT_EQ(c.get(u"SelText").toUtf8(), "本");
}

TEST(EditKeys, LockedRefusesEveryChangeButMovesCopiesAndSelects) {
    EditControl c;
    c.type("山田");
    c.put(u"Locked", Variant(true));
    c.platform.clipboard_.content = sj("貼");
    c.recorder.events.clear();
    c.shiftKey(vk::Left);
    c.type("x");
    c.key(vk::Back);
    c.key(vk::Delete);
    c.ctrlKey(vk::V);
    c.ctrlKey(vk::X);
    c.shiftKey(vk::Insert);
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "山田");
    EXPECT_EQ(c.recorder.count(events::ChangeText), 0);
    c.ctrlKey(vk::C);
    EXPECT_EQ(c.platform.clipboard_.utf8(), "田");
    c.key(vk::Home, kShift);
    c.key(vk::Insert, kCtrl);
    EXPECT_EQ(c.platform.clipboard_.utf8(), "山田");
    EXPECT_EQ(c.state().caret, 0);
    EXPECT_EQ(c.state().anchor, 2);
}

TEST(EditKeys, EditFunctionFalseTurnsOffTheCtrlShortcutsOnly) {
    EditControl c;
    c.type("abc");
    c.put(u"EditFunction", Variant(false));
    c.platform.clipboard_.content = sj("Z");
    c.ctrlKey(vk::A);
    EXPECT_EQ(c.state().anchor, 3) << "Ctrl+A selected";
    c.shiftKey(vk::Home);
    c.ctrlKey(vk::C);
    c.ctrlKey(vk::X);
    c.ctrlKey(vk::V);
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "abc");
    EXPECT_EQ(c.platform.clipboard_.utf8(), "Z");
    c.key(vk::Insert, kCtrl);
    EXPECT_EQ(c.platform.clipboard_.utf8(), "abc");
    c.key(vk::End);
    c.shiftKey(vk::Insert);
    EXPECT_EQ(c.text(), "abcabc");
}

TEST(EditKeys, CutAndPasteGoThroughTheClipboardAndUndoAsOneStep) {
    EditControl c;
    c.type("ab");
    c.shiftKey(vk::Left);
    c.ctrlKey(vk::X);
    EXPECT_EQ(c.text(), "a");
    EXPECT_EQ(c.platform.clipboard_.utf8(), "b");
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "ab");
    c.platform.clipboard_.content = sj("貼り付け");
    c.ctrlKey(vk::V);
    EXPECT_EQ(c.text(), "a貼り付け") << "the restored selection is replaced";
    EXPECT_EQ(c.state().caret, 5);
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "ab");
    // An empty, missing or unavailable clipboard pastes nothing; nothing selected copies nothing.
    for (std::optional<std::string> content :
         {std::optional<std::string>(""), std::optional<std::string>()}) {
        c.platform.clipboard_.content = content;
        c.ctrlKey(vk::V);
        EXPECT_EQ(c.text(), "ab");
    }
    c.platform.clipboard_.content = sj("x");
    c.platform.clipboard_.unavailable = true;
    c.ctrlKey(vk::V);
    c.platform.clipboard_.unavailable = false;
    c.key(vk::End);
    c.ctrlKey(vk::C);
    EXPECT_EQ(c.text(), "ab");
    EXPECT_EQ(c.platform.clipboard_.utf8(), "x");
}

TEST(EditKeys, AChangedTextIsReportedOnceAndDeleteAlsoDropsTheListRow) {
    EditControl c;
    c.add("abc");
    c.add("abd");
    c.put(u"ListIndex", num(1));
    EXPECT_EQ(c.edit().buffer().selectionEnd() - c.edit().buffer().selectionStart(), 3)
        << "a committed row's text is selected whole";
    c.key(vk::End);
    c.recorder.events.clear();
    c.site->changed.clear();
    c.type("x");
    EXPECT_EQ(c.recorder.events, (std::vector<DispId>{events::ChangeText, events::KeyPress}));
    EXPECT_EQ(c.site->changed, (std::vector<DispId>{dispids::Text, dispids::BoundText}));
    EXPECT_EQ(c.listIndex(), 1) << "typing keeps the committed row";

    c.recorder.events.clear();
    c.key(vk::Left);
    c.key(vk::Delete);
    EXPECT_EQ(c.recorder.events,
              (std::vector<DispId>{events::KeyDown, events::ChangeText, events::KeyDown}));
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_EQ(c.ctrl->properties().boundText, sj("abd"));

    // Return raises neither KeyDown nor KeyPress; Escape is typed as a flag, not a character.
    c.recorder.events.clear();
    c.key(vk::Return);
    EXPECT_TRUE(c.recorder.events.empty());
    c.key(vk::Escape);
    EXPECT_TRUE(c.edit().escapeFlag());
    EXPECT_EQ(c.text(), "abd");
    c.type("d");
    EXPECT_FALSE(c.edit().escapeFlag());
}

TEST(EditKeys, TextSetAtRunTimeStartsAFreshUndoAndRecordsTheListMatch) {
    EditControl c;
    c.add("山田");
    c.type("abc");
    c.put(u"Text", text("山"));
    EXPECT_EQ(c.state().caret, 0);
    EXPECT_TRUE(c.get(u"MatchedWithList").toBool());
    c.ctrlKey(vk::Z);
    EXPECT_EQ(c.text(), "山") << "nothing typed since the text was set";
    c.put(u"Text", text("x"));
    EXPECT_FALSE(c.get(u"MatchedWithList").toBool());
}

} // namespace
} // namespace vantil::test

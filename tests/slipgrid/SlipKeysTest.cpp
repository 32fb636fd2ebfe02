// Key codes handed to the screens, and what the in-place editor accepts.
#include "platform/widgets/slipgrid/SlipKeys.h"
#include "platform/widgets/slipgrid/SlipEditBuffer.h"

#include <gtest/gtest.h>

using namespace plat::widgets;

namespace {

TEST(SlipKeysTest, QtKeysGiveClassicKeyCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int code;
    };
    // The codes of the platform's one key table (punctuation by either character of its key),
    // but 0 for the input method's own keys.
    const Case cases[] = {
        {Qt::Key_Delete, Qt::NoModifier, 46},      {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},   {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_Escape, Qt::NoModifier, 27},      {Qt::Key_Left, Qt::NoModifier, 37},
        {Qt::Key_Down, Qt::NoModifier, 40},        {Qt::Key_0, Qt::NoModifier, 48},
        {Qt::Key_7, Qt::KeypadModifier, 103},      {Qt::Key_A, Qt::NoModifier, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},        {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F12, Qt::NoModifier, 123},        {Qt::Key_Period, Qt::NoModifier, 190},
        {Qt::Key_Period, Qt::KeypadModifier, 110}, {Qt::Key_Home, Qt::NoModifier, 36},
        {Qt::Key_Tab, Qt::NoModifier, 9},          {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Kanji, Qt::NoModifier, 0},        {Qt::Key_Semicolon, Qt::NoModifier, 0xBA},
        {Qt::Key_Colon, Qt::ShiftModifier, 0xBA},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyCode(c.key, c.mods), c.code) << std::hex << c.key;

    EXPECT_EQ(shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
}

TEST(SlipEditBufferTest, NumberCellsTakeDigitsAndOnePoint) {
    // Keystroke script: what is typed, then the text held after it.
    struct Step {
        const char16_t* typed; // nullptr: backspace
        const char16_t* held;
    };
    const Step script[] = {
        {u"1", u"1"},      {u"a", u"1"},     {u"2.", u"12."}, {u".5", u"12.5"},
        {nullptr, u"12."}, {u"２", u"12.2"}, {u"-", u"12.2"}, {u" ", u"12.2"},
    };
    SlipEditBuffer b;
    b.begin(SlipKind::Number, QString());
    for (const Step& s : script) {
        if (s.typed)
            b.type(QString::fromUtf16(s.typed));
        else
            b.backspace();
        EXPECT_EQ(b.text(), QString::fromUtf16(s.held));
    }
    EXPECT_EQ(b.finish(), SlipValue::number(12.2));
    EXPECT_FALSE(b.isActive());

    b.begin(SlipKind::Number, QString());
    b.type("123456789012345");
    EXPECT_EQ(b.text().size(), SlipEditBuffer::maxNumberLength);

    for (const char* t : {"", "."}) {
        b.begin(SlipKind::Number, QString());
        b.type(t);
        EXPECT_TRUE(b.finish().isEmpty()) << t;
    }
}

TEST(SlipEditBufferTest, TextCellsTakePrintableText) {
    SlipEditBuffer b;
    b.begin(SlipKind::Text, QString());
    EXPECT_TRUE(b.type("現場 A-1"));
    EXPECT_FALSE(b.type("\t"));
    EXPECT_EQ(b.finish(), SlipValue::text("現場 A-1"));
    b.begin(SlipKind::Text, QString());
    EXPECT_TRUE(b.finish().isEmpty());
}

} // namespace

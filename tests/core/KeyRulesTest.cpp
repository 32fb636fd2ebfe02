// Where the open list goes, the two encodings of the hot-key modifier codes, what a hot key
// means, and the arrow keys' focus rules at the ends of the text and the list.
#include "control/core/ControlProperties.h"
#include "control/core/keys/KeyRules.h"

#include <gtest/gtest.h>

namespace vantil {
namespace {

const Rect kDesktop{0, 0, 1024, 740};

TEST(KeyRules, ListGoesBelowTheInputAreaOrAboveItAndStaysOnTheDesktop) {
    // 20 items, 8 rows of 17 pixels, a 17-pixel header.
    DropDownSizes s{0, 8, 17, 20, 1, 17};
    const Rect input{100, 200, 300, 220};
    const Rect below = dropDownRect(input, kDesktop, s);
    EXPECT_EQ(below, (Rect{99, 222, 301, 220 + 17 + 8 * 17 + 4}));

    const Rect low{100, 700, 300, 720};
    const Rect above = dropDownRect(low, kDesktop, s);
    EXPECT_EQ(above.bottom, 698) << "two pixels above the input area";
    EXPECT_EQ(above.height(), below.height());

    // Too tall for either side: it starts at the desktop's top.
    s.droppedRows = 100;
    s.itemCount = 100;
    EXPECT_EQ(dropDownRect(low, kDesktop, s).top, 0);

    // DroppedWidth widens it; at the right edge it moves left but never off the left edge.
    s = DropDownSizes{400, 8, 17, 3, 1, 17};
    const Rect right = dropDownRect(Rect{900, 10, 1000, 30}, kDesktop, s);
    EXPECT_EQ(right.right, 1024);
    EXPECT_EQ(right.width(), 400);
    s.droppedWidth = 2000;
    EXPECT_EQ(dropDownRect(Rect{900, 10, 1000, 30}, kDesktop, s).left, 0);

    // An empty list with columns still shows one row; the rows follow ListCount below DroppedRows.
    s = DropDownSizes{0, 8, 17, 0, 2, 17};
    EXPECT_EQ(dropDownRect(input, kDesktop, s).bottom, 220 + 17 + 17 + 4);
    s.itemCount = 3;
    EXPECT_EQ(dropDownRect(input, kDesktop, s).bottom, 220 + 17 + 3 * 17 + 4);
}

TEST(KeyRules, ModifierCodesHaveTwoEncodingsAndEqualKeysToggle) {
    // none, Alt, Ctrl, Shift, Alt+Ctrl, Alt+Shift, Ctrl+Shift, all three
    const int hot[] = {0, 1, 2, 4, 3, 5, 6, 7};
    const int shift[] = {0, 4, 2, 1, 6, 5, 3, 7};
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(hotKeyModifiers(code), hot[code]) << code;
        EXPECT_EQ(keyDownShift(code), shift[code]) << code;
    }

    ControlProperties p;
    p.dropDownVKeyCode = 113;
    p.closeUpVKeyCode = 114;
    EXPECT_EQ(hotKeyAction(kDropDownHotKey, false, p), HotKeyAction::Open);
    EXPECT_EQ(hotKeyAction(kDropDownHotKey, true, p), HotKeyAction::None);
    EXPECT_EQ(hotKeyAction(kCloseUpHotKey, true, p), HotKeyAction::Close);
    EXPECT_EQ(hotKeyAction(kCloseUpHotKey, false, p), HotKeyAction::None);
    p.closeUpVKeyCode = 113;
    EXPECT_EQ(hotKeyAction(kDropDownHotKey, true, p), HotKeyAction::Close);
    p.closeUpModifierFlags = 1;
    EXPECT_EQ(hotKeyAction(kDropDownHotKey, true, p), HotKeyAction::None);
}

TEST(KeyRules, ArrowsMoveFocusOnlyAtTheEndsWithModeTwo) {
    // A list of 3 rows.
    EXPECT_TRUE(verticalArrowMovesFocus(true, 2, 2, 3));
    EXPECT_FALSE(verticalArrowMovesFocus(true, 2, 1, 3));
    EXPECT_FALSE(verticalArrowMovesFocus(true, 2, -1, 3)) << "no row current: Down goes to row 0";
    EXPECT_TRUE(verticalArrowMovesFocus(true, 2, -1, 0));
    EXPECT_TRUE(verticalArrowMovesFocus(false, 2, 0, 3));
    EXPECT_TRUE(verticalArrowMovesFocus(false, 2, -1, 3));
    EXPECT_FALSE(verticalArrowMovesFocus(false, 2, 1, 3));
    EXPECT_TRUE(verticalArrowMovesFocus(false, 1, 1, 3));
    EXPECT_FALSE(verticalArrowMovesFocus(false, 0, 0, 3));

    EXPECT_TRUE(horizontalArrowMovesFocus(false, 2, 0, 4));
    EXPECT_FALSE(horizontalArrowMovesFocus(false, 2, 1, 4));
    EXPECT_TRUE(horizontalArrowMovesFocus(true, 2, 4, 4));
    EXPECT_FALSE(horizontalArrowMovesFocus(true, 0, 4, 4));
}

} // namespace
} // namespace vantil

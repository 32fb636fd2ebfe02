// The focused input text on a recording surface (6 pixels a single-byte character, 12 a
// double-byte one): the horizontal offset rule, the selection highlight, the caret and the
// composition text at the caret.
#include "control/core/edit/KeyCodes.h"
#include "control/core/paint/ControlWindow.h"
#include "control/core/paint/EditPainter.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/paint/RecordingSurface.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

struct NullTimer final : TimerService {
    void start(int) override {}
    void stop() override {}
};

struct Focused {
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    FixedPalette palette;
    NullTimer timer;
    ControlWindow window{ctrl, palette, timer};
    Rect r;

    explicit Focused(std::string_view utf8) {
        ctrl.setClientSite(&site);
        ctrl.initNew();
        ctrl.properties().captionRatio = 0;
        window.resize(200, 24);
        window.setFocused(true);
        ctrl.properties().text = plat::text::cp932::fromUtf8(utf8);
        ctrl.editArea().textReplaced();
        r = inputTextRect(window.layout());
    }
    void key(int vkey, bool shift = false) {
        ctrl.editArea().keyDown(vkey, KeyModifiers{shift, false, false});
    }
    RecordingSurface paint() {
        RecordingSurface s;
        window.paint(s);
        return s;
    }
    int offset() const { return ctrl.properties().edit.horizontalOffset; }
};

TEST(EditScrolling, TheOffsetMovesByQuartersOnlyWhenTheCaretLeavesTheVisiblePart) {
    struct Case {
        int offset, caretX, textWidth, visible, expected;
    };
    for (const Case& c : {
             Case{0, 100, 300, 100, 0},     // at the edge: still visible
             Case{0, 101, 300, 100, 25},    // one pixel past: a quarter
             Case{0, 300, 300, 100, 200},   // the end: quarter by quarter
             Case{190, 300, 300, 100, 200}, // less than a quarter of text remains
             Case{100, 99, 300, 100, 75},   // past the left edge: back a quarter
             Case{10, 0, 300, 100, 0},      // never below 0
         }) {
        EXPECT_EQ(scrolledOffset(c.offset, c.caretX, c.textWidth, c.visible), c.expected)
            << c.offset << " " << c.caretX;
    }
}

TEST(EditScrolling, ATextWiderThanTheBoxScrollsWithTheCaretAndBackToZero) {
    Focused f(std::string(60, 'x')); // 360 pixels
    const int visible = f.r.width() - 1;
    ASSERT_LT(visible, 360);
    f.paint();
    EXPECT_EQ(f.offset(), 0);
    f.key(vk::End);
    RecordingSurface s = f.paint();
    EXPECT_EQ(f.offset(), 360 - visible);
    EXPECT_EQ(s.only(Op::Text).front().at.x, f.r.left - f.offset());
    const int atEnd = f.offset();
    f.key(vk::Left);
    f.paint();
    EXPECT_EQ(f.offset(), atEnd) << "the caret is still visible";
    f.key(vk::Home);
    f.paint();
    EXPECT_EQ(f.offset(), 0);
    // One character past the right edge scrolls by a quarter of the visible width.
    for (int i = 0; i <= visible / 6; ++i) {
        f.key(vk::Right);
    }
    f.paint();
    EXPECT_EQ(f.offset(), visible / 4);
}

TEST(EditPainting, SelectionIsHighlightedAndTheCaretInvertedWhileShown) {
    Focused f("日本語");
    f.key(vk::Right);
    f.key(vk::Right, true); // caret 2, anchor 1: "本" selected
    RecordingSurface s = f.paint();
    const int x0 = f.r.left;
    const int y = f.r.top + (f.r.height() - RecordingSurface::kLine) / 2;
    bool highlighted = false;
    for (const Call& c : s.only(Op::Fill)) {
        highlighted |= c.rect == Rect{x0 + 12, y, x0 + 24, y + 12} &&
                       c.colour == f.palette.systemColor(syscolor::Highlight);
    }
    EXPECT_TRUE(highlighted);
    const auto texts = s.only(Op::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, plat::text::cp932::fromUtf8("本"));
    EXPECT_EQ(texts[1].at.x, x0 + 12);
    EXPECT_EQ(texts[1].colour, f.palette.systemColor(syscolor::HighlightText));
    EXPECT_EQ(s.only(Op::Invert).back().rect, (Rect{x0 + 24, y, x0 + 25, y + 12}));

    f.window.setCaretShown(false);
    EXPECT_TRUE(f.paint().only(Op::Invert).empty());
    // Overwrite mode: the caret covers the character after it.
    f.window.setCaretShown(true);
    f.key(vk::Insert);
    EXPECT_EQ(f.paint().only(Op::Invert).back().rect, (Rect{x0 + 24, y, x0 + 36, y + 12}));
}

TEST(EditPainting, TheCompositionShowsUnderlinedAtTheCaretWithTheCaretAfterIt) {
    Focused f("ab");
    f.key(vk::Right);
    f.ctrl.editArea().setComposition(plat::text::cp932::fromUtf8("にほ"));
    RecordingSurface s = f.paint();
    EXPECT_EQ(s.only(Op::Text).front().text, plat::text::cp932::fromUtf8("aにほb"));
    const int x0 = f.r.left;
    const auto lines = s.only(Op::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().points.front().x, x0 + 6);
    EXPECT_EQ(lines.back().points.back().x, x0 + 29);
    EXPECT_EQ(s.only(Op::Invert).back().rect.left, x0 + 30);
    EXPECT_EQ(f.ctrl.properties().text, "ab") << "the composition is not text yet";
}

} // namespace
} // namespace vantil::test

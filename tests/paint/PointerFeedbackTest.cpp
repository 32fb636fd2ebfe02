// Pointer shapes by position and the pointed caption with its watch timer.
#include "control/core/paint/PointerFeedback.h"
#include "tests/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

struct FakeTimer final : TimerService {
    int interval = 0;
    bool running = false;
    void start(int ms) override {
        interval = ms;
        running = true;
    }
    void stop() override { running = false; }
};

TEST(Cursor, ShapeByPositionAndMousePointer) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.captionRatio = 30;
    p.captionSize = 0;
    p.inputAreaBorder = 0;
    p.mousePointer = MousePointerConstants::lxmp_既定値;
    const ControlLayout l = computeLayout(p, Rect{0, 0, 200, 20}); // input 60..200, button 184..
    EXPECT_EQ(cursorFor(p, l, Point{10, 5}, false), CursorShape::HostDefault);
    EXPECT_EQ(cursorFor(p, l, Point{100, 5}, false), CursorShape::IBeam);
    EXPECT_EQ(cursorFor(p, l, Point{190, 5}, false), CursorShape::HostDefault);
    EXPECT_EQ(cursorFor(p, l, Point{100, 5}, true), CursorShape::Arrow);
    p.mousePointer = MousePointerConstants::lxmp_砂時計;
    EXPECT_EQ(cursorFor(p, l, Point{190, 5}, false), CursorShape::Wait);
    EXPECT_EQ(cursorFor(p, l, Point{10, 5}, false), CursorShape::HostDefault);
    p.mousePointer = kStoredCustomPointer; // custom without an icon
    EXPECT_EQ(cursorFor(p, l, Point{100, 5}, false), CursorShape::HostDefault);
}

TEST(PointerFeedback, PointedOnlyWhenThePointedColourDiffersAndEndsWhenThePointerLeaves) {
    ControlProperties p = defaultProperties();
    p.captionColor = 0x000001;
    p.captionPointedColor = kNoColor;
    FixedPalette palette;
    FakeTimer timer;
    PointerFeedback f(timer);
    EXPECT_FALSE(f.pointerMoved(p, palette, true));
    EXPECT_FALSE(timer.running);
    p.captionPointedColor = 0x000002;
    EXPECT_TRUE(f.pointerMoved(p, palette, true));
    EXPECT_TRUE(f.pointed());
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(timer.interval, 50);
    EXPECT_FALSE(f.pointerMoved(p, palette, true)); // already pointed: no second repaint
    EXPECT_FALSE(f.tick(true));
    EXPECT_TRUE(f.pointed());
    EXPECT_TRUE(f.tick(false));
    EXPECT_FALSE(f.pointed());
    EXPECT_FALSE(timer.running);
    // A system colour that resolves to the same colour is no difference.
    p.captionColor = 0x80000008;
    p.captionPointedColor = 0x000000;
    EXPECT_FALSE(f.pointerMoved(p, palette, true));
}

TEST(PointerFeedback, OldFormatDataOnlyInTheActiveWindow) {
    ControlProperties p = defaultProperties();
    p.captionColor = 0x000001;
    p.captionPointedColor = 0x000002;
    p.loadedVersion = 0x00030005;
    FixedPalette palette;
    FakeTimer timer;
    PointerFeedback f(timer);
    EXPECT_FALSE(f.pointerMoved(p, palette, false));
    EXPECT_TRUE(f.pointerMoved(p, palette, true));
}

} // namespace
} // namespace vantil::test

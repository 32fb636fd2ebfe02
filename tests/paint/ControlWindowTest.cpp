// What the control's window events change and repaint, on a control with a host site.
#include "control/core/paint/ControlWindow.h"
#include "platform/automation/HostSite.h"
#include "tests/paint/RecordingSurface.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

struct NullTimer final : TimerService {
    int starts = 0;
    void start(int) override { ++starts; }
    void stop() override {}
};

struct Fixture {
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    FixedPalette palette;
    NullTimer timer;
    ControlWindow window{ctrl, palette, timer};

    explicit Fixture(bool runMode = true) {
        site.runMode = runMode;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        ControlProperties& p = ctrl.properties();
        p.borderStyle = 0;
        p.captionRatio = 30;
        p.captionSize = 0;
        p.caption = "Cap";
        window.resize(200, 24);
    }
};

TEST(ControlWindow, CaptionPropertiesRepaintOnlyTheCaptionAndLayoutPropertiesRelayout) {
    Fixture f;
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionColor), (Rect{0, 0, 60, 24}));
    EXPECT_EQ(f.window.propertyChanged(dispids::Caption), (Rect{0, 0, 60, 24}));
    f.ctrl.properties().captionRatio = 50;
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionRatio), (Rect{0, 0, 200, 24}));
    EXPECT_EQ(f.window.layout().captionRect.width(), 100);
    // The disabled and pointed colours repaint only in their state.
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionDisabledColor), std::nullopt);
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionPointedColor), std::nullopt);
    f.ctrl.properties().enabled = false;
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionDisabledColor), (Rect{0, 0, 100, 24}));
    f.ctrl.properties().captionRatio = 0;
    f.window.propertyChanged(dispids::CaptionRatio);
    // No caption area: a caption-only change shows nothing.
    EXPECT_EQ(f.window.propertyChanged(dispids::CaptionColor), std::nullopt);
}

TEST(ControlWindow, PointedCaptionAtRunTimeOnly) {
    Fixture run;
    run.ctrl.properties().captionColor = 0x000001;
    run.ctrl.properties().captionPointedColor = 0x000002;
    EXPECT_EQ(run.window.pointerMoved(true), (Rect{0, 0, 60, 24}));
    EXPECT_TRUE(run.window.state().pointed);
    EXPECT_EQ(run.window.timerTick(false), (Rect{0, 0, 60, 24}));
    EXPECT_FALSE(run.window.state().pointed);
    Fixture design(false);
    design.ctrl.properties().captionColor = 0x000001;
    design.ctrl.properties().captionPointedColor = 0x000002;
    EXPECT_EQ(design.window.pointerMoved(true), std::nullopt);
    EXPECT_EQ(design.timer.starts, 0);
    EXPECT_TRUE(design.window.state().designMode);
}

TEST(ControlWindow, ButtonPressShowsPressedUntilRelease) {
    Fixture f;
    EXPECT_FALSE(f.window.pressAt(Point{100, 12}));
    EXPECT_TRUE(f.window.pressAt(Point{190, 12}));
    RecordingSurface s;
    f.window.paint(s);
    // Input area border 2: the pressed button is a single frame in the button-shadow colour.
    const auto frames = s.only(Op::Frame);
    EXPECT_EQ(frames.back().colour, f.palette.systemColor(syscolor::ButtonShadow));
    EXPECT_EQ(frames.back().colour2, f.palette.systemColor(syscolor::ButtonShadow));
    EXPECT_TRUE(f.window.release());
    EXPECT_FALSE(f.window.release());
    f.ctrl.properties().enabled = false;
    EXPECT_FALSE(f.window.pressAt(Point{190, 12}));
}

TEST(ControlWindow, DefHeightResizeOnlyAtRunTimeAndWhenItDiffers) {
    Fixture f;
    f.ctrl.properties().defHeight = 20; // the input area 2..22 is already 20 high
    EXPECT_EQ(f.window.heightForDefHeight(), std::nullopt);
    f.ctrl.properties().defHeight = 30;
    EXPECT_EQ(f.window.heightForDefHeight(), 34);
    f.ctrl.properties().defHeight = 0;
    EXPECT_EQ(f.window.heightForDefHeight(), std::nullopt);
    Fixture design(false);
    design.ctrl.properties().defHeight = 30;
    EXPECT_EQ(design.window.heightForDefHeight(), std::nullopt);
}

} // namespace
} // namespace vantil::test

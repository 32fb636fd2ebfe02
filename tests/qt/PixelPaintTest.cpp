// The control painted with QPainter onto an offscreen image, checked pixel by pixel.
#include "tests/qt/QtPaintSupport.h"

#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <random>

namespace vantil::test {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;
constexpr Color kYellow = 0x00FFFF;

ControlProperties plain() {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.captionRatio = 0;
    p.captionSize = 0;
    p.caption.clear();
    p.text.clear();
    return p;
}

TEST(PixelPainting, DoubleLineBorderIsLineGapGapLine) {
    ControlProperties p = plain();
    p.borderStyle = 3;
    p.borderWidth = 2;
    p.innerBorderWidth = 1;
    p.outerBorderWidth = 1;
    p.borderColor = kRed;
    p.backColor = kGreen;
    p.inputAreaBorder = 0;
    p.inputAreaColor = kBlue;
    const QImage img = render(p, 120, 24);
    const Rgb red = Rgb::fromColorRef(kRed);
    const Rgb green = Rgb::fromColorRef(kGreen);
    const Rgb blue = Rgb::fromColorRef(kBlue);
    // Across the left edge and down the top edge alike.
    const Rgb expected[] = {red, green, green, red, blue};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pixel(img, i, 12), expected[i]) << "x " << i;
        EXPECT_EQ(pixel(img, 40, i), expected[i]) << "y " << i;
        if (i < 4) { // the drop-down button follows the border on the right
            EXPECT_EQ(pixel(img, 119 - i, 12), expected[i]) << "right " << i;
        }
        EXPECT_EQ(pixel(img, 40, 23 - i), expected[i]) << "bottom " << i;
    }
}

TEST(PixelPainting, CaptionRatio30AndThe3DInputBorderStartTheInputAreaAt62) {
    ControlProperties p = plain();
    p.captionRatio = 30;
    p.caption = "Cap";
    p.backColor = kGreen;
    p.inputAreaBorder = 2;
    p.inputAreaColor = kBlue;
    const QImage img = render(p, 200, 24);
    const FixedPalette pal;
    EXPECT_EQ(pixel(img, 59, 1), Rgb::fromColorRef(kGreen));
    EXPECT_EQ(pixel(img, 60, 12), pal.systemColor(syscolor::ButtonShadow));
    EXPECT_EQ(pixel(img, 61, 12), pal.systemColor(syscolor::DarkShadow3D));
    EXPECT_EQ(pixel(img, 62, 12), Rgb::fromColorRef(kBlue));
    // The caption's text stays inside the caption area.
    // Everything left of the drop-down button, whose triangle is outlined in the same colour.
    const auto ink = columnsWith(img, pal.systemColor(syscolor::WindowText), 0, 182, 2, 22);
    ASSERT_FALSE(ink.empty());
    EXPECT_LT(ink.back(), 60);
}

TEST(PixelPainting, Ratio100LeavesNoInputAreaAndNoButton) {
    ControlProperties p = plain();
    p.captionRatio = 100;
    p.caption = "Cap";
    p.backColor = kGreen;
    p.inputAreaColor = kBlue;
    const QImage img = render(p, 200, 24);
    const FixedPalette pal;
    EXPECT_EQ(countPixels(img, Rgb::fromColorRef(kBlue), img.rect()), 0);
    EXPECT_EQ(countPixels(img, pal.systemColor(syscolor::ButtonFace), img.rect()), 0);
    EXPECT_EQ(pixel(img, 195, 12), Rgb::fromColorRef(kGreen));
}

// The rightmost column of right-aligned text in the input area.
int rightmostInk(std::int16_t focusBorder) {
    ControlProperties p = plain();
    p.inputAreaBorder = 0;
    p.inputAreaColor = kBlue;
    p.foreColor = kRed;
    p.focusBorder = focusBorder;
    p.alignmentH = 1;
    p.text = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    const QImage img = render(p, 200, 24);
    // Left of the drop-down button, whose triangle is outlined in ForeColor too.
    const auto ink = columnsWith(img, Rgb::fromColorRef(kRed), 0, 184 + 1, 0, 24);
    return ink.empty() ? -1 : ink.back();
}

TEST(PixelPainting, FocusBorderZeroGivesTheTextTheInputAreaLessTheButton) {
    const int none = rightmostInk(0);
    const int thick = rightmostInk(3);
    ASSERT_GT(none, 0);
    // The button starts at 184; the text painter may use one more pixel on the right.
    EXPECT_LE(none, 184);
    EXPECT_GE(none, 184 - 3);
    EXPECT_EQ(thick, none - 2);
}

TEST(PixelPainting, DistributedTwoCharacterCaptionSpansTheTextArea) {
    ControlProperties p = plain();
    p.captionSize = 106; // text area 3..103: 100 pixels
    p.captionFocusBorder = 0;
    p.captionAlignmentH = 3;
    p.captionColor = kRed;
    p.caption = plat::text::cp932::fromUtf8("社員");
    const QImage img = render(p, 300, 24);
    const auto ink = columnsWith(img, Rgb::fromColorRef(kRed), 0, 106, 0, 24);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.front(), 3);
    EXPECT_LE(ink.front(), 6);
    // The second character ends two pixels short of the text area's right edge.
    EXPECT_LE(ink.back(), 101);
    EXPECT_GE(ink.back(), 96);
}

TEST(PixelPainting, DisabledControlPaintsCaptionAndTextInTheDisabledColours) {
    ControlProperties p = plain();
    p.captionRatio = 40;
    p.caption = "Caption";
    p.text = "Text";
    p.foreColor = kRed;
    p.captionColor = kNoColor;
    p.disabledColor = kYellow;
    p.captionDisabledColor = kNoColor;
    p.backColor = kGreen;
    p.inputAreaColor = kBlue;
    p.enabled = false;
    QImage img = render(p, 200, 24);
    const QRect caption(0, 0, 80, 24);
    const QRect input(80, 0, 100, 24);
    const Rgb yellow = Rgb::fromColorRef(kYellow);
    EXPECT_GT(countPixels(img, yellow, caption), 10);
    EXPECT_GT(countPixels(img, yellow, input), 10);
    EXPECT_EQ(countPixels(img, Rgb::fromColorRef(kRed), img.rect().adjusted(0, 0, -16, 0)), 0);
    p.captionDisabledColor = kBlue;
    img = render(p, 200, 24);
    EXPECT_GT(countPixels(img, Rgb::fromColorRef(kBlue), caption), 10);
    EXPECT_EQ(countPixels(img, yellow, caption), 0);
    EXPECT_GT(countPixels(img, yellow, input), 10);
}

TEST(PixelPainting, DottedFramesAlternateAndTheFocusRectangleInverts) {
    qtApp();
    QImage img(10, 6, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QtSurface s(&img);
        s.dottedFrame(Rect{0, 0, 10, 6}, Rgb{0, 0, 0});
    }
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    EXPECT_EQ(pixel(img, 0, 0), black);
    EXPECT_EQ(pixel(img, 1, 0), white);
    EXPECT_EQ(pixel(img, 2, 0), black);
    EXPECT_EQ(pixel(img, 0, 1), white);
    EXPECT_EQ(pixel(img, 0, 2), black);
    EXPECT_EQ(pixel(img, 3, 3), white); // the inside is untouched
    img.fill(Qt::black);
    {
        QtSurface s(&img);
        s.focusRect(Rect{0, 0, 10, 6});
        s.invertRect(Rect{4, 2, 6, 4});
    }
    EXPECT_EQ(pixel(img, 0, 0), white);
    EXPECT_EQ(pixel(img, 1, 0), black);
    EXPECT_EQ(pixel(img, 4, 2), white);
    EXPECT_EQ(pixel(img, 3, 2), black);
}

TEST(PixelPainting, AWindowsKeptFontsDrawAsFontsMadeForThePaint) {
    // Ten fonts asked for in a random order, more than the cache keeps: every text must come
    // out as it does with a font made just for it, whichever entries were kept or dropped.
    qtApp();
    auto render = [](QtFontCache* fonts, int font) {
        QImage img(240, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QtSurface s(&img, fonts);
        FontRequest request;
        request.desc.size = plat::automation::Currency::fromUnits(8 + font);
        request.desc.weight = font % 2 == 0 ? 700 : 400;
        s.setFont(request);
        s.drawText(Point{2, 2}, "\x8E\x52\x93\x63 Width " + std::to_string(s.textWidth("W")),
                   Rgb{0, 0, 0});
        return img;
    };
    QtFontCache fonts;
    std::mt19937 random(8);
    for (int round = 0; round < 60; ++round) {
        const int font = static_cast<int>(random() % 10);
        ASSERT_EQ(render(&fonts, font), render(nullptr, font)) << round << " " << font;
    }
}

} // namespace
} // namespace vantil::test

// Caption text, placement, colours by state, underline and focus frame.
#include "control/core/paint/CaptionPainter.h"
#include "control/core/paint/CaptionText.h"
#include "platform/text/Cp932.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/paint/RecordingSurface.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

using plat::text::cp932::fromUtf8;

TEST(AcceleratorCaption, RemovesSingleAmpersandsAndFindsTheUnderlinedCharacter) {
    struct Case {
        const char* caption;
        const char* shown;
        int underline;
    };
    const Case cases[] = {
        {"&File", "File", 0}, {"Fi&le", "File", 2}, {"A&&B", "A&B", -1},
        {"A&&&B", "A&B", 2},  {"&A&B", "AB", 0},    {"AB&", "AB&", -1},
        {"&", " ", -1},       {"&&", "&", -1},      {"", "", -1},
    };
    for (const Case& c : cases) {
        const DisplayCaption d = acceleratorCaption(c.caption);
        EXPECT_EQ(d.text, c.shown) << c.caption;
        EXPECT_EQ(d.underlineChar, c.underline) << c.caption;
    }
    // The underline counts characters, a double-byte character counting one.
    const DisplayCaption jp = acceleratorCaption(fromUtf8("社員&N"));
    EXPECT_EQ(jp.text, fromUtf8("社員N"));
    EXPECT_EQ(jp.underlineChar, 2);
}

TEST(CutLines, BreaksAtLineEndsAndBeforeTheCharacterThatDoesNotFit) {
    const auto six = [](std::string_view c) { return c.size() == 2 ? 12 : 6; };
    using V = std::vector<std::string>;
    EXPECT_EQ(cutLines("abcdef", 18, six), (V{"abc", "def"}));
    EXPECT_EQ(cutLines("ab\r\ncd\nef", 100, six), (V{"ab", "cd", "ef"}));
    EXPECT_EQ(cutLines("ab\n\ncd", 100, six), (V{"ab", "", "cd"}));
    // A double-byte character is never split, and a line holds at least one character.
    EXPECT_EQ(cutLines(fromUtf8("a社員"), 13, six), (V{"a", fromUtf8("社"), fromUtf8("員")}));
    EXPECT_EQ(cutLines("abc", 1, six), (V{"a", "b", "c"}));
}

ControlProperties captionProps() {
    ControlProperties p = defaultProperties();
    p.caption = "AB";
    p.captionFocusBorder = 0; // text area = caption rect less 3 left/right and 1 top/bottom
    p.captionAlignmentH = 0;
    p.captionAlignmentV = CaptionAlignmentVConstants::lxcav_上揃え;
    return p;
}

TEST(CaptionPlacement, HorizontalAlignments) {
    ControlProperties p = captionProps();
    const Rect caption{0, 0, 106, 20}; // text area 3..103 (100 wide), 1..19
    struct Case {
        std::int16_t h;
        std::int16_t v;
        std::vector<Point> origins;
    };
    const Case cases[] = {
        {0, 0, {{3, 1}}},
        {1, 0, {{91, 1}}},
        {2, 1, {{47, 4}}},
        {0, 2, {{3, 7}}},
        // Distributed: the gap between the two characters is 100 - 12 - 2.
        {3, 0, {{3, 1}, {3 + 6 + 86, 1}}},
    };
    for (const Case& c : cases) {
        p.captionAlignmentH = c.h;
        p.captionAlignmentV = CaptionAlignmentVConstants{c.v};
        RecordingSurface s;
        const CaptionPlacement placed = placeCaption(s, p, caption);
        ASSERT_EQ(placed.runs.size(), c.origins.size()) << "h " << c.h;
        for (std::size_t i = 0; i < c.origins.size(); ++i) {
            EXPECT_EQ(placed.runs[i].origin, c.origins[i]) << "h " << c.h << " v " << c.v;
        }
    }
}

TEST(CaptionPlacement, DistributedSingleCharacterIsCentred) {
    ControlProperties p = captionProps();
    p.caption = "A";
    p.captionAlignmentH = 3;
    RecordingSurface s;
    const CaptionPlacement placed = placeCaption(s, p, Rect{0, 0, 106, 20});
    ASSERT_EQ(placed.runs.size(), 1u);
    EXPECT_EQ(placed.runs[0].origin.x, 3 + (100 - 6) / 2);
}

TEST(CaptionPlacement, MultiLineCutsOnlyWhatDoesNotFit) {
    ControlProperties p = captionProps();
    p.captionMultiLine = true;
    p.caption = "ABCDEF"; // 36 pixels
    RecordingSurface s;
    EXPECT_EQ(placeCaption(s, p, Rect{0, 0, 46, 40}).runs.size(), 1u);
    const CaptionPlacement cut = placeCaption(s, p, Rect{0, 0, 30, 40}); // 24 wide
    ASSERT_EQ(cut.runs.size(), 2u);
    EXPECT_EQ(cut.runs[0].text, "ABCD");
    EXPECT_EQ(cut.runs[1].text, "EF");
    EXPECT_EQ(cut.runs[1].origin.y, cut.runs[0].origin.y + RecordingSurface::kLine);
    p.captionMultiLine = false;
    EXPECT_EQ(placeCaption(s, p, Rect{0, 0, 30, 40}).runs.size(), 1u);
}

TEST(CaptionPlacement, VerticalDirectionsWriteDownwardsAndTurnDoubleByteCharacters) {
    ControlProperties p = captionProps();
    p.caption = fromUtf8("社A");
    p.captionDirection = CaptionDirectionConstants::lxcd_縦書き_縦ﾌｫﾝﾄ用;
    RecordingSurface s;
    const CaptionPlacement turned = placeCaption(s, p, Rect{0, 0, 40, 60});
    ASSERT_EQ(turned.runs.size(), 2u);
    EXPECT_TRUE(turned.runs[0].turned);
    EXPECT_FALSE(turned.runs[1].turned); // single-byte characters stay upright
    EXPECT_EQ(turned.runs[1].origin.y, turned.runs[0].origin.y + RecordingSurface::kLine);
    // The turned glyph's cell lies left of its origin.
    EXPECT_EQ(turned.runs[0].origin.x, 3 + RecordingSurface::kLine);
    p.captionDirection = CaptionDirectionConstants::lxcd_縦書き;
    const CaptionPlacement upright = placeCaption(s, p, Rect{0, 0, 40, 60});
    EXPECT_FALSE(upright.runs[0].turned);
    EXPECT_EQ(upright.runs[0].origin.x, 3);
    // Right alignment keeps two pixels inside the edge for vertical directions.
    p.captionAlignmentH = 1;
    EXPECT_EQ(placeCaption(s, p, Rect{0, 0, 40, 60}).runs[0].origin.x, 37 - 2 - 12);
}

TEST(CaptionPlacement, MultiLineVerticalColumnsRunFromRightToLeft) {
    ControlProperties p = captionProps();
    p.caption = "ABC";
    p.captionDirection = CaptionDirectionConstants::lxcd_縦書き;
    p.captionMultiLine = true;
    RecordingSurface s;
    const CaptionPlacement placed = placeCaption(s, p, Rect{0, 0, 40, 26}); // 24 high: 2 rows
    ASSERT_EQ(placed.runs.size(), 3u);
    EXPECT_GT(placed.runs[0].origin.x, placed.runs[2].origin.x);
    EXPECT_EQ(placed.runs[2].origin.y, placed.runs[0].origin.y);
}

TEST(CaptionPainting, ColourFollowsTheStateAndMinusOneFollowsItsProperty) {
    ControlProperties p = captionProps();
    p.foreColor = 0x000011;
    p.disabledColor = 0x000022;
    p.captionColor = kNoColor;
    p.captionPointedColor = kNoColor;
    p.captionDisabledColor = kNoColor;
    FixedPalette palette;
    const auto drawnColour = [&](const PaintState& st) {
        RecordingSurface s;
        paintCaption(s, p, Rect{0, 0, 60, 20}, st, palette);
        const auto texts = s.only(Op::Text);
        return texts.empty() ? Rgb{} : texts.back().colour;
    };
    EXPECT_EQ(drawnColour({}), Rgb::fromColorRef(0x000011));
    PaintState pointed;
    pointed.pointed = true;
    EXPECT_EQ(drawnColour(pointed), Rgb::fromColorRef(0x000011));
    p.captionPointedColor = 0x0000FF;
    EXPECT_EQ(drawnColour(pointed), Rgb::fromColorRef(0x0000FF));
    p.enabled = false;
    EXPECT_EQ(drawnColour(pointed), Rgb::fromColorRef(0x000022));
    p.captionDisabledColor = 0x000033;
    EXPECT_EQ(drawnColour({}), Rgb::fromColorRef(0x000033));
}

TEST(CaptionPainting, TextIsClippedToTheTextAreaAndTheUnderlineTakesTheEffect) {
    ControlProperties p = captionProps();
    p.caption = fromUtf8("&社A");
    p.captionAccelerator = true;
    p.captionFont3D = Font3DConstants::lxf3d_凸型;
    FixedPalette palette;
    RecordingSurface s;
    paintCaption(s, p, Rect{0, 0, 60, 20}, {}, palette);
    const auto clips = s.only(Op::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{3, 1, 57, 19}));
    // Two text copies (raised), then two underline copies, half the double-byte width.
    const auto fills = s.only(Op::Fill);
    ASSERT_EQ(fills.size(), 3u); // background + two underline copies
    EXPECT_EQ(fills[1].rect, (Rect{3, 11, 9, 12}));
    EXPECT_EQ(fills[2].rect, (Rect{4, 12, 10, 13}));
}

TEST(CaptionPainting, FocusFrameOnlyWithFocusOrInDesignMode) {
    ControlProperties p = captionProps();
    p.captionAlignmentV = CaptionAlignmentVConstants::lxcav_上揃え;
    FixedPalette palette;
    struct Case {
        std::int16_t border;
        Op op;
        std::size_t count;
    };
    const Case cases[] = {{1, Op::Focus, 1},  {2, Op::Frame, 1},  {3, Op::Frame, 2},
                          {4, Op::Dotted, 1}, {5, Op::Dotted, 2}, {6, Op::Frame, 1},
                          {7, Op::Frame, 2}};
    for (const Case& c : cases) {
        p.captionFocusBorder = c.border;
        RecordingSurface unfocused;
        paintCaption(unfocused, p, Rect{0, 0, 80, 24}, {}, palette);
        EXPECT_TRUE(unfocused.only(c.op).empty()) << "border " << c.border;
        PaintState focused;
        focused.focused = true;
        RecordingSurface s;
        paintCaption(s, p, Rect{0, 0, 80, 24}, focused, palette);
        const auto frames = s.only(c.op);
        ASSERT_EQ(frames.size(), c.count) << "border " << c.border;
        const int m = captionFocusMargin(CaptionFocusBorderConstants{c.border});
        // Text at (m + 3, m + 1), 12 wide and 12 high, widened by m + 2 and m.
        EXPECT_EQ(frames[0].rect,
                  (Rect{1, 1, m + 3 + 12 + m + 2, m + 1 + 12 + m}.intersected(Rect{0, 0, 80, 24})))
            << "border " << c.border;
    }
    p.captionFocusBorder = 2;
    PaintState design;
    design.designMode = true;
    RecordingSurface d;
    paintCaption(d, p, Rect{0, 0, 80, 24}, design, palette);
    EXPECT_EQ(d.only(Op::Frame).size(), 1u);
}

} // namespace
} // namespace vantil::test

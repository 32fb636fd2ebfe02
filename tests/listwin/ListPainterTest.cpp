// The list's painting on a recording surface: colours of item rows (odd rows, selection, own
// colours, disabled items), the picture and text layout of DisplayItem, header bevels, item
// borders, the tracking line and the restriction to visible cells.
#include "control/list/window/ListPainter.h"
#include "tests/listwin/ListWindowTestSupport.h"
#include "tests/paint/RecordingSurface.h"

namespace vantil::test {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kOdd{0xE6, 0xEF, 0xF7};
constexpr Rgb kSelection{0, 0, 0x80};
constexpr Rgb kOwn{0x10, 0x20, 0x30};
constexpr Rgb kDisabled{0x80, 0x80, 0x80};

struct PaintedList : ListWindowFixture {
    RecordingSurface s;

    explicit PaintedList(int items = 20) : ListWindowFixture(items) {
        c.put(u"InputAreaColor", Variant(static_cast<std::int32_t>(kWhite.colorRef())));
        c.put(u"ForeColor", Variant(static_cast<std::int32_t>(kBlack.colorRef())));
        c.put(u"SelectedColor", Variant(static_cast<std::int32_t>(kSelection.colorRef())));
        c.put(u"DisabledColor", Variant(static_cast<std::int32_t>(kDisabled.colorRef())));
    }
    void paint(std::optional<Rect> update = std::nullopt) {
        s.calls.clear();
        const ListGeometry g = w().geometry();
        const ListStyle style = listStyleFrom(c.ctrl->properties(), FixedPalette());
        std::optional<Rect> line;
        if (const std::optional<int> x = w().trackingLine()) {
            line = w().trackingLineRect(*x);
        }
        paintList(s, ListPaint{g, style, update.value_or(Rect{0, 0, 200, 130}), line});
    }
    // The colour of the last fill of item `index`'s cell in `column` (scrolled to the top).
    Rgb cellFill(int index, int column) const {
        const int left = column == 0 ? 0 : column == 1 ? 60 : 140;
        const int width = column == 0 ? 60 : column == 1 ? 80 : 100;
        const Rect r{left, kHeader + kRow * index, left + width + 1,
                     kHeader + kRow * (index + 1) + 1};
        std::optional<Rgb> found;
        for (const Call& call : s.only(Op::Fill)) {
            if (call.rect == r) {
                found = call.colour;
            }
        }
        EXPECT_TRUE(found) << "no fill of item " << index;
        return found.value_or(Rgb{1, 2, 3});
    }
    std::vector<Call> texts(std::string_view prefix) const {
        std::vector<Call> out;
        for (const Call& call : s.only(Op::Text)) {
            if (call.text.starts_with(prefix)) {
                out.push_back(call);
            }
        }
        return out;
    }
    Rgb textColour(std::string_view exact) const {
        for (const Call& call : s.only(Op::Text)) {
            if (call.text == exact) {
                return call.colour;
            }
        }
        ADD_FAILURE() << "no text " << exact;
        return Rgb{1, 2, 3};
    }
};

TEST(ListPainting, OddRowsSelectionAndOwnColours) {
    PaintedList p;
    p.c.put(u"OddRowBackColor", Variant(static_cast<std::int32_t>(kOdd.colorRef())));
    p.c.put(u"ItemBackColor", Variant(static_cast<std::int32_t>(kOwn.colorRef())), {num(3)});
    p.w().setCurrentRow(2); // item 1, an odd one
    p.paint();
    EXPECT_EQ(p.cellFill(0, 0), kWhite);
    EXPECT_EQ(p.cellFill(1, 0), kSelection);
    EXPECT_EQ(p.cellFill(1, 2), kSelection);
    EXPECT_EQ(p.cellFill(2, 1), kWhite);
    EXPECT_EQ(p.cellFill(3, 0), kOwn); // its own colour beats the odd-row colour
    EXPECT_EQ(p.cellFill(3, 1), kOwn); // column 0's colour stands for the item
    EXPECT_EQ(p.cellFill(4, 0), kWhite);
    EXPECT_EQ(p.textColour("item 1"), kWhite); // black text inverted on the selection
    EXPECT_EQ(p.textColour("item 2"), kBlack);
}

TEST(ListPainting, DisabledAndMaskedItemsUseDisabledColourInEveryColumn) {
    PaintedList p;
    p.c.put(u"ItemEnabled", Variant(false), {num(0)});
    p.grid().item(2).item.masked = true;
    p.paint();
    EXPECT_EQ(p.textColour("n0"), kDisabled);
    EXPECT_EQ(p.textColour("n2"), kDisabled);
    EXPECT_EQ(p.textColour("n1"), kBlack);
}

TEST(ListPainting, OnlyVisibleCellsMeetingTheUpdateArePainted) {
    PaintedList p(1000);
    p.paint();
    EXPECT_EQ(p.texts("item ").size(), 5u);
    EXPECT_EQ(p.texts("n").size(), 5u);
    p.w().scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, 19980);
    p.paint(Rect{0, 71, 200, 90}); // inside the third visible row
    const std::vector<Call> shown = p.texts("item ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "item 997");
}

TEST(ListPainting, AStripRepaintsItsOwnRowsAndTheLastRowItsExtraPixel) {
    PaintedList p(1000);
    p.paint(Rect{0, 110, 200, 130}); // what one line down uncovers
    std::vector<Call> shown = p.texts("item ");
    ASSERT_EQ(shown.size(), 1u) << "the row above the strip only reaches into it by a pixel";
    EXPECT_EQ(shown[0].text, "item 4");
    p.paint(Rect{0, 70, 200, 71}); // the top line of item 2, the extra pixel of item 1
    shown = p.texts("item ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "item 2");

    PaintedList two(2);
    two.paint(Rect{0, 70, 200, 71}); // below the last row: only its extra pixel
    shown = two.texts("item ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "item 1");
}

TEST(ListPainting, HeaderBevelItemBordersAndTrackingLine) {
    PaintedList p(2);
    p.c.put(u"InputAreaBorder", Variant(std::int16_t{2}));
    p.paint();
    const std::vector<Call> frames = p.s.only(Op::Frame);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].rect, (Rect{0, 0, 60, kHeader}));
    const ListStyle st = listStyleFrom(p.c.ctrl->properties(), FixedPalette());
    EXPECT_EQ(frames[0].colour, st.colors.light);
    EXPECT_EQ(frames[0].colour2, st.colors.shadow);

    // ItemVertBorder "none given": ItemBorder is a full frame round the widened cell.
    p.c.put(u"ItemBorder", Variant(std::int16_t{1}));
    p.c.put(u"ItemVertBorder", Variant(std::int16_t{4}));
    p.paint();
    bool framed = false;
    for (const Call& f : p.s.only(Op::Frame)) {
        framed = framed || (f.rect == Rect{0, kHeader, 61, kHeader + kRow + 1} &&
                            f.colour == st.colors.itemBorder);
    }
    EXPECT_TRUE(framed);
    // Otherwise the line reaches past the other edges and the cell clips it to its bottom.
    p.c.put(u"ItemVertBorder", Variant(std::int16_t{0}));
    p.paint();
    const std::vector<Call> clips = p.s.only(Op::Clip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips[0].rect, (Rect{0, kHeader, 61, kHeader + kRow + 1}));

    p.w().mouseMove(Point{58, 10}, false);
    p.w().leftDown(Point{58, 10});
    p.paint();
    ASSERT_EQ(p.s.only(Op::Invert).size(), 1u);
    EXPECT_EQ(p.s.only(Op::Invert)[0].rect, (Rect{58, 0, 60, 130}));
}

TEST(ListPainting, DisplayItemPlacesPictureAndText) {
    // Both, 15 wide and 20 high: the square is centred vertically and no text is drawn.
    CellLayout narrow = layoutCell(Rect{0, 0, 15, 20}, true, 2, kFormatSingleLine);
    EXPECT_EQ(narrow.picture, (Rect{4, 6, 11, 13}));
    EXPECT_FALSE(narrow.text);
    // Both, 100 wide: the text starts 20 pixels right of the cell's left edge.
    CellLayout wide = layoutCell(Rect{10, 0, 110, 20}, true, 2, kFormatSingleLine);
    EXPECT_EQ(wide.picture, (Rect{14, 4, 26, 16}));
    EXPECT_EQ(wide.text, (Rect{30, 0, 110, 20}));
    // Right-aligned: the picture stands at the right and the text gives way on that side.
    CellLayout right = layoutCell(Rect{10, 0, 110, 20}, true, 2, kFormatRight);
    EXPECT_EQ(right.picture, (Rect{94, 4, 106, 16}));
    EXPECT_EQ(right.text, (Rect{10, 0, 90, 20}));
    // Picture only: centred, nothing else; text only: the whole cell.
    CellLayout only = layoutCell(Rect{10, 0, 110, 20}, true, 1, kFormatSingleLine);
    EXPECT_EQ(only.picture, (Rect{54, 4, 66, 16}));
    EXPECT_FALSE(only.text);
    EXPECT_EQ(layoutCell(Rect{10, 0, 110, 20}, true, 0, 0).text, (Rect{10, 0, 110, 20}));
}

} // namespace
} // namespace vantil::test

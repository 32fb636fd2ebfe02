// The list window's behaviour on a recording port: geometry and scrolling arithmetic, wheel
// requests, which rows may become current, pointer modes, column resizing, keys, the title-tip
// decision and the control members that read the view.
#include "tests/listwin/ListWindowTestSupport.h"

namespace vantil::test {
namespace {

TEST(ListWindowGeometry, VisibleRangeMaximaAndCellsUnderPoints) {
    ListWindowFixture f;
    const ListGeometry g = f.w().geometry();
    // 130 - 30 leaves 100 pixels: five rows; 20 rows of 20 need 400.
    EXPECT_EQ(g.topRow(), 1);
    EXPECT_EQ(g.bottomRow(), 5);
    EXPECT_EQ(g.maximum(ScrollAxis::Vertical), 399);
    EXPECT_EQ(g.page(ScrollAxis::Vertical), 100);
    EXPECT_EQ(g.positionLimit(ScrollAxis::Vertical), 300);
    EXPECT_EQ(g.rightColumn(), 2);
    EXPECT_EQ(g.cellAt(Point{70, 10}), (CellHit{0, 1, true}));
    EXPECT_EQ(g.cellAt(ListWindowFixture::itemPoint(2, 150)), (CellHit{3, 2, true}));
    // Beyond the last column: the last column, but outside the columns.
    EXPECT_EQ(g.cellAt(Point{245, 35}), (CellHit{1, 2, false}));

    ListWindowFixture few(3);
    EXPECT_EQ(few.w().geometry().maximum(ScrollAxis::Vertical), 0);
    EXPECT_EQ(few.port.bars[1].maximum, 0);
    EXPECT_EQ(few.w().geometry().cellAt(Point{10, 125}).row, -1);
}

TEST(ListWindowGeometry, ACommonRowHeightGivesWhatSummingTheRowsGives) {
    ListWindowFixture f(50);
    ASSERT_EQ(uniformRowHeight(f.grid()), kRow);
    const Size client{200, 130};
    for (const int pos : {0, 1, 19, 20, 21, 399, 500, 899, 900, 901, 5000}) {
        const ListGeometry summed(f.grid(), client, pos, 0);
        const ListGeometry computed(f.grid(), client, pos, 0, kRow);
        EXPECT_EQ(computed.topRow(), summed.topRow()) << pos;
        EXPECT_EQ(computed.bottomRow(), summed.bottomRow()) << pos;
        EXPECT_EQ(computed.totalHeight(), summed.totalHeight());
        for (const std::int32_t row : {0, 1, 2, 26, 50, 51, 70}) {
            EXPECT_EQ(computed.rowPosition(row), summed.rowPosition(row)) << row;
        }
    }
    // One taller row: the window sums again once the grid tells it so.
    f.grid().setRowHeight(3, 35);
    EXPECT_EQ(uniformRowHeight(f.grid()), 0);
    for (const bool updated : {false, true}) {
        if (updated) {
            f.w().updateRanges();
        }
        f.w().scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, 210);
        const ListGeometry g = f.w().geometry();
        EXPECT_EQ(g.topRow(), 11) << updated; // rows 1 to 10 end at 215
        EXPECT_EQ(g.rowPosition(5), 95) << updated;
        EXPECT_EQ(g.totalHeight(), kHeader + 49 * kRow + 35) << updated;
    }
}

TEST(ListWindowScroll, LinesMovePixelsPagesAndEndsRepaint) {
    ListWindowFixture f;
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 20);
    ASSERT_EQ(f.port.moved.size(), 1u);
    EXPECT_EQ(f.port.moved[0].dy, -kRow);
    EXPECT_EQ(f.port.moved[0].area, (Rect{0, kHeader, 200, 130}));
    EXPECT_EQ(f.w().geometry().topRow(), 2);

    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::PageDown);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 120);
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::Bottom);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 300);
    f.port.moved.clear();
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 300);
    EXPECT_TRUE(f.port.moved.empty());
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::LineUp);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 280);
    EXPECT_EQ(f.port.moved.back().dy, kRow);
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, 1000);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 300);

    // Without a horizontal bar sideways requests are ignored.
    f.port.client.width = 100;
    f.w().updateRanges();
    f.w().scroll(ScrollAxis::Horizontal, ScrollRequest::LineDown);
    EXPECT_EQ(f.w().position(ScrollAxis::Horizontal), 0);
    f.options([](ListOptions& o) { o.horizontalBar = true; });
    f.w().scroll(ScrollAxis::Horizontal, ScrollRequest::LineDown);
    EXPECT_EQ(f.w().position(ScrollAxis::Horizontal), 60);
    EXPECT_EQ(f.w().geometry().leftColumn(), 1);
}

TEST(ListWindowScroll, ALineMovesOnlyThePixelsOfTheColumns) {
    ListWindowFixture f;
    f.port.client.width = 300; // the columns end at 240
    f.w().updateRanges();
    f.w().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    ASSERT_EQ(f.port.moved.size(), 1u);
    EXPECT_EQ(f.port.moved[0].area, (Rect{0, kHeader, 241, 130}));
}

TEST(ListWindowScroll, WheelFollowsTheUsersSetting) {
    struct Case {
        std::optional<int> lines;
        int delta;
        int expected; // position after starting at 200
    };
    for (const Case& k : {Case{3, 120, 140}, Case{std::nullopt, 120, 140}, Case{-1, 120, 100},
                          Case{3, -240, 300}, Case{1, -120, 220}}) {
        ListWindowFixture f(20, k.lines);
        f.w().scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, 200);
        f.w().wheel(k.delta);
        EXPECT_EQ(f.w().position(ScrollAxis::Vertical), k.expected)
            << k.lines.value_or(99) << " " << k.delta;
    }
    // ScrollBars 0: no bar, yet the wheel still scrolls a longer list.
    ListWindowFixture none;
    none.options([](ListOptions& o) { o.verticalBar = false; });
    none.w().wheel(-120);
    EXPECT_EQ(none.w().position(ScrollAxis::Vertical), 60);
    EXPECT_FALSE(none.port.bars[1].exists);
}

TEST(ListWindowPointer, HoverAndPickSkipRowsThatMayNotBecomeCurrent) {
    ListWindowFixture f;
    f.c.put(u"ItemEnabled", Variant(false), {num(3)});
    f.grid().item(4).item.masked = true;
    f.w().mouseMove(ListWindowFixture::itemPoint(2), false);
    EXPECT_EQ(f.grid().currentRow(), 3);
    EXPECT_EQ(f.w().mouseMode(), MouseMode::SelectingRows);
    for (const int masked : {3, 4}) {
        f.w().mouseMove(ListWindowFixture::itemPoint(masked), false);
        EXPECT_EQ(f.grid().currentRow(), 3) << masked;
    }
    // Releasing over a masked item still picks (the list closes) without a change.
    f.w().leftDown(ListWindowFixture::itemPoint(4));
    f.w().leftUp(ListWindowFixture::itemPoint(4), true);
    EXPECT_EQ(f.listener.picks, 1);
    EXPECT_EQ(f.grid().currentRow(), 3);
    EXPECT_FALSE(f.port.captured);

    // A press on an item captures, starts the timer and the release picks it.
    f.w().leftDown(ListWindowFixture::itemPoint(1));
    EXPECT_TRUE(f.port.captured);
    EXPECT_EQ(f.port.timerMs, kAutoScrollMs);
    f.w().leftUp(ListWindowFixture::itemPoint(1), true);
    EXPECT_EQ(f.grid().currentRow(), 2);
    EXPECT_EQ(f.listener.picks, 2);
    EXPECT_EQ(f.port.timerMs, 0);
    // On the header nothing is picked; outside the list window a release picks.
    f.w().leftUp(Point{10, 10}, true);
    EXPECT_EQ(f.listener.picks, 2);
    f.w().leftUp(Point{10, 400}, false);
    EXPECT_EQ(f.listener.picks, 3);
    // Every message went to the control first, in its client coordinates.
    ASSERT_FALSE(f.listener.mouse.empty());
    EXPECT_EQ(f.listener.mouse.front().second, (Point{35, 40 + 75}));
}

TEST(ListWindowPointer, DragBelowTheListAutoScrollsAndHighlightsTheBottomRow) {
    ListWindowFixture f;
    f.w().leftDown(ListWindowFixture::itemPoint(0));
    f.w().mouseMove(Point{30, 200}, true);
    EXPECT_EQ(f.grid().currentRow(), 1);
    f.w().autoScrollTick(Point{30, 200});
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 20);
    EXPECT_EQ(f.grid().currentRow(), 6);
    f.w().autoScrollTick(Point{30, 5});
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 0);
    EXPECT_EQ(f.grid().currentRow(), 1);
}

TEST(ListWindowPointer, ColumnResizingStopsAtTheColumnsLeftEdge) {
    ListWindowFixture f;
    // Within 3 pixels of column 1's left edge: column 0 is resized.
    f.w().mouseMove(Point{61, 10}, false);
    EXPECT_EQ(f.w().mouseMode(), MouseMode::OverColumnDivider);
    EXPECT_EQ(f.port.cursor, CursorShape::SizeWE);
    f.w().mouseMove(Point{100, 10}, false);
    EXPECT_EQ(f.w().mouseMode(), MouseMode::None);
    EXPECT_EQ(f.port.cursor, CursorShape::Arrow);

    // Column 1 (60..140) by its right edge, dragged far left: stopped at its left edge.
    f.w().mouseMove(Point{138, 10}, false);
    f.w().leftDown(Point{138, 10});
    EXPECT_EQ(f.w().mouseMode(), MouseMode::ResizingColumn);
    EXPECT_EQ(f.port.confined, (Rect{60, 0, 200, 130}));
    EXPECT_EQ(f.w().trackingLine(), 138);
    f.w().mouseMove(Point{-50, 10}, true);
    EXPECT_EQ(f.w().trackingLine(), 60);
    EXPECT_EQ(f.w().trackingLineRect(60), (Rect{60, 0, 62, 130}));
    f.w().leftUp(Point{-50, 10}, true);
    EXPECT_EQ(f.grid().columnWidth(1), 0);
    EXPECT_EQ(f.w().mouseMode(), MouseMode::None);
    EXPECT_FALSE(f.port.confined.has_value());
    EXPECT_FALSE(f.w().trackingLine().has_value());
    EXPECT_EQ(f.listener.headerChanges, 1);

    // A click on a divider without a move keeps the width.
    f.w().mouseMove(Point{59, 10}, false);
    f.w().leftDown(Point{59, 10});
    f.w().leftUp(Point{59, 10}, true);
    EXPECT_EQ(f.grid().columnWidth(0), 60);
    EXPECT_EQ(f.listener.picks, 0);

    // A double click fits the widest item text plus two spaces: "item 19" is 7 x 6.
    f.w().leftDoubleClick(Point{59, 10});
    EXPECT_EQ(f.grid().columnWidth(0), 42 + 12);
}

TEST(ListWindowPointer, AHeaderClickIsReportedWithItsColumn) {
    ListWindowFixture f;
    f.w().leftDown(Point{70, 10});
    f.w().leftUp(Point{75, 12}, true);
    // Released over another header cell, or pressed on an item: no column click.
    f.w().leftDown(Point{70, 10});
    f.w().leftUp(Point{150, 10}, true);
    f.w().leftDown(ListWindowFixture::itemPoint(1));
    f.w().leftUp(Point{70, 10}, true);
    EXPECT_EQ(f.listener.columnClicks, (std::vector<std::int32_t>{1}));
}

TEST(ListWindowKeys, NavigationSkipsDisabledRowsAndScrollsIntoView) {
    ListWindowFixture f;
    f.c.put(u"ItemEnabled", Variant(false), {num(0)});
    f.c.put(u"ItemEnabled", Variant(false), {num(2)});
    EXPECT_TRUE(f.w().keyDown(ListKey::Down, false));
    EXPECT_EQ(f.grid().currentRow(), 2); // the first selectable item
    f.w().keyDown(ListKey::Down, false);
    EXPECT_EQ(f.grid().currentRow(), 4);
    f.w().keyDown(ListKey::Up, false);
    EXPECT_EQ(f.grid().currentRow(), 2);
    f.w().keyDown(ListKey::Up, false);
    EXPECT_EQ(f.grid().currentRow(), 2);

    // Page Down: first to the bottom visible row, then a page further.
    f.w().keyDown(ListKey::PageDown, false);
    EXPECT_EQ(f.grid().currentRow(), 5);
    f.w().keyDown(ListKey::PageDown, false);
    EXPECT_EQ(f.grid().currentRow(), 10);
    EXPECT_EQ(f.w().geometry().topRow(), 6);
    f.w().keyDown(ListKey::End, false);
    EXPECT_EQ(f.grid().currentRow(), 20);
    EXPECT_EQ(f.w().geometry().bottomRow(), 20);
    f.w().keyDown(ListKey::Home, false);
    EXPECT_EQ(f.grid().currentRow(), 20); // item 0 is disabled: Home leaves it
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 0);
    EXPECT_FALSE(f.w().keyDown(ListKey::Right, false));

    // Locked: the keys only scroll.
    f.options([](ListOptions& o) { o.locked = true; });
    f.w().keyDown(ListKey::Down, false);
    EXPECT_EQ(f.grid().currentRow(), 20);
    EXPECT_EQ(f.w().position(ScrollAxis::Vertical), 20);
    f.w().leftDown(ListWindowFixture::itemPoint(1));
    EXPECT_EQ(f.grid().currentRow(), 20);
    EXPECT_FALSE(f.port.captured);
}

TEST(ListWindowTip, ShownOnlyForAClippedSingleLineCell) {
    ListWindowFixture f;
    f.c.call(u"AddSubItem", {num(0), num(2), text("a text wider than the cell")});
    f.c.call(u"AddSubItem", {num(1), num(2), text("fits")});
    const Point wide = ListWindowFixture::itemPoint(0, 150);
    const std::optional<TipRequest> tip = f.w().tipFor(wide);
    ASSERT_TRUE(tip.has_value());
    EXPECT_EQ(tip->text, " a text wider than the cell ");
    EXPECT_EQ(tip->width, 6 * 28);
    EXPECT_EQ(tip->cell, (Rect{140, 30, 240, 50}));
    EXPECT_FALSE(f.w().tipFor(ListWindowFixture::itemPoint(1, 150)));
    f.w().mouseMove(wide, false);
    EXPECT_EQ(f.port.tips.size(), 1u);
    // Not while a window of the program lacks the focus, nor with title tips off.
    f.port.tipShown = false;
    f.port.focused = false;
    f.w().mouseMove(wide, false);
    EXPECT_EQ(f.port.tips.size(), 1u);
    f.options([](ListOptions& o) { o.titleTip = false; });
    EXPECT_FALSE(f.w().tipFor(wide));
    // A multi-line column never shows one.
    f.options([](ListOptions& o) { o.titleTip = true; });
    f.grid().cell(1, 2)->format &= ~kFormatSingleLine;
    EXPECT_FALSE(f.w().tipFor(wide));
}

TEST(ListWindowFont, ANewListFontReplacesEveryCellsOwnFont) {
    ListWindowFixture f;
    plat::automation::FontDesc own;
    own.name = u"Own";
    f.grid().cell(2, 0)->setFont(std::make_shared<const CellFont>(own));
    f.options([](ListOptions& o) { o.font.desc.name = u"List"; });
    EXPECT_EQ(f.grid().cell(2, 0)->font(), nullptr);
    ASSERT_NE(f.grid().font(), nullptr);
    EXPECT_EQ(f.grid().font()->name, u"List");
}

TEST(ListWindowMembers, HitTestFirstVisibleAndVisibleCountReadTheView) {
    ListWindowFixture f;
    // Twips at 96 pixels per inch: 15 twips a pixel; the list starts at (5, 40) of the control.
    const auto twips = [](Point listPoint) {
        return std::vector<Variant>{Variant(static_cast<std::int16_t>((listPoint.x + 5) * 15)),
                                    Variant(static_cast<std::int16_t>((listPoint.y + 40) * 15))};
    };
    EXPECT_FALSE(f.c.call(u"HitTest", twips(Point{30, 10})).asObject());
    const auto third = f.c.call(u"HitTest", twips(ListWindowFixture::itemPoint(2))).asObject();
    ASSERT_TRUE(third);
    EXPECT_EQ(f.c.get(*third, u"Index").toLong(), 2);
    EXPECT_FALSE(f.c.call(u"HitTest", twips(Point{245, 40})).asObject());
    EXPECT_EQ(f.grid().currentRow(), -1);

    EXPECT_EQ(f.c.get(u"VisibleCount").toLong(), 5);
    for (int i = 0; i < 5; ++i) {
        f.w().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    }
    EXPECT_EQ(f.c.get(u"VisibleCount").toLong(), 10);
    const auto first = f.c.call(u"GetFirstVisible").asObject();
    ASSERT_TRUE(first);
    EXPECT_EQ(f.c.get(*first, u"Index").toLong(), 5);

    f.c.ctrl->setListWindow(nullptr);
    EXPECT_EQ(f.c.get(u"VisibleCount").toLong(), 0);
    EXPECT_FALSE(f.c.call(u"GetFirstVisible").asObject());
}

} // namespace
} // namespace vantil::test

// Real pixels of a ledger-like grid: Sunday headings in red, disabled cells greyed, numbers
// on the right, the current cell marked. Also leaves the picture as slipgrid_ledger.png in
// the test folder for a look by eye.
#include "SlipTestSupport.h"

#include "platform/widgets/slipgrid/SlipGrid.h"
#include "platform/widgets/slipgrid/SlipGridPainter.h"
#include "tests/support/Scratch.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace plat::widgets;

namespace {

const char* const weekdays[] = {"月", "火", "水", "木", "金", "土", "日"};

// February 2015: the 1st is a Sunday, 28 days, indexes 28-30 show March 1-3.
void fillLedger(SlipGrid& g) {
    const QDate first(2015, 2, 1);
    for (int i = 0; i <= 30; ++i) {
        const QDate d = first.addDays(i);
        g.setHeadingText(indexedField("lD", i), QString::number(d.day()) + "日");
        g.setHeadingText(indexedField("a", i),
                         QString("(%1)").arg(QString::fromUtf8(weekdays[d.dayOfWeek() - 1])));
        const QColor colour = d.dayOfWeek() == 7 ? QColor(255, 0, 0) : QColor();
        g.setHeadingColor(indexedField("lD", i), colour);
        g.setHeadingColor(indexedField("a", i), colour);
    }
    const char* const sites[] = {"本社ビル改修", "駅前マンション", "市民体育館"};
    for (int r = 0; r < 9; ++r) {
        for (int d = 0; d <= 30; ++d)
            g.setFieldEnabled(r, indexedField("D", d), r < 3 && d < 28);
    }
    for (int r = 0; r < 3; ++r) {
        g.setText(r, "GName", QString::fromUtf8(sites[r]));
        float line = 0;
        for (int d = 0; d < 28; ++d) {
            if (QDate(2015, 2, 1).addDays(d).dayOfWeek() == 7 || (d + r) % 5 == 0)
                continue;
            const double h = r == 0 ? 8 : (r == 1 ? 7.5 : 3);
            g.setNumber(r, indexedField("D", d), h);
            line += static_cast<float>(h);
        }
        g.setNumber(r, "D31", line);
    }
    const double wage = 1250;
    float month = 0;
    for (int c = 0; c <= 31; ++c) {
        float h = 0;
        for (int r = 0; r < 3; ++r)
            h += static_cast<float>(g.number(r, indexedField("D", c)));
        if (c < 31)
            month += h;
        g.setTotal(indexedField("TTime", c), c == 31 ? month : h);
        g.setTotal(indexedField("Total", c), std::floor(wage * (c == 31 ? month : h)));
    }
    g.setCurrentCell(1, "D4");
}

int countPixels(const QImage& img, const QRect& r, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (test(img.pixelColor(x, y)))
                ++n;
    return n;
}

bool reddish(QColor c) {
    return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}
bool dark(QColor c) {
    return c.lightness() < 110;
}

TEST(SlipGridPaintTest, LedgerPictureShowsSundaysDisabledDaysAlignmentAndCurrentCell) {
    slipgrid_test::app();
    SlipGrid g(slipgrid_test::ledgerLayout());
    g.resize(g.sizeHint());
    g.show();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    g.setFocus();
    fillLedger(g);
    QTest::keyClicks(&g, "6.5"); // caught in the middle of an entry
    const QImage img = g.grab().toImage();

    const QString dir = QString::fromStdString(testsupport::scratchRoot().string());
    ASSERT_TRUE(img.save(dir + "/slipgrid_ledger.png"));

    const SlipGridGeometry& geo = g.geometry();
    const SlipView v = g.view();
    auto heading = [&](const char* field) {
        for (const SlipAreaCell& c : g.model().layout().heading.cells)
            if (c.field == field)
                return geo.areaCellRect(c, true, v).adjusted(1, 1, -2, -2);
        return QRect();
    };
    auto cell = [&](int row, const char* field) {
        return geo.rowCellRect(row, g.model().columnIndex(field), v);
    };

    // Sundays (the 1st, 8th, 15th, 22nd and March 1st) in red; Mondays not.
    for (const char* f : {"lD0", "a0", "lD7", "a21", "lD28"})
        EXPECT_GT(countPixels(img, heading(f), reddish), 3) << f;
    for (const char* f : {"lD1", "a1", "lD29"})
        EXPECT_EQ(countPixels(img, heading(f), reddish), 0) << f;

    // Closed days and unopened lines are grey, open days white.
    const QColor grey = g.gridStyle().disabledBackground;
    EXPECT_EQ(img.pixelColor(cell(0, "D29").topLeft() + QPoint(3, 3)), grey);
    EXPECT_EQ(img.pixelColor(cell(5, "D2").topLeft() + QPoint(3, 3)), grey);
    EXPECT_EQ(img.pixelColor(cell(0, "D2").topLeft() + QPoint(3, 3)), QColor(Qt::white));

    // "8.0" sits on the right of its cell.
    const QRect d2 = cell(0, "D2");
    const QRect leftHalf(d2.left() + 1, d2.top() + 2, d2.width() / 2 - 2, d2.height() - 4);
    const QRect rightHalf(d2.center().x(), d2.top() + 2, d2.width() / 2 - 2, d2.height() - 4);
    EXPECT_EQ(countPixels(img, leftHalf, dark), 0);
    EXPECT_GT(countPixels(img, rightHalf, dark), 5);

    // The current cell is framed in the focus colour.
    const QColor frame = g.gridStyle().currentFrame;
    const QRect current = cell(1, "D4");
    EXPECT_GT(countPixels(img, current, [&](QColor c) { return c == frame; }), current.width());
    EXPECT_EQ(countPixels(img, cell(1, "D5"), [&](QColor c) { return c == frame; }), 0);
}

// Painting only a changed cell must leave the same pixels as painting everything.
TEST(SlipGridPaintTest, RepaintingOneCellMatchesAFullPaint) {
    slipgrid_test::app();
    SlipGridModel m(slipgrid_test::ledgerLayout());
    const SlipGridGeometry geo(m.layout());
    SlipPaintState st;
    st.view.viewport = geo.fullSize(9);
    st.view.rowCount = 9;
    st.focused = true;
    const SlipGridStyle style;
    QFont font("IPAPGothic");
    font.setPointSize(9);
    auto paint = [&](QImage& img, QRect dirty) {
        QPainter p(&img);
        p.setFont(font);
        if (!dirty.isNull())
            p.setClipRect(dirty);
        st.dirty = dirty;
        paintSlipGrid(p, m, geo, style, st);
    };
    m.setValue(0, m.columnIndex("D3"), SlipValue::number(12.5));
    m.setAreaValue(m.areaIndex("TTime3"), SlipValue::number(12.5));
    m.setCurrent(0, m.columnIndex("D3"));
    QImage partial(st.view.viewport, QImage::Format_RGB32);
    paint(partial, QRect());

    m.setValue(0, m.columnIndex("D3"), SlipValue::number(3));
    m.setAreaValue(m.areaIndex("TTime3"), SlipValue::number(3));
    st.editing = true;
    st.editText = "4";
    paint(partial, geo.rowCellRect(0, m.columnIndex("D3"), st.view));
    const SlipAreaCell& total = m.areaCell(m.areaIndex("TTime3"));
    paint(partial, geo.areaCellRect(total, false, st.view));

    QImage full(st.view.viewport, QImage::Format_RGB32);
    paint(full, QRect());
    EXPECT_TRUE(partial == full);
}

// Day headings one or two digits long ("9日(金)", "10日(土)") in narrow one-line cells: all are
// drawn in one size, and none runs over its cell's borders.
TEST(SlipGridPaintTest, DayHeadingsShareOneFontAndStayInsideTheirCells) {
    slipgrid_test::app();
    SlipGridModel m(slipgrid_test::inquiryLayout());
    const QDate first(2004, 4, 1);
    for (int i = 0; i <= 30; ++i) {
        const QDate d = first.addDays(i);
        m.setAreaValue(m.areaIndex(indexedField("lD", i)),
                       SlipValue::text(QString("%1日(%2)")
                                           .arg(d.day())
                                           .arg(QString::fromUtf8(weekdays[d.dayOfWeek() - 1]))));
    }
    const SlipGridGeometry geo(m.layout());
    SlipPaintState st;
    st.view.viewport = geo.fullSize(1);
    st.view.rowCount = 1;
    QImage img(st.view.viewport, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QFont font("IPAPGothic");
        font.setPointSize(9);
        p.setFont(font);
        paintSlipGrid(p, m, geo, SlipGridStyle{}, st);
    }
    struct Ink {
        int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1;
    };
    std::vector<Ink> inks;
    for (int i = 0; i <= 30; ++i) {
        const SlipAreaCell& c = m.areaCell(m.areaIndex(indexedField("lD", i)));
        const QRect inner = geo.areaCellRect(c, true, st.view).adjusted(1, 1, -2, -2);
        Ink ink;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                if (dark(img.pixelColor(x, y)) || reddish(img.pixelColor(x, y))) {
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                }
        ASSERT_GE(ink.right, 0) << i;
        EXPECT_GT(ink.left, inner.left()) << "heading " << i + 1 << " touches its left border";
        EXPECT_LT(ink.right, inner.right()) << "heading " << i + 1 << " touches its right border";
        inks.push_back(ink);
    }
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(inks[i].top, inks[0].top) << "heading " << i + 1;
        EXPECT_EQ(inks[i].bottom, inks[0].bottom) << "heading " << i + 1;
    }
}

TEST(SlipGridPaintTest, InquiryPictureWithOneLineDayHeadingsAndManyRows) {
    slipgrid_test::app();
    SlipGrid g(slipgrid_test::inquiryLayout());
    g.resize(900, 300);
    g.show();
    const QDate first(2004, 4, 1);
    for (int i = 0; i <= 30; ++i) {
        const QDate d = first.addDays(i);
        g.setHeadingText(indexedField("lD", i),
                         QString("%1日(%2)").arg(d.day()).arg(weekdays[d.dayOfWeek() - 1]));
        g.setHeadingColor(indexedField("lD", i),
                          d.dayOfWeek() == 7 ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }
    double grand = 0;
    for (int r = 0; r < 14; ++r) {
        g.appendRow();
        g.setText(r, "GName", QString("第%1工区 倉庫新築工事").arg(r + 1));
        double s = 0;
        for (int d = 0; d < 30; ++d) {
            const double h = (d * 7 + r * 3) % 4 == 0 ? 0 : 8 + (r % 3) * 4.5;
            g.setNumber(r, indexedField("D", d), h);
            s += h;
        }
        g.setNumber(r, "D30", 0);
        g.setNumber(r, "D31", s);
        grand += s;
    }
    for (int d = 0; d <= 30; ++d) {
        double t = 0;
        for (int r = 0; r < g.rowCount(); ++r)
            t += g.number(r, indexedField("D", d));
        g.setTotal(indexedField("TTime", d), t);
    }
    g.setTotal("TTime31", grand);
    QApplication::processEvents();
    const QImage img = g.grab().toImage();
    const QString dir = QString::fromStdString(testsupport::scratchRoot().string());
    ASSERT_TRUE(img.save(dir + "/slipgrid_inquiry.png"));

    // 2004/04/04 was a Sunday: heading 3 red, its neighbours black.
    const SlipView v = g.view();
    auto headingRect = [&](int index) {
        const SlipAreaCell& c = g.model().layout().heading.cells[static_cast<size_t>(1 + index)];
        return g.geometry().areaCellRect(c, true, v).adjusted(1, 1, -2, -2);
    };
    EXPECT_GT(countPixels(img, headingRect(3), reddish), 3);
    EXPECT_EQ(countPixels(img, headingRect(2), reddish), 0);
    EXPECT_GT(countPixels(img, headingRect(2), dark), 3);
    // The totals line sits at the bottom of the viewport, above the sideways scroll bar.
    EXPECT_TRUE(g.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(g.verticalScrollBar()->isVisible());
    EXPECT_EQ(g.geometry().totalsTop(v) + g.geometry().totalsHeight(), g.viewport()->height());
}

} // namespace

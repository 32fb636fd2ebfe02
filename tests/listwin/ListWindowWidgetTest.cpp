// The list window on Qt under the offscreen platform: a 20-item, three-column list driven by
// the pointer, the wheel and keys, its pixels, the title tip and its life with the control's
// window.
#include "control/core/paint/SystemPalette.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/TipWindow.h"
#include "tests/list/ListTestSupport.h"
#include "tests/paint/RecordingSurface.h"
#include "tests/qt/QtPaintSupport.h"

#include <QBuffer>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace vantil::test {
namespace {

struct OpenList {
    QApplication& app = qtApp();
    ListControl c;
    FixedPalette palette;
    QWidget host;
    ControlWidget* control = nullptr;
    CDxListCtrl* list = nullptr;
    int header = 0;
    int row = 0;

    OpenList() {
        c.put(u"HideColumnHeaders", Variant(false));
        c.put(u"DroppedRows", Variant(std::int16_t{8}));
        c.call(u"AddColumn", {Variant::missing(), text("code"), num(60)});
        c.call(u"AddColumn", {Variant::missing(), text("name"), num(90)});
        c.call(u"AddColumn", {Variant::missing(), text("site"), num(90)});
        for (int i = 0; i < 20; ++i) {
            const std::int32_t at = c.add("c" + std::to_string(i));
            c.call(u"AddSubItem", {num(at), num(1), text("name " + std::to_string(i))});
            c.call(u"AddSubItem", {num(at), num(2), text("site " + std::to_string(i))});
        }
        host.setGeometry(100, 100, 300, 60);
        control = new ControlWidget(*c.ctrl, palette, &host);
        control->setGeometry(10, 10, 250, 24);
        host.show();
        list = &control->listWindow();
        list->setGeometry(QRect(control->mapToGlobal(QPoint(0, 24)), list->sizeHint()));
        list->show();
        QApplication::processEvents();
        header = c.model->grid().rowHeight(0);
        row = c.model->grid().rowHeight(1);
    }
    QWidget* view() const { return list->viewport(); }
    QPoint item(int visibleIndex, int x = 30) const {
        return QPoint(x, header + row * visibleIndex + row / 2);
    }
    void move(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent e(QEvent::MouseMove, QPointF(at), QPointF(view()->mapToGlobal(at)),
                      Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view(), &e);
    }
    std::int32_t current() const { return c.model->grid().currentRow(); }
};

TEST(ListWindowWidget, PointerWheelAndKeysDriveTheOpenList) {
    OpenList o;
    EXPECT_TRUE(o.list->isWindow());
    EXPECT_EQ(o.list->objectName(), QStringLiteral("DxListCtrl"));
    EXPECT_EQ(o.c.ctrl->listWindow(), &o.list->logic());
    // Eight rows fit; twenty need the bar.
    EXPECT_EQ(o.view()->height(), o.header + 8 * o.row);
    EXPECT_TRUE(o.list->verticalScrollBar()->isVisible());

    o.move(o.item(2));
    EXPECT_EQ(o.current(), 3);
    const Rgb selection = resolveColor(o.c.ctrl->properties().selectedColor, o.palette);
    EXPECT_EQ(qtconv::fromQt(o.view()->grab().toImage().pixelColor(200, o.item(2).y())), selection);

    QWheelEvent wheel(QPointF(o.item(1)), QPointF(o.view()->mapToGlobal(o.item(1))), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(o.view(), &wheel);
    EXPECT_EQ(o.list->logic().position(ScrollAxis::Vertical), 3 * o.row);
    EXPECT_EQ(o.list->verticalScrollBar()->value(), 3 * o.row);
    EXPECT_EQ(o.c.get(u"VisibleCount").toLong(), 11);

    QTest::keyClick(o.list, Qt::Key_Down);
    EXPECT_EQ(o.current(), 4);
    QTest::keyClick(o.list, Qt::Key_End);
    EXPECT_EQ(o.current(), 20);
    EXPECT_EQ(o.c.get(u"VisibleCount").toLong(), 20);
    QTest::keyClick(o.list, Qt::Key_Home);
    EXPECT_EQ(o.current(), 1);

    // A click on the sixth item picks it: the list closes, the text follows, Click fires.
    QTest::mouseClick(o.view(), Qt::LeftButton, Qt::NoModifier, o.item(5));
    EXPECT_FALSE(o.list->isVisible());
    EXPECT_EQ(o.c.listIndex(), 5);
    EXPECT_EQ(o.c.get(u"Text").toUtf8(), "c5");
    EXPECT_EQ(o.c.recorder.count(kClick), 1);
}

// Counts the paint events a widget receives.
struct PaintCount : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(ListWindowWidget, TheBarRepaintsOnlyWhenItsThumbMoves) {
    OpenList o;
    for (int i = 0; i < 3000; ++i) {
        o.c.add("more " + std::to_string(i));
    }
    // The new range is set and painted first.
    QApplication::processEvents();
    QApplication::processEvents();
    QScrollBar* bar = o.list->verticalScrollBar();
    PaintCount painted;
    bar->installEventFilter(&painted);
    // One line of 3020 rows moves the thumb by a small part of a pixel.
    o.list->logic().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), o.row);
    EXPECT_EQ(painted.count, 0);
    o.list->logic().scroll(ScrollAxis::Vertical, ScrollRequest::Bottom);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), o.list->logic().position(ScrollAxis::Vertical));
    EXPECT_GE(painted.count, 1);
}

TEST(ListWindowWidget, ItemBordersShowBetweenEveryRowAndColumnAlsoAfterALineScroll) {
    OpenList o;
    const Rgb red{255, 0, 0};
    const Rgb blue{0, 0, 255};
    o.c.put(u"ItemBorder", Variant(std::int16_t{1}));
    o.c.put(u"ItemBorderColor", Variant(static_cast<std::int32_t>(red.colorRef())));
    o.c.put(u"ItemVertBorder", Variant(std::int16_t{1}));
    o.c.put(u"ItemVertBorderColor", Variant(static_cast<std::int32_t>(blue.colorRef())));
    o.view()->repaint();
    auto check = [&](const char* when) {
        const QImage img = o.view()->grab().toImage();
        // Each item's line runs along its bottom edge, the pixel row its lower neighbour
        // begins with; each column's line along its right edge likewise.
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(qtconv::fromQt(img.pixelColor(30, o.header + o.row * k)), red)
                << when << ", below visible row " << k - 1;
        }
        EXPECT_EQ(qtconv::fromQt(img.pixelColor(60, o.header + o.row / 2)), blue) << when;
        EXPECT_EQ(qtconv::fromQt(img.pixelColor(150, o.header + 3 * o.row + 5)), blue) << when;
    };
    check("painted whole");
    o.list->logic().scroll(ScrollAxis::Vertical, ScrollRequest::LineDown);
    o.view()->repaint(); // only the uncovered strip is painted after the pixels moved
    check("after one line");
}

TEST(ListWindowWidget, ColumnDividerDragResizesAndTheTipShowsClippedText) {
    OpenList o;
    o.c.call(u"AddSubItem", {num(0), num(2), text("a site name far too long for its column")});
    o.move(QPoint(58, 5));
    EXPECT_EQ(o.view()->cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(o.view(), Qt::LeftButton, Qt::NoModifier, QPoint(58, 5));
    o.move(QPoint(100, 5), Qt::LeftButton);
    QTest::mouseRelease(o.view(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_EQ(o.c.model->grid().columnWidth(0), 100);
    EXPECT_TRUE(o.list->isVisible());

    o.host.activateWindow();
    if (!QTest::qWaitForWindowActive(&o.host)) {
        GTEST_SKIP() << "no active window on this platform";
    }
    o.move(o.item(0, 250));
    ASSERT_NE(o.list->tipWindow(), nullptr);
    EXPECT_TRUE(o.list->tipWindow()->isVisible());
    EXPECT_EQ(o.list->tipWindow()->objectName(), QStringLiteral("TipWindow"));
    // A key hides it and reaches the list. Keys arrive at the control's window, which has the
    // focus; neither the tip nor the list ever has it.
    QTest::keyClick(o.control, Qt::Key_Down);
    EXPECT_FALSE(o.list->tipWindow()->isVisible());
    EXPECT_EQ(o.current(), 2);
}

TEST(ListWindowWidget, PicturesAndTheResizeLineAreDrawnThroughTheSurface) {
    OpenList o;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    auto picture =
        plat::automation::Picture::fromBytes(std::vector<std::uint8_t>(png.begin(), png.end()));
    ASSERT_NE(picture, nullptr);
    o.c.put(u"DisplayItem", Variant(std::int16_t{2}));
    o.c.model->grid().cell(1, 0)->setPicture(std::move(picture));
    // The first column's divider held mid-drag: the tracking line stands at the pointer.
    o.move(QPoint(58, 5));
    QTest::mousePress(o.view(), Qt::LeftButton, Qt::NoModifier, QPoint(58, 5));
    o.move(QPoint(100, 5), Qt::LeftButton);
    const std::optional<int> line = o.list->logic().trackingLine();
    ASSERT_TRUE(line.has_value());

    RecordingSurface s;
    o.list->paint(s, qtconv::fromQt(o.view()->rect()));
    // The picture and the line are drawn on the surface, the line last of all; the picture
    // fills the square inset in the first item's cell (DisplayItem "both": at the left).
    const Rect square{4, o.header + 4, o.row - 4, o.header + o.row - 4};
    const std::vector<Call> pictures = s.only(Op::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].rect, square);
    ASSERT_FALSE(s.calls.empty());
    EXPECT_EQ(s.calls.back().op, Op::Invert);
    EXPECT_EQ(s.calls.back().rect, o.list->logic().trackingLineRect(*line));
    // On the window the picture's pixels show.
    const QImage shown = o.view()->grab().toImage();
    EXPECT_EQ(qtconv::fromQt(shown.pixelColor(square.left + 2, square.top + 2)), (Rgb{0, 255, 0}));
    QTest::mouseRelease(o.view(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
}

TEST(ListWindowWidget, GoesWithTheControlsWindow) {
    OpenList o;
    QPointer<CDxListCtrl> list = o.list;
    delete o.control;
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(o.c.ctrl->listWindow(), nullptr);
    EXPECT_EQ(o.c.get(u"VisibleCount").toLong(), 0);
    // The list engine lives on without its window.
    EXPECT_EQ(o.c.add("later"), 20);
}

} // namespace
} // namespace vantil::test

// The open list's cost follows the visible cells, not the items: showing and painting the
// list of 65000 items beside a combo box's popup with the same texts and beside a list of 20;
// one line of scrolling (pixels moved, one strip painted) beside a full repaint, at the top of
// the list and near its end.
#include "bench/support/BenchApp.h"
#include "control/core/CVantilCtrl.h"
#include "control/list/ListModel.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/DesktopPalette.h"
#include "platform/automation/Dispatch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using plat::automation::Variant;

QApplication& app() {
    static const bool noAnimation = [] {
        QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
        return true;
    }();
    (void)noAnimation;
    return benchsupport::app();
}

std::u16string itemText(int i) {
    const std::string s = "社員 " + std::to_string(i);
    return QString::fromUtf8(s.c_str()).toStdU16String();
}

// A control with `count` items in one column and its list window, sized for eight rows.
struct OpenControl {
    vantil::CVantilCtrl ctrl;
    vantil::ListModel model{ctrl};
    vantil::DesktopPalette palette;
    std::unique_ptr<vantil::ControlWidget> widget;
    vantil::CDxListCtrl* list = nullptr;

    explicit OpenControl(int count) {
        app();
        ctrl.initNew();
        ctrl.setListEngine(&model);
        plat::automation::putProperty(ctrl, u"HideColumnHeaders", false);
        for (int i = 0; i < count; ++i) {
            plat::automation::callMethod(ctrl, u"AddItem",
                                         {Variant::missing(), Variant(itemText(i))});
        }
        widget = std::make_unique<vantil::ControlWidget>(ctrl, palette, nullptr);
        widget->resize(300, 24);
        widget->show();
        list = &widget->listWindow();
        list->setGeometry(
            QRect(widget->mapToGlobal(QPoint(0, 24)), QSize(300, list->sizeHint().height())));
        QApplication::processEvents();
    }
    ~OpenControl() {
        widget.reset();
        ctrl.setListEngine(nullptr);
    }
    // The event loop paints what is pending.
    void flush() { QApplication::processEvents(); }
    // Shown and exposed, so that repaints reach the window.
    void open() {
        list->show();
        for (int i = 0; i < 100 && !(list->windowHandle() && list->windowHandle()->isExposed());
             ++i) {
            QApplication::processEvents();
        }
        QApplication::processEvents();
    }
};

void showAndPaint(benchmark::State& state, int count) {
    OpenControl c(count);
    // The event loop runs after each step: the window is exposed and painted, then gone.
    for (auto _ : state) {
        c.list->show();
        QApplication::processEvents();
        c.list->hide();
        QApplication::processEvents();
    }
}

void BM_ListShowPaint65000(benchmark::State& state) {
    showAndPaint(state, 65000);
}
BENCHMARK(BM_ListShowPaint65000)->Unit(benchmark::kMicrosecond);

void BM_ListShowPaint20(benchmark::State& state) {
    showAndPaint(state, 20);
}
BENCHMARK(BM_ListShowPaint20)->Unit(benchmark::kMicrosecond);

void BM_PeerComboShowPopup65000(benchmark::State& state) {
    app();
    QComboBox combo;
    QStringList texts;
    for (int i = 0; i < 65000; ++i) {
        texts << QString::fromStdU16String(itemText(i));
    }
    combo.addItems(texts);
    combo.resize(300, 24);
    combo.show();
    QApplication::processEvents();
    for (auto _ : state) {
        combo.showPopup();
        QApplication::processEvents();
        combo.hidePopup();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PeerComboShowPopup65000)->Unit(benchmark::kMicrosecond);

// Argument: ScrollBars (2 a vertical bar, 0 none).
void BM_ListScrollOneLine(benchmark::State& state) {
    OpenControl c(65000);
    if (state.range(0) == 0) {
        plat::automation::putProperty(c.ctrl, u"ScrollBars", std::int16_t{0});
        c.list->propertyChanged(74);
    }
    c.open();
    bool down = true;
    for (auto _ : state) {
        c.list->logic().scroll(vantil::ScrollAxis::Vertical, down ? vantil::ScrollRequest::LineDown
                                                                  : vantil::ScrollRequest::LineUp);
        c.flush();
        down = !down;
    }
}
BENCHMARK(BM_ListScrollOneLine)->Arg(2)->Arg(0)->Unit(benchmark::kMicrosecond);

// Argument 2: the whole window, items and scroll bar (a scroll moves the thumb as well);
// argument 0: the items alone, the peer of the list without a bar.
void BM_PeerListFullRepaint(benchmark::State& state) {
    OpenControl c(65000);
    c.open();
    for (auto _ : state) {
        c.list->viewport()->update();
        if (state.range(0) != 0) {
            c.list->verticalScrollBar()->update();
        }
        c.flush();
    }
}
BENCHMARK(BM_PeerListFullRepaint)->Arg(2)->Arg(0)->Unit(benchmark::kMicrosecond);

// Scrolled to a few pages above the end of the list.
void nearTheEnd(OpenControl& c) {
    c.list->logic().scroll(vantil::ScrollAxis::Vertical, vantil::ScrollRequest::Bottom);
    for (int i = 0; i < 3; ++i) {
        c.list->logic().scroll(vantil::ScrollAxis::Vertical, vantil::ScrollRequest::PageUp);
    }
    c.flush();
}

// The same pair near the end of the list: the cost follows the visible rows, not the rows
// above them.
void BM_ListScrollOneLineAtEnd(benchmark::State& state) {
    OpenControl c(65000);
    c.open();
    nearTheEnd(c);
    bool up = true;
    for (auto _ : state) {
        c.list->logic().scroll(vantil::ScrollAxis::Vertical, up ? vantil::ScrollRequest::LineUp
                                                                : vantil::ScrollRequest::LineDown);
        c.flush();
        up = !up;
    }
}
BENCHMARK(BM_ListScrollOneLineAtEnd)->Unit(benchmark::kMicrosecond);

void BM_PeerListFullRepaintAtEnd(benchmark::State& state) {
    OpenControl c(65000);
    c.open();
    nearTheEnd(c);
    for (auto _ : state) {
        c.list->viewport()->update();
        c.list->verticalScrollBar()->update();
        c.flush();
    }
}
BENCHMARK(BM_PeerListFullRepaintAtEnd)->Unit(benchmark::kMicrosecond);

} // namespace

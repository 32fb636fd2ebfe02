// Typing 1,000 characters (letters with a kana every fifth) into the control through its
// window's key events, the edit model and a repaint of the input area after every key, beside
// the same into a QLineEdit of the same size in the same run.
#include "bench/support/BenchApp.h"
#include "control/core/CVantilCtrl.h"
#include "control/core/paint/ControlWindow.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/DesktopPalette.h"
#include "control/qt/QtConvert.h"
#include "platform/automation/Dispatch.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using benchsupport::app;

constexpr int kWidth = 300;
constexpr int kHeight = 24;
constexpr int kCharacters = 1000;

// The key events of the typed characters.
std::vector<std::unique_ptr<QKeyEvent>> keystrokes() {
    std::vector<std::unique_ptr<QKeyEvent>> keys;
    for (int i = 0; i < kCharacters; ++i) {
        if (i % 5 == 4) {
            keys.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, 0, Qt::NoModifier,
                                                       QString(QChar(u'あ'))));
        } else {
            const char16_t c = static_cast<char16_t>(u'a' + i % 26);
            keys.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A + i % 26,
                                                       Qt::NoModifier, QString(QChar(c))));
        }
    }
    return keys;
}

void focus(QWidget& w) {
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&w, &in);
}

void BM_ControlTyping1000(benchmark::State& state) {
    app();
    vantil::CVantilCtrl ctrl;
    ctrl.initNew();
    plat::automation::putProperty(ctrl, u"Caption", std::u16string(u"社員"));
    vantil::DesktopPalette palette;
    vantil::ControlWidget widget(ctrl, palette, nullptr);
    widget.resize(kWidth, kHeight);
    focus(widget);
    const QRegion input(vantil::qtconv::toQt(widget.controlWindow().inputArea()));
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto keys = keystrokes();
    for (auto _ : state) {
        plat::automation::putProperty(ctrl, u"Text", std::u16string());
        for (const auto& key : keys) {
            QCoreApplication::sendEvent(&widget, key.get());
            widget.render(&image, QPoint(), input);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["chars"] = static_cast<double>(ctrl.properties().edit.charCount);
}
BENCHMARK(BM_ControlTyping1000)->Unit(benchmark::kMillisecond);

void BM_QLineEditTyping1000(benchmark::State& state) {
    app();
    QLineEdit edit;
    edit.resize(kWidth, kHeight);
    focus(edit);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto keys = keystrokes();
    for (auto _ : state) {
        edit.clear();
        for (const auto& key : keys) {
            QCoreApplication::sendEvent(&edit, key.get());
            edit.render(&image);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["chars"] = static_cast<double>(edit.text().size());
}
BENCHMARK(BM_QLineEditTyping1000)->Unit(benchmark::kMillisecond);

} // namespace

// A full repaint of a 300×24 control beside a QLineEdit of the same size, each rendered into
// an image of its size in the same run; the line edit is the peer the control is held to.
#include "bench/support/BenchApp.h"
#include "control/core/CVantilCtrl.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/DesktopPalette.h"
#include "platform/automation/Dispatch.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using benchsupport::app;

constexpr int kWidth = 300;
constexpr int kHeight = 24;

void BM_ControlFullRepaint(benchmark::State& state) {
    app();
    vantil::CVantilCtrl ctrl;
    ctrl.initNew();
    plat::automation::putProperty(ctrl, u"Caption", std::u16string(u"社員"));
    plat::automation::putProperty(ctrl, u"Text", std::u16string(u"山田 太郎"));
    plat::automation::putProperty(ctrl, u"BorderStyle", std::int16_t{5});
    vantil::DesktopPalette palette;
    vantil::ControlWidget widget(ctrl, palette, nullptr);
    widget.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ControlFullRepaint);

void BM_QLineEditFullRepaint(benchmark::State& state) {
    app();
    QLineEdit edit(QStringLiteral("山田 太郎"));
    edit.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        edit.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QLineEditFullRepaint);

} // namespace

// The nine site boxes of the ledger form created and loaded from the form data (registry
// look-up, creation by class identity, property load, first paint of the form) beside nine
// QComboBoxes created and painted the same way, in the same run. Limit: 20 ms for the boxes.
#include "app/frame/FormControls.h"
#include "bench/support/BenchApp.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kBoxes = 9;
constexpr double kLimitMs = 20.0;

QApplication& app() {
    static const bool registered = [] {
        // The freshly built library, registered in a registry file of this run.
        const std::string registry =
            (QDir::tempPath() + "/tamsel-host-bench-registry.txt").toStdString();
        ::setenv("VANTIL_REGISTRY", registry.c_str(), 1);
        plat::automation::registerLibrary(VANTIL_LIBRARY);
        return true;
    }();
    (void)registered;
    return benchsupport::app();
}

void paintFirst(QWidget& form) {
    QImage image(form.size(), QImage::Format_ARGB32_Premultiplied);
    form.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_NineSiteBoxesLoaded(benchmark::State& state) {
    app();
    for (auto _ : state) {
        QWidget form;
        form.setFont(plat::widgets::uiFont());
        form.resize(200, 30 * kBoxes);
        for (int i = 0; i < kBoxes; ++i) {
            plat::automation::AutomationError error;
            auto* box = tamsel::createFormControl(&form, "RoumuEntrySub2",
                                                  QStringLiteral("GenbaID(%1)").arg(i), error);
            if (box == nullptr) {
                state.SkipWithError(error.descriptionUtf8().c_str());
                return;
            }
            box->move(0, 30 * i);
        }
        paintFirst(form);
    }
    state.counters["limit_ms"] = kLimitMs;
}
BENCHMARK(BM_NineSiteBoxesLoaded)->Unit(benchmark::kMillisecond);

void BM_NineQComboBoxes(benchmark::State& state) {
    app();
    for (auto _ : state) {
        QWidget form;
        form.setFont(plat::widgets::uiFont());
        form.resize(200, 30 * kBoxes);
        for (int i = 0; i < kBoxes; ++i) {
            auto* box = new QComboBox(&form);
            box->setGeometry(0, 30 * i, 72, 20);
        }
        paintFirst(form);
    }
}
BENCHMARK(BM_NineQComboBoxes)->Unit(benchmark::kMillisecond);

} // namespace

// The main of the benchmark programs: the program's one QApplication (on the offscreen
// platform unless QT_QPA_PLATFORM names another) made before any benchmark runs, then Google
// Benchmark with the command line.
#include "BenchApp.h"

#include <benchmark/benchmark.h>

namespace benchsupport {

QApplication& app() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace benchsupport

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The benchmark programs' QApplication, made by their shared main (BenchMain.cpp) before any
// benchmark runs.
#pragma once

#include <QApplication>

namespace benchsupport {

QApplication& app();

} // namespace benchsupport

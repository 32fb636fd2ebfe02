// The test program's one QApplication: made on first use, on the platform the test
// environment names (offscreen under CTest), with the program's name for default message
// titles. Never destroyed: Qt's own globals and its test input devices may already be gone when
// static objects are.
#pragma once

#include <QApplication>

namespace testsupport {

QApplication& qtApp();

} // namespace testsupport

#pragma once
// One QApplication for the whole test program, created on first use (the tests run on the
// offscreen platform unless a display is asked for).

#include <QApplication>

namespace zavo::test {

inline QApplication& qtApp() {
  static int argc = 1;
  static char name[] = "zavo_ui_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: at exit Qt's own statics (the input device list among them) may already
  // be gone, and a QApplication torn down after them would touch them.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace zavo::test

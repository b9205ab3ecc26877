#pragma once
// Text needs a QGuiApplication; the tests that render or measure text make one on first use,
// headless unless the environment already chose a platform.

#include <QGuiApplication>

#include <cstdlib>

namespace candora::testing {

inline void ensureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "test_imaging";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace candora::testing

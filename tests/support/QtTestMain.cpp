// Test entry point for suites that need Qt: one QApplication for the whole run,
// created before any test and destroyed before Qt's own globals.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  // Listing the tests at build time runs this too, often without a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// The widgets need one application object that lives as long as the tests do and
// is destroyed before the rest of Qt, so it lives on main's stack. Test discovery
// runs this program without the test environment, hence the offscreen default.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// What a yield costs a long operation on the window's thread: plain processEvents
// (the raw baseline) against the paced handler, offscreen, with a window up.
#include <QApplication>
#include <QLabel>
#include <chrono>
#include <cstdio>

#include <platform/events/PendingEvents.h>
#include <platform/ui/QtPendingEvents.h>

namespace {

constexpr int kCalls = 1'000'000;
// An import run yields about 45 times per file.
constexpr double kYieldsPerFile = 45;
constexpr double kFilesPerRun = 10'000;

template <typename Yield>
double nanosecondsPerCall(Yield yield) {
  for (int i = 0; i < kCalls / 100; ++i) yield();  // warm up
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) yield();
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kCalls;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("Log Report"));
  window.resize(400, 300);
  window.show();
  QCoreApplication::processEvents();

  const double raw = nanosecondsPerCall([] { QCoreApplication::processEvents(); });
  platform::ui::installQtPendingEvents();
  const double paced = nanosecondsPerCall([] { platform::events::processPendingEvents(); });

  const double runYields = kYieldsPerFile * kFilesPerRun;
  std::printf("calls per measurement:            %d\n", kCalls);
  std::printf("raw QCoreApplication::processEvents: %8.1f ns per call\n", raw);
  std::printf("paced platform::processPendingEvents: %6.1f ns per call\n", paced);
  std::printf("ratio paced / raw:                %8.4f\n", paced / raw);
  std::printf("yields of a %.0f-file run (%.0f calls): raw %.1f ms, paced %.1f ms\n", kFilesPerRun, runYields,
              raw * runYields / 1e6, paced * runYields / 1e6);
  return 0;
}

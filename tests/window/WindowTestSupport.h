#pragma once
// A window whose services do nothing but count and show what the test gives them
// (a preview, a run's log and summary), for tests of its look and reach.
#include <administrator/window/frmMain.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mervalis::window_testing {

struct CountingWindow {
  CountingWindow() {
    WindowServices services;
    services.runImport = [this](const RunInputs& inputs, RunView& view) {
      ++runs;
      lastInputs = inputs;
      if (duringRun) duringRun(view);
      if (!runLog.empty()) view.clearLog();
      for (const std::u16string& piece : runLog) view.appendLog(piece);
      if (!summary.empty()) view.showSummary(summary);
    };
    services.preview = [this](const RunInputs& inputs) {
      previews.push_back(inputs);
      return nextPreview;
    };
    services.showAbout = [this] {
      ++abouts;
      return aboutError;
    };
    services.quit = [this] { ++quits; };
    window = std::make_unique<frmMain>(std::move(services));
  }
  template <typename Control = QWidget>
  Control* control(const char* name) const {
    return window->findChild<Control*>(QString::fromLatin1(name));
  }

  std::unique_ptr<frmMain> window;
  // What a click on Process does: run this, then show the log and the summary given.
  std::function<void(RunView&)> duringRun;
  std::vector<std::u16string> runLog;
  std::u16string summary;
  int runs = 0, abouts = 0, quits = 0;
  RunInputs lastInputs;
  QString aboutError;  // what the About service answers
  // What the Preview button asked for, and the preview it gets.
  std::vector<RunInputs> previews;
  RunPreview nextPreview;
};

}  // namespace mervalis::window_testing

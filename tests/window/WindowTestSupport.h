#pragma once
// A window whose services do nothing but count and show what the test gives them
// (a preview, a run's log and summary), for tests of its look and reach.
#include <administrator/window/frmMain.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tests::window {

struct CountingWindow {
  CountingWindow() {
    administrator::window::WindowServices services;
    services.runImport = [this](const administrator::importrun::RunInputs& inputs,
                                administrator::importrun::RunView& view) {
      ++runs;
      lastInputs = inputs;
      if (duringRun) duringRun(view);
      if (!runLog.empty()) view.clearLog();
      for (const std::u16string& piece : runLog) view.appendLog(piece);
      if (!summary.empty()) view.showSummary(summary);
    };
    services.preview = [this](const administrator::importrun::RunInputs& inputs) {
      previews.push_back(inputs);
      return nextPreview;
    };
    services.showAbout = [this] {
      ++abouts;
      return aboutError;
    };
    services.quit = [this] { ++quits; };
    window = std::make_unique<administrator::window::frmMain>(std::move(services));
  }
  template <typename Control = QWidget>
  Control* control(const char* name) const {
    return window->findChild<Control*>(QString::fromLatin1(name));
  }

  std::unique_ptr<administrator::window::frmMain> window;
  // What a click on Process does: run this, then show the log and the summary given.
  std::function<void(administrator::importrun::RunView&)> duringRun;
  std::vector<std::u16string> runLog;
  std::u16string summary;
  int runs = 0, abouts = 0, quits = 0;
  administrator::importrun::RunInputs lastInputs;
  QString aboutError;  // what the About service answers
  // What the Preview button asked for, and the preview it gets.
  std::vector<administrator::importrun::RunInputs> previews;
  administrator::window::RunPreview nextPreview;
};

}  // namespace tests::window

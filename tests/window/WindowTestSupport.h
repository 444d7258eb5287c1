#pragma once
// A window whose services do nothing but count (and hand out a given preview),
// for tests of its look and reach.
#include <frmMain.h>

#include <functional>
#include <memory>
#include <vector>

namespace mervalis::window_testing {

struct CountingWindow {
  CountingWindow() {
    WindowServices services;
    services.runImport = [this](const RunInputs&, RunView&) {
      ++runs;
      if (duringRun) duringRun();
    };
    services.preview = [this](const RunInputs& inputs) {
      previews.push_back(inputs);
      return nextPreview;
    };
    services.showAbout = [] { return QString(); };
    services.quit = [] {};
    window = std::make_unique<frmMain>(std::move(services));
  }
  template <typename Control = QWidget>
  Control* control(const char* name) const {
    return window->findChild<Control*>(QString::fromLatin1(name));
  }

  std::unique_ptr<frmMain> window;
  std::function<void()> duringRun;
  int runs = 0;
  // What the Preview button asked for, and the preview it gets.
  std::vector<RunInputs> previews;
  RunPreview nextPreview;
};

}  // namespace mervalis::window_testing

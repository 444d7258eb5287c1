#pragma once
#include <QWidget>
#include <RunView.h>

#include "LogView.h"

namespace mervalis {

// The run's view on the window: the log in the log control, the summary in a
// message box over the window.
class WindowRunView : public RunView {
 public:
  WindowRunView(LogView& log, QWidget& window) : log_(log), window_(window) {}

  void clearLog() override;
  void appendLog(std::u16string_view text) override;
  void showSummary(const std::u16string& summary) override;

 private:
  LogView& log_;
  QWidget& window_;
};

}  // namespace mervalis

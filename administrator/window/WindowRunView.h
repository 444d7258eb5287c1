#pragma once
#include <QWidget>
#include <string>
#include <utility>
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
  void runRecorded(const std::string& runId, std::size_t filed) override;
  void showSummary(const std::u16string& summary) override;
  // The run whose summary box was answered with "Undo this run", once; else empty.
  std::string takeUndoRequest() { return std::exchange(undoRequested_, {}); }

 private:
  LogView& log_;
  QWidget& window_;
  std::string undoable_;  // the run just ended, when it filed files
  std::string undoRequested_;
};

}  // namespace mervalis

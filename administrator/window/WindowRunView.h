#pragma once
#include <QPushButton>
#include <QWidget>
#include <string>
#include <utility>
#include <administrator/importrun/RunView.h>

#include <administrator/window/LogView.h>
#include <administrator/window/RunProgressTitle.h>

namespace administrator::window {

// The run's view on the window: the log in the log control, the progress in the
// window's title, the summary in a message box over the window. While a run goes
// on, the Process button reads "Stop" and a click on it asks the run to stop.
class WindowRunView : public importrun::RunView {
 public:
  WindowRunView(LogView& log, QWidget& window, QPushButton& go) : log_(log), window_(window), go_(go), title_(window) {}

  void clearLog() override;
  void appendLog(std::u16string_view text) override;
  void fileDone(const importrun::FileReport& report) override;
  void runRecorded(const std::string& runId, std::size_t filed) override;
  void showSummary(const std::u16string& summary) override;
  // Lets the window repaint and take the one input a run takes: Stop.
  void yield() override;
  bool stopRequested() override { return stopRequested_; }

  // Around a run: the button's caption and the title, and a fresh request.
  void beginRun();
  void endRun();
  void requestStop() { stopRequested_ = true; }
  // The run whose summary box was answered with "Undo this run", once; else empty.
  std::string takeUndoRequest() { return std::exchange(undoRequested_, {}); }

 private:
  LogView& log_;
  QWidget& window_;
  QPushButton& go_;
  RunProgressTitle title_;
  QString goCaption_;
  bool running_ = false, stopRequested_ = false;
  std::string undoable_;  // the run just ended, when it filed files
  std::string undoRequested_;
};

}  // namespace administrator::window

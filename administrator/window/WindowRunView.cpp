#include <administrator/window/WindowRunView.h>

#include <administrator/importrun/RunTexts.h>
#include <platform/events/PendingEvents.h>

#include <administrator/window/SummaryBox.h>

namespace administrator::window {

void WindowRunView::clearLog() { log_.setCaption(QString()); }

void WindowRunView::appendLog(std::u16string_view text) {
  log_.append(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void WindowRunView::fileDone(const importrun::FileReport& report) { title_.fileDone(report.done, report.total); }

void WindowRunView::showSummary(const std::u16string& summary) {
  // The message comes after the run, with the window taking input again, the
  // whole log shown and the button and title as they were.
  log_.showPending();
  endRun();
  const std::string run = std::exchange(undoable_, {});
  if (showSummaryBox(&window_, QString::fromStdU16String(summary), !run.empty())) undoRequested_ = run;
}

void WindowRunView::runRecorded(const std::string& runId, std::size_t filed) {
  undoable_ = filed > 0 ? runId : std::string();
}

// The same paced pass of the event loop the component makes while it reads a tag.
void WindowRunView::yield() { platform::events::processPendingEvents(); }

void WindowRunView::beginRun() {
  running_ = true;
  stopRequested_ = false;
  goCaption_ = go_.text();
  go_.setText(QString::fromStdU16String(importrun::texts::stopCaption()));
  title_.start();
}

void WindowRunView::endRun() {
  if (!running_) return;
  running_ = false;
  go_.setText(goCaption_);
  title_.finish();
}

}  // namespace administrator::window

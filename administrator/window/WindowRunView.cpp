#include "WindowRunView.h"

#include "SummaryBox.h"

namespace mervalis {

void WindowRunView::clearLog() { log_.setCaption(QString()); }

void WindowRunView::appendLog(std::u16string_view text) {
  log_.append(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void WindowRunView::showSummary(const std::u16string& summary) {
  // The message comes after the run, with the window taking input again and the
  // whole log shown.
  log_.showPending();
  const std::string run = std::exchange(undoable_, {});
  if (showSummaryBox(&window_, QString::fromStdU16String(summary), !run.empty())) undoRequested_ = run;
}

void WindowRunView::runRecorded(const std::string& runId, std::size_t filed) {
  undoable_ = filed > 0 ? runId : std::string();
}

}  // namespace mervalis

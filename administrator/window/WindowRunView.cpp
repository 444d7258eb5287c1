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
  showSummaryBox(&window_, QString::fromStdU16String(summary));
}

}  // namespace mervalis

#include <administrator/commandline/ConsoleUndoView.h>

#include <administrator/commandline/ConsoleRunView.h>
#include <administrator/importrun/RunTexts.h>

namespace administrator::commandline {

void ConsoleUndoView::appendLog(std::u16string_view text) {
  if (printing_) {
    printLines(stdout, text);
    std::fflush(stdout);
    return;
  }
  held_ += text;
  if (held_.find(importrun::texts::lineBreak()) == std::u16string::npos) return;
  printing_ = true;
  printLines(stdout, held_);
  held_.clear();
}

void ConsoleUndoView::finish(bool started) {
  if (printing_ || started) {
    printLines(stdout, held_ + u"\n");
    return;
  }
  printLines(stderr, u"mervalis: " + held_ + u"\n");
}

}  // namespace administrator::commandline

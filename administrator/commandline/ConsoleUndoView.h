#pragma once
#include <string>

#include <administrator/importrun/RunView.h>

namespace administrator::commandline {

// An undo's lines on standard output as they come. The first is held until a
// second follows: an undo that cannot start says why in its only line, which
// goes to standard error instead.
class ConsoleUndoView : public importrun::RunView {
 public:
  void clearLog() override {}
  void appendLog(std::u16string_view text) override;
  void showSummary(const std::u16string&) override {}
  void finish(bool started);

 private:
  std::u16string held_;
  bool printing_ = false;
};

}  // namespace administrator::commandline

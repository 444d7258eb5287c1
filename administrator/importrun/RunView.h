#pragma once
#include <string>
#include <string_view>

namespace mervalis {

// Where the import run shows its progress: the log (cleared at the start, then
// extended piece by piece) and the summary message at the end.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void clearLog() = 0;
  virtual void appendLog(std::u16string_view text) = 0;
  // Blocks until the person has dismissed the message.
  virtual void showSummary(const std::u16string& summary) = 0;
};

}  // namespace mervalis

#include <administrator/commandline/ConsoleRunView.h>

#include <platform/text/Utf.h>

#include <administrator/commandline/JsonText.h>
#include <administrator/importrun/RunTexts.h>

namespace administrator::commandline {
namespace {

std::string bytesOf(std::u16string_view text) { return platform::text::utf8FromUtf16(text); }

constexpr std::chrono::milliseconds kOutputInterval{50};

}  // namespace

// In one pass: a summary of 100,000 left files is as many lines.
void printLines(std::FILE* stream, std::u16string_view text) {
  const std::string bytes = bytesOf(text);
  std::string_view rest = bytes;
  for (std::size_t at; (at = rest.find("\r\n")) != std::string_view::npos; rest.remove_prefix(at + 2)) {
    std::fwrite(rest.data(), 1, at, stream);
    std::fputc('\n', stream);
  }
  std::fwrite(rest.data(), 1, rest.size(), stream);
}

void ConsoleRunView::appendLog(std::u16string_view text) {
  if (json_) return;
  const std::u16string lineBreak = importrun::texts::lineBreak();
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, lineBreak.size()) == lineBreak) {
      if (!pending_.empty() || printedLine_) {
        if (showProgress_) std::fputs("\r\033[K", stderr);
        printLines(stdout, pending_ + u"\n");
        flushSoon();
        printedLine_ = true;
      }
      pending_.clear();
      at += lineBreak.size();
      continue;
    }
    const std::size_t next = text.find(lineBreak, at);
    pending_ += text.substr(at, next == std::u16string_view::npos ? std::u16string_view::npos : next - at);
    at = next == std::u16string_view::npos ? text.size() : next;
  }
}

void ConsoleRunView::fileDone(const importrun::FileReport& report) {
  if (json_) {
    JsonObject object;
    object.text("name", platform::text::utf16FromUtf8(report.planned.name))
        .text("source", platform::text::utf16FromUtf8(report.planned.sourcePath))
        .text("action", report.filed ? u"filed" : u"left");
    if (report.filed)
      object.text("target", platform::text::utf16FromUtf8(report.planned.target));
    else
      object.text("reason", report.reason);
    std::printf("%s\n", object.line().c_str());
    flushSoon();
  }
  if (showProgress_) printProgress(report.done, report.total);
}

void ConsoleRunView::flushSoon() {
  const auto now = std::chrono::steady_clock::now();
  if (now < nextFlush_) return;
  std::fflush(stdout);
  nextFlush_ = now + kOutputInterval;
}

void ConsoleRunView::printProgress(std::size_t done, std::size_t total) {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::fputs("\r\033[K", stderr);
  printLines(stderr, importrun::texts::progress(done, total, seconds > 0 ? done / seconds : 0.0));
  std::fflush(stderr);
}

void ConsoleRunView::finish(const importrun::RunResult& result) {
  if (showProgress_) std::fputs("\r\033[K", stderr);
  if (!result.started) {
    // The message that stopped it is the whole summary.
    const std::u16string& message = summary_.empty() ? pending_ : summary_;
    printLines(stderr,
               u"mervalis: " + message.substr(message.rfind(importrun::texts::lineBreak(), 0) == 0 ? 2 : 0) + u"\n");
    return;
  }
  if (json_) {
    JsonObject totals;
    totals.number("filed", result.filed).number("left", result.left);
    if (result.stopped) totals.boolean("stopped", true);
    std::printf("%s\n", totals.line().c_str());
    return;
  }
  if (!pending_.empty()) printLines(stdout, pending_ + u"\n");
  if (printedLine_ || !pending_.empty()) printLines(stdout, u"\n");
  if (!summary_.empty()) printLines(stdout, summary_.substr(importrun::texts::lineBreak().size()) + u"\n\n");
  printLines(stdout, importrun::texts::doneCounts(result.filed, result.left) + u"\n");
}

}  // namespace administrator::commandline

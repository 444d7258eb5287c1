#pragma once
#include <QString>
#include <QStringView>
#include <vector>

namespace administrator::window {

// The text a log shows and where each of its lines starts: the run's CRs left out,
// lines broken at LF alone. Adding text costs time in proportion to the text added,
// never to what is already there, so the ten-thousandth line costs what the first did.
class LogLines {
 public:
  void clear();
  void add(QStringView piece);

  const QString& text() const { return text_; }
  // An empty text is one empty line.
  qsizetype count() const { return static_cast<qsizetype>(starts_.size()); }
  qsizetype start(qsizetype line) const { return starts_[static_cast<std::size_t>(line)]; }
  // Where the line ends, before its LF.
  qsizetype end(qsizetype line) const;
  QStringView line(qsizetype index) const;
  // The line that holds the character at `offset` (or ends just before it).
  qsizetype lineAt(qsizetype offset) const;
  // The line with the most characters, the first of them on a tie.
  qsizetype longest() const { return longest_; }

 private:
  void noteLength(qsizetype line);

  QString text_;
  std::vector<qsizetype> starts_{0};
  qsizetype longest_ = 0;
};

}  // namespace administrator::window

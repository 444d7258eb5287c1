#include <administrator/window/LogLines.h>

#include <algorithm>

namespace administrator::window {

void LogLines::clear() {
  text_.clear();
  starts_.assign(1, 0);
  longest_ = 0;
}

void LogLines::add(QStringView piece) {
  qsizetype from = 0;
  for (qsizetype at = 0; at < piece.size(); ++at) {
    const QChar c = piece[at];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    text_.append(piece.mid(from, at - from));
    from = at + 1;
    if (c == QLatin1Char('\r')) continue;
    noteLength(count() - 1);
    text_.append(QLatin1Char('\n'));
    starts_.push_back(text_.size());
  }
  text_.append(piece.mid(from));
  noteLength(count() - 1);
}

qsizetype LogLines::end(qsizetype line) const { return line + 1 < count() ? start(line + 1) - 1 : text_.size(); }

QStringView LogLines::line(qsizetype index) const {
  return QStringView(text_).mid(start(index), end(index) - start(index));
}

qsizetype LogLines::lineAt(qsizetype offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return std::max<qsizetype>(0, (after - starts_.begin()) - 1);
}

void LogLines::noteLength(qsizetype line) {
  if (end(line) - start(line) > end(longest_) - start(longest_)) longest_ = line;
}

}  // namespace administrator::window

#include <administrator/window/LogLines.h>
#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

using administrator::window::LogLines;

namespace {

QStringList allLines(const LogLines& lines) {
  QStringList out;
  for (qsizetype i = 0; i < lines.count(); ++i) out << lines.line(i).toString();
  return out;
}

// The same text cut into pieces anywhere, a CR and its LF apart included, gives the
// same lines as in one piece.
TEST(LogLines, LinesBreakAtLineFeedsWithCarriageReturnsLeftOutWhereverThePiecesAreCut) {
  struct Case {
    const char* name;
    std::vector<QString> pieces;
    QString text;
    QStringList lines;
    qsizetype longest;
  };
  // clang-format off
  const std::vector<Case> cases{
      {"nothing",              {},                                  "",          {""},                  0},
      {"a caption",            {"Log Report"},                      "Log Report", {"Log Report"},       0},
      {"a run's start",        {"", "\r\na.mp3"},                   "\na.mp3",   {"", "a.mp3"},         1},
      {"CR and LF apart",      {"\r\nab.mp3\r", "\nc.mp3"},         "\nab.mp3\nc.mp3", {"", "ab.mp3", "c.mp3"}, 1},
      {"a line in pieces",     {"\r\nx", ".mp", "3 Error - No Title"}, "\nx.mp3 Error - No Title",
                               {"", "x.mp3 Error - No Title"},      1},
      {"LF alone breaks",      {"a\nb"},                            "a\nb",      {"a", "b"},            0},
      {"a lone CR is dropped", {"a\rb"},                            "ab",        {"ab"},                0},
      {"ends with a break",    {"abc\r\n"},                         "abc\n",     {"abc", ""},           0},
      {"first of equals",      {"ab\r\ncd\r\nef"},                  "ab\ncd\nef", {"ab", "cd", "ef"},   0},
  };
  // clang-format on
  for (const Case& c : cases) {
    LogLines lines;
    for (const QString& piece : c.pieces) lines.add(piece);
    EXPECT_EQ(lines.text(), c.text) << c.name;
    EXPECT_EQ(allLines(lines), c.lines) << c.name;
    EXPECT_EQ(lines.longest(), c.longest) << c.name;
  }
}

TEST(LogLines, AnOffsetBelongsToTheLineThatHoldsItAndALineFeedToTheLineItEnds) {
  LogLines lines;
  lines.add(u"\r\nab\r\n\r\ncde");  // "\nab\n\ncde": lines "", "ab", "", "cde"
  // clang-format off
  const std::vector<std::pair<qsizetype, qsizetype>> lineAt{
      {0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 3}, {7, 3}, {8, 3}, {99, 3}};
  // clang-format on
  for (const auto& [offset, line] : lineAt) EXPECT_EQ(lines.lineAt(offset), line) << offset;
  EXPECT_EQ(lines.end(1), 3);
  EXPECT_EQ(lines.end(3), 8);
}

TEST(LogLines, ClearingStartsAgainFromOneEmptyLine) {
  LogLines lines;
  lines.add(u"\r\na much longer line\r\nb");
  lines.clear();
  lines.add(u"x");
  EXPECT_EQ(allLines(lines), QStringList{"x"});
  EXPECT_EQ(lines.longest(), 0);
}

}  // namespace

#pragma once
#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>

#include <administrator/window/LogLines.h>

namespace administrator::window {

// The log of a run: its caption text is exactly what the run wrote, and it is
// shown read-only, a line of the caption to a row, in a view that scrolls and
// follows the newest line while the reader is at the end. A run of 100,000 files
// writes as many lines, so a line costs the same however long the log: the view
// keeps one offset per line, and paints only the rows in sight, all of one
// height; a long line scrolls sideways rather than wrapping. The view takes what
// was appended in one piece at most every refreshInterval, so a run that yields
// hundreds of times a second repaints the log about as often as a reader can
// follow it. Lines are chosen whole, by mouse or keyboard, and copied as text.
class LogView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit LogView(const QString& caption, QWidget* parent = nullptr);

  const QString& caption() const { return caption_; }
  void setCaption(const QString& caption);
  void append(const QString& piece);
  // Shows at once what is still waiting, as at the end of a run.
  void showPending();

  // What the view shows: the caption up to the last refresh, CRs left out.
  const QString& toPlainText() const { return shown_.text(); }
  const LogLines& lines() const { return shown_; }

  // The chosen lines, from the first to the last, in the order shown.
  bool hasSelection() const { return chosen_; }
  qsizetype selectionFirst() const { return std::min(anchor_, current_); }
  qsizetype selectionLast() const { return std::max(anchor_, current_); }
  qsizetype currentLine() const { return current_; }
  QString selectedText() const;
  void selectLines(qsizetype anchor, qsizetype current);
  void selectAll();
  void clearSelection();
  void copy() const;
  void ensureLineVisible(qsizetype line);
  // The row of `line` in the viewport's coordinates, and the line at a height.
  QRect lineRect(qsizetype line) const;
  qsizetype lineAtY(int y) const;
  int textLeft() const;

  static constexpr int refreshInterval = 50;  // milliseconds

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void takePending();
  void updateScrollBars();
  void updateScrollBarsFollowing();
  void updateSidewaysRange();
  void noteWidth(QStringView line);
  int rowHeight() const;
  int rowsInSight() const;
  bool moveByKey(const QKeyEvent& event);
  void announceSelection();

  QString caption_;
  qsizetype shownUpTo_ = 0;  // how much of the caption the view has taken
  LogLines shown_;
  int widest_ = 0;  // pixels, of the widest line measured so far
  qsizetype anchor_ = 0, current_ = 0;
  bool chosen_ = false;
  QTimer refresh_;
};

}  // namespace administrator::window

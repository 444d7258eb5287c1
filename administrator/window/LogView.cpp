#include <administrator/window/LogView.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include <administrator/window/LogViewAccessible.h>

namespace administrator::window {
namespace {
constexpr int kMargin = 4;  // pixels around the text, as a text box keeps
}

LogView::LogView(const QString& caption, QWidget* parent) : QAbstractScrollArea(parent) {
  installLogViewAccessible();
  // Read-only, yet a keyboard user can still move through the log and choose lines
  // in it, and Tab goes on to the next control.
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::ArrowCursor);
  verticalScrollBar()->setSingleStep(1);  // the vertical bar counts lines
  refresh_.setSingleShot(true);
  refresh_.setInterval(refreshInterval);
  connect(&refresh_, &QTimer::timeout, this, &LogView::showPending);
  setCaption(caption);
}

void LogView::setCaption(const QString& caption) {
  const QString before = shown_.text();
  caption_ = caption;
  shownUpTo_ = 0;
  shown_.clear();
  widest_ = 0;
  anchor_ = current_ = 0;
  chosen_ = false;
  refresh_.stop();
  takePending();
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, before, shown_.text());
    QAccessible::updateAccessibility(&event);
  }
}

void LogView::append(const QString& piece) {
  caption_ += piece;
  if (!refresh_.isActive()) refresh_.start();
}

void LogView::showPending() {
  refresh_.stop();
  if (shownUpTo_ == caption_.size()) return;
  const qsizetype from = shown_.text().size();
  takePending();
  if (QAccessible::isActive()) {
    QAccessibleTextInsertEvent event(this, static_cast<int>(from), shown_.text().mid(from));
    QAccessible::updateAccessibility(&event);
  }
}

// One measure of the longest line a refresh, not one a line.
void LogView::takePending() {
  shown_.add(QStringView(caption_).mid(shownUpTo_));
  shownUpTo_ = caption_.size();
  noteWidth(shown_.line(shown_.longest()));
  updateScrollBarsFollowing();
  viewport()->update();
}

// Follows the newest line only while the reader is at the end, so that someone
// reading back through a run's log is not pulled away from it.
void LogView::updateScrollBarsFollowing() {
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  updateScrollBars();
  if (following) bar->setValue(bar->maximum());
}

// The sideways extent is that of the line with the most characters and of every
// line painted so far: measuring every line as it comes would cost a text layout
// per line.
void LogView::noteWidth(QStringView line) {
  const int width = fontMetrics().horizontalAdvance(line.toString());
  if (width <= widest_) return;
  widest_ = width;
  updateSidewaysRange();
}

void LogView::updateSidewaysRange() {
  horizontalScrollBar()->setRange(0, std::max(0, widest_ + 2 * kMargin - viewport()->width()));
}

void LogView::updateScrollBars() {
  const int rows = rowsInSight();
  QScrollBar* down = verticalScrollBar();
  down->setPageStep(rows);
  down->setRange(0, static_cast<int>(std::max<qsizetype>(0, shown_.count() - rows)));
  QScrollBar* across = horizontalScrollBar();
  across->setPageStep(viewport()->width());
  across->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
  updateSidewaysRange();
}

int LogView::rowHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int LogView::rowsInSight() const { return std::max(1, (viewport()->height() - 2 * kMargin) / rowHeight()); }

int LogView::textLeft() const { return kMargin - horizontalScrollBar()->value(); }

QRect LogView::lineRect(qsizetype line) const {
  const qsizetype row = line - verticalScrollBar()->value();
  return {0, kMargin + static_cast<int>(row) * rowHeight(), viewport()->width(), rowHeight()};
}

qsizetype LogView::lineAtY(int y) const {
  const qsizetype line = verticalScrollBar()->value() + (y - kMargin) / rowHeight() - (y < kMargin ? 1 : 0);
  return std::clamp<qsizetype>(line, 0, shown_.count() - 1);
}

void LogView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QFontMetrics metrics = fontMetrics();
  const qsizetype top = verticalScrollBar()->value();
  const qsizetype bottom = std::min(shown_.count() - 1, top + rowsInSight());
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  for (qsizetype line = top; line <= bottom; ++line) {
    const QRect row = lineRect(line);
    if (!row.intersects(event->rect())) continue;
    const bool selected = chosen_ && line >= selectionFirst() && line <= selectionLast();
    if (selected) painter.fillRect(row, palette().brush(group, QPalette::Highlight));
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QString text = shown_.line(line).toString();
    painter.drawText(textLeft(), row.top() + metrics.ascent(), text);
    if (chosen_ && line == current_ && hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = row;
      focus.backgroundColor = palette().color(group, selected ? QPalette::Highlight : QPalette::Base);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    noteWidth(text);
  }
}

void LogView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBarsFollowing();
}

void LogView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  widest_ = 0;
  noteWidth(shown_.line(shown_.longest()));
  updateScrollBarsFollowing();
}

QString LogView::selectedText() const {
  if (!chosen_) return {};
  const qsizetype from = shown_.start(selectionFirst());
  return shown_.text().mid(from, shown_.end(selectionLast()) - from);
}

void LogView::selectLines(qsizetype anchor, qsizetype current) {
  const qsizetype last = shown_.count() - 1;
  anchor_ = std::clamp<qsizetype>(anchor, 0, last);
  current_ = std::clamp<qsizetype>(current, 0, last);
  chosen_ = true;
  ensureLineVisible(current_);
  viewport()->update();
  announceSelection();
}

void LogView::selectAll() { selectLines(0, shown_.count() - 1); }

void LogView::clearSelection() {
  chosen_ = false;
  viewport()->update();
  announceSelection();
}

void LogView::copy() const {
  if (chosen_) QApplication::clipboard()->setText(selectedText());
}

void LogView::ensureLineVisible(qsizetype line) {
  QScrollBar* bar = verticalScrollBar();
  const qsizetype rows = rowsInSight();
  if (line < bar->value())
    bar->setValue(static_cast<int>(line));
  else if (line >= bar->value() + rows)
    bar->setValue(static_cast<int>(line - rows + 1));
}

void LogView::announceSelection() {
  if (!QAccessible::isActive()) return;
  LogView* self = this;
  QAccessibleTextCursorEvent cursor(self, static_cast<int>(shown_.start(current_)));
  QAccessible::updateAccessibility(&cursor);
  const int from = chosen_ ? static_cast<int>(shown_.start(selectionFirst())) : -1;
  const int to = chosen_ ? static_cast<int>(shown_.end(selectionLast())) : -1;
  QAccessibleTextSelectionEvent selection(self, from, to);
  QAccessible::updateAccessibility(&selection);
}

// Up and Down, Page Up and Page Down, Home and End move the current line; with
// Shift they stretch the choice from where it began.
bool LogView::moveByKey(const QKeyEvent& event) {
  const qsizetype rows = rowsInSight(), last = shown_.count() - 1;
  // The first key picks the top line in sight, or goes to either end.
  const qsizetype from = chosen_ ? current_ : std::clamp<qsizetype>(verticalScrollBar()->value(), 0, last);
  const qsizetype step = chosen_ ? 1 : 0;
  qsizetype to = from;
  switch (event.key()) {
    case Qt::Key_Up: to = from - step; break;
    case Qt::Key_Down: to = from + step; break;
    case Qt::Key_PageUp: to = from - step * rows; break;
    case Qt::Key_PageDown: to = from + step * rows; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = last; break;
    default: return false;
  }
  const bool stretch = event.modifiers() & Qt::ShiftModifier && chosen_;
  selectLines(stretch ? anchor_ : to, to);
  return true;
}

void LogView::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy) return copy();
  if (event == QKeySequence::SelectAll) return selectAll();
  if (moveByKey(*event)) return;
  QScrollBar* across = horizontalScrollBar();
  if (event->key() == Qt::Key_Left) return across->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (event->key() == Qt::Key_Right) return across->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  event->ignore();  // Tab, Ctrl+Tab and the like go on to the window
}

void LogView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const qsizetype line = lineAtY(event->position().toPoint().y());
  const bool stretch = event->modifiers() & Qt::ShiftModifier && chosen_;
  selectLines(stretch ? anchor_ : line, line);
}

// Dragging stretches the choice, past the edges too, which scrolls the log.
void LogView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !chosen_) return QAbstractScrollArea::mouseMoveEvent(event);
  selectLines(anchor_, lineAtY(event->position().toPoint().y()));
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copyLines = menu.addAction(QStringLiteral("&Copy"), this, &LogView::copy);
  copyLines->setShortcut(QKeySequence::Copy);
  copyLines->setEnabled(chosen_);
  menu.addAction(QStringLiteral("Select &All"), this, &LogView::selectAll)->setShortcut(QKeySequence::SelectAll);
  menu.exec(event->globalPos());
}

// The choice shows in the colours of a focused or an unfocused view.
void LogView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void LogView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace administrator::window

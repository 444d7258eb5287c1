#include <administrator/window/LogView.h>

#include <QScrollBar>
#include <QTextCursor>

namespace administrator::window {

LogView::LogView(const QString& caption, QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // Read-only, yet a keyboard user can still move through the log and select in it,
  // and Tab goes on to the next control.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setTabChangesFocus(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  refresh_.setSingleShot(true);
  refresh_.setInterval(refreshInterval);
  connect(&refresh_, &QTimer::timeout, this, &LogView::showPending);
  setCaption(caption);
}

void LogView::setCaption(const QString& caption) {
  caption_ = caption;
  pending_.clear();
  refresh_.stop();
  clear();
  insertAtEnd(caption);
}

void LogView::append(const QString& piece) {
  caption_ += piece;
  pending_ += piece;
  if (!refresh_.isActive()) refresh_.start();
}

void LogView::showPending() {
  refresh_.stop();
  if (pending_.isEmpty()) return;
  insertAtEnd(pending_);
  pending_.clear();
}

// The caption's line breaks are CR LF; the view breaks lines at LF alone.
void LogView::insertAtEnd(const QString& piece) {
  QString shown = piece;
  shown.remove(QLatin1Char('\r'));
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(shown);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace administrator::window

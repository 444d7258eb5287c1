#include "LogView.h"

#include <QScrollBar>
#include <QTextCursor>

namespace mervalis {

LogView::LogView(const QString& caption, QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setCaption(caption);
}

void LogView::setCaption(const QString& caption) {
  caption_ = caption;
  pending_.clear();
  clear();
  insertAtEnd(caption);
}

void LogView::append(const QString& piece) {
  caption_ += piece;
  pending_ += piece;
  if (showQueued_) return;
  showQueued_ = true;
  QMetaObject::invokeMethod(this, &LogView::showPending, Qt::QueuedConnection);
}

void LogView::showPending() {
  showQueued_ = false;
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

}  // namespace mervalis

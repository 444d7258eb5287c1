#pragma once
#include <QPlainTextEdit>
#include <QString>

namespace mervalis {

// The log of a run: its caption text is exactly what the run wrote, and it is
// shown read-only in a view that scrolls and follows the newest line. Appending
// costs time in proportion to the piece appended, not to the whole log; the view
// takes what was appended once per pass of the event loop, in one piece, so a
// run that yields often does not lay out and repaint the log for every line.
class LogView : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit LogView(const QString& caption, QWidget* parent = nullptr);

  const QString& caption() const { return caption_; }
  void setCaption(const QString& caption);
  void append(const QString& piece);

 private:
  void insertAtEnd(const QString& piece);
  void showPending();

  QString caption_;
  QString pending_;
  bool showQueued_ = false;
};

}  // namespace mervalis

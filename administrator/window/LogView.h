#pragma once
#include <QPlainTextEdit>
#include <QString>
#include <QTimer>

namespace administrator::window {

// The log of a run: its caption text is exactly what the run wrote, and it is
// shown read-only in a view that scrolls and follows the newest line. Appending
// costs time in proportion to the piece appended, not to the whole log. The view
// takes what was appended in one piece at most every refreshInterval, so a run
// that yields hundreds of times a second lays out and repaints the log about as
// often as a reader can follow it, not on every pass of the event loop.
class LogView : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit LogView(const QString& caption, QWidget* parent = nullptr);

  const QString& caption() const { return caption_; }
  void setCaption(const QString& caption);
  void append(const QString& piece);
  // Shows at once what is still waiting, as at the end of a run.
  void showPending();

  static constexpr int refreshInterval = 50;  // milliseconds

 private:
  void insertAtEnd(const QString& piece);

  QString caption_;
  QString pending_;
  QTimer refresh_;
};

}  // namespace administrator::window

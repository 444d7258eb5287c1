#pragma once
#include <QString>
#include <QStringList>

namespace platform::ui {

// The file list's pattern: one or more globs separated by ';' ("*.mp3;*.wav"),
// matched against a whole file name without regard to case. '*' stands for any run
// of characters, '?' for one; every other character stands for itself. "*.*" means
// every file, with or without an extension, and so does an empty pattern.
class FilePattern {
 public:
  explicit FilePattern(const QString& patterns = QStringLiteral("*.*"));

  bool matches(const QString& fileName) const;
  const QString& text() const { return text_; }

 private:
  QString text_;
  QStringList globs_;  // case-folded
};

}  // namespace platform::ui

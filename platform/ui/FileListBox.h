#pragma once
#include <QListWidget>
#include <filesystem>

#include <platform/ui/FilePattern.h>
#include <platform/ui/ListResult.h>

namespace platform::ui {

// The file list: the files of Path whose names match Pattern, hidden files left out,
// one selected at a time. A folder that has vanished or may not be read is refused and
// the list keeps showing what it showed.
class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  QString pattern() const { return pattern_.text(); }
  ListResult setPattern(const QString& patterns);

  QString path() const;
  ListResult setPath(const QString& path);

  // The selected file's bare name; empty when none is selected. Like path(), in the
  // text form of FolderReading.h: toFsPath gives back the name's bytes.
  QString fileName() const;

 private:
  ListResult display(const std::filesystem::path& folder, const FilePattern& pattern);

  std::filesystem::path current_;
  FilePattern pattern_;
};

}  // namespace platform::ui

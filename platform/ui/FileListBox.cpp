#include <platform/ui/FileListBox.h>

#include <platform/ui/FolderReading.h>

namespace platform::ui {

namespace fs = std::filesystem;

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  std::error_code ec;
  current_ = fs::current_path(ec);
  if (ec) current_ = "/";
  (void)display(current_, pattern_);  // an unreadable start folder just shows nothing
}

QString FileListBox::path() const { return toQString(current_); }

ListResult FileListBox::setPath(const QString& path) {
  fs::path folder;
  if (ListResult named = folderNamedBy(path, current_, folder); !named) return named;
  if (ListResult shown = display(folder, pattern_); !shown) return shown;
  current_ = folder;
  return ListResult::success();
}

ListResult FileListBox::setPattern(const QString& patterns) {
  FilePattern wanted(patterns);
  if (ListResult shown = display(current_, wanted); !shown) return shown;
  pattern_ = std::move(wanted);
  return ListResult::success();
}

QString FileListBox::fileName() const {
  const auto selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

ListResult FileListBox::display(const fs::path& folder, const FilePattern& pattern) {
  QStringList files;
  if (ListResult read = readFiles(folder, files); !read) return read;
  clear();
  for (const QString& name : files)
    if (pattern.matches(name)) addItem(name);
  return ListResult::success();
}

}  // namespace platform::ui

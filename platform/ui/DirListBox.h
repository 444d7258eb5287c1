#pragma once
#include <QListWidget>
#include <filesystem>
#include <memory>

#include <platform/ui/DriveTable.h>
#include <platform/ui/ListResult.h>

namespace platform::ui {

// The folder list: the path's folders from the root down, shown open and indented,
// then the subfolders of the current one. A double-click or Enter opens an entry; a
// single click only highlights it. Change is raised whenever Path changes, by the user
// or by setPath, before setPath returns. A folder that has vanished or may not be read
// is refused: the list stays where it was and says why (setPath's result, or listError
// for an entry the user opened). A name that is not valid UTF-8 is shown and carried
// as FolderReading.h describes, so such a folder opens like any other.
class DirListBox : public QListWidget {
  Q_OBJECT

 public:
  // Every entry carries its full path and its depth (the root is 0).
  enum Role { PathRole = Qt::UserRole, LevelRole };

  explicit DirListBox(QWidget* parent = nullptr);
  explicit DirListBox(std::shared_ptr<DriveTable> drives, QWidget* parent = nullptr);

  QString path() const;
  // A folder path (relative paths are taken from the current one), or a drive
  // designation as DriveListBox::drive() gives it, which opens that drive's current
  // directory.
  ListResult setPath(const QString& pathOrDrive);

 signals:
  void Change();
  void listError(const QString& reason);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ListResult resolve(const QString& pathOrDrive, std::filesystem::path& folder) const;
  ListResult display(const std::filesystem::path& folder);
  void openEntry(const QModelIndex& index);

  std::shared_ptr<DriveTable> drives_;
  std::filesystem::path current_;
};

}  // namespace platform::ui

#include <platform/ui/DirListBox.h>

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <platform/ui/FolderReading.h>

namespace platform::ui {
namespace {

namespace fs = std::filesystem;

// Shifts each entry right by its depth, so the open path reads as a staircase.
class IndentingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem shifted = option;
    shifted.rect.adjust(indentOf(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
  }

 private:
  static int indentOf(const QModelIndex& index) { return index.data(DirListBox::LevelRole).toInt() * kStep; }
  static constexpr int kStep = 8;
};

fs::path startingFolder() {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  return ec ? fs::path("/") : current;
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : DirListBox(std::make_shared<DriveTable>(), parent) {}

DirListBox::DirListBox(std::shared_ptr<DriveTable> drives, QWidget* parent)
    : QListWidget(parent), drives_(std::move(drives)) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new IndentingDelegate(this));
  connect(this, &QAbstractItemView::doubleClicked, this, &DirListBox::openEntry);
  // Nothing to report at start: an unreadable current directory just shows itself.
  current_ = startingFolder();
  if (!display(current_)) addItem(toQString(current_));
}

QString DirListBox::path() const { return toQString(current_); }

ListResult DirListBox::resolve(const QString& pathOrDrive, fs::path& folder) const {
  if (!isDriveDesignation(pathOrDrive)) return folderNamedBy(pathOrDrive, current_, folder);
  drives_->refresh();
  const Drive* drive = drives_->find(pathOrDrive);
  if (!drive) return ListResult::failure(QStringLiteral("No drive %1 is mounted.").arg(pathOrDrive));
  if (ListResult ready = drives_->checkReady(*drive); !ready) return ready;
  folder = drives_->currentDirectory(*drive);
  return ListResult::success();
}

ListResult DirListBox::setPath(const QString& pathOrDrive) {
  fs::path folder;
  if (ListResult resolved = resolve(pathOrDrive, folder); !resolved) return resolved;
  if (ListResult shown = display(folder); !shown) return shown;
  if (folder == current_) return ListResult::success();
  current_ = folder;
  emit Change();
  return ListResult::success();
}

ListResult DirListBox::display(const fs::path& folder) {
  QStringList subfolders;
  if (ListResult read = readSubfolders(folder, subfolders); !read) return read;

  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  auto addEntry = [this](const QIcon& icon, const QString& text, const fs::path& target, int level) {
    auto* entry = new QListWidgetItem(icon, text, this);  // owned by the list
    entry->setData(PathRole, toQString(target));
    entry->setData(LevelRole, level);
    return entry;
  };
  fs::path ancestor;
  int level = 0;
  QListWidgetItem* currentEntry = nullptr;
  for (const fs::path& part : folder) {
    ancestor /= part;
    currentEntry = addEntry(open, toQString(part), ancestor, level++);
  }
  for (const QString& name : subfolders) addEntry(closed, name, folder / toFsPath(name), level);
  setCurrentItem(currentEntry);
  return ListResult::success();
}

void DirListBox::openEntry(const QModelIndex& index) {
  if (!index.isValid()) return;
  const QString target = index.data(PathRole).toString();
  if (ListResult opened = setPath(target); !opened) {
    if (QListWidgetItem* stay = item(static_cast<int>(std::distance(current_.begin(), current_.end())) - 1))
      setCurrentItem(stay);
    emit listError(opened.reason());
  }
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    openEntry(currentIndex());
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace platform::ui

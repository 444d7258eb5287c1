#include <platform/ui/DriveListBox.h>

#include <QSignalBlocker>

#include <platform/ui/FolderReading.h>

namespace platform::ui {

DriveListBox::DriveListBox(QWidget* parent) : DriveListBox(std::make_shared<DriveTable>(), parent) {}

DriveListBox::DriveListBox(std::shared_ptr<DriveTable> drives, QWidget* parent)
    : QComboBox(parent), drives_(std::move(drives)) {
  std::error_code ec;
  if (const Drive* start = drives_->holding(std::filesystem::current_path(ec)); start && !ec)
    current_ = start->designation();
  fillItems();
  connect(this, &QComboBox::activated, this, &DriveListBox::onUserPick);
}

void DriveListBox::fillItems() {
  const QSignalBlocker quiet(this);
  clear();
  for (const Drive& drive : drives_->drives()) addItem(drive.designation());
  // The selected drive stays shown even when it has just gone, since the list stays on it.
  if (!current_.isEmpty() && findText(current_) < 0) addItem(current_);
  setCurrentIndex(findText(current_));
}

ListResult DriveListBox::setDrive(const QString& designation) {
  drives_->refresh();
  fillItems();
  const Drive* wanted = drives_->find(designation);
  if (!wanted) return ListResult::failure(QStringLiteral("No drive %1 is mounted.").arg(designation));
  if (ListResult ready = drives_->checkReady(*wanted); !ready) return ready;
  const QString chosen = wanted->designation();
  if (chosen == current_) return ListResult::success();
  current_ = chosen;
  {
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(current_));
  }
  emit Change();
  return ListResult::success();
}

void DriveListBox::showPopup() {
  drives_->refresh();
  fillItems();
  QComboBox::showPopup();
}

void DriveListBox::onUserPick(int index) {
  const QString picked = itemText(index);
  if (picked == current_) return;
  if (ListResult result = setDrive(picked); !result) {
    {
      const QSignalBlocker quiet(this);
      setCurrentIndex(findText(current_));
    }
    emit listError(result.reason());
  }
}

}  // namespace platform::ui

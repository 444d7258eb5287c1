#pragma once
#include <QComboBox>
#include <memory>

#include <platform/ui/DriveTable.h>
#include <platform/ui/ListResult.h>

namespace platform::ui {

// The drop-down of drives. Drive is the selected drive's designation; Change is raised
// on every change of the selection, by the user or by setDrive, before setDrive returns.
// A drive that is not ready or has gone is refused: the list stays where it was and
// says why (setDrive's result, or listError for a pick by the user).
class DriveListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent = nullptr);
  explicit DriveListBox(std::shared_ptr<DriveTable> drives, QWidget* parent = nullptr);

  QString drive() const { return current_; }
  ListResult setDrive(const QString& designation);

  const std::shared_ptr<DriveTable>& driveTable() const { return drives_; }

 signals:
  void Change();
  void listError(const QString& reason);

 protected:
  // Drives come and go; the list is read afresh each time it opens.
  void showPopup() override;

 private:
  void fillItems();
  void onUserPick(int index);

  std::shared_ptr<DriveTable> drives_;
  QString current_;
};

}  // namespace platform::ui

#pragma once
#include <memory>
#include <ui/DirListBox.h>
#include <ui/DriveListBox.h>
#include <ui/FileListBox.h>

#include "WizardPage.h"

namespace mervalis {

// "Database": the catalogue file, chosen by drive, folder and file.
class DatabasePage : public WizardPage {
 public:
  struct Controls {
    QLabel* lblDBase;
    platform::ui::DirListBox* Dir1;
    platform::ui::DriveListBox* Drive1;
    platform::ui::FileListBox* File1;
    QPushButton* cmdExit1;
    QPushButton* cmdNext1;
  };

  DatabasePage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives);
  const Controls& controls() const { return c_; }

 private:
  Controls c_;
};

}  // namespace mervalis

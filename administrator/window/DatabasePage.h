#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <platform/ui/DirListBox.h>
#include <platform/ui/DriveListBox.h>
#include <platform/ui/FileListBox.h>

#include <platform/status/Status.h>

#include <administrator/window/WizardPage.h>

namespace administrator::window {

// "Database": the catalogue file, chosen by drive, folder and file, or made anew.
class DatabasePage : public WizardPage {
 public:
  struct Controls {
    QLabel* lblDBase;
    platform::ui::DirListBox* Dir1;
    platform::ui::DriveListBox* Drive1;
    platform::ui::FileListBox* File1;
    QPushButton* cmdExit1;
    QPushButton* cmdNext1;
    QPushButton* cmdNew1;
  };

  // What "New..." needs: the name of the new catalogue (empty when the person gives
  // up), a message, and the making itself. Tests put their own in place.
  struct NewCatalogue {
    std::function<QString(QWidget* parent, const QString& folder)> askName;
    std::function<void(QWidget* parent, const QString& text)> tell;
    std::function<platform::status::Status(const std::string& path)> create;
  };

  DatabasePage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives);
  const Controls& controls() const { return c_; }
  void setNewCatalogue(NewCatalogue newCatalogue) { newCatalogue_ = std::move(newCatalogue); }

 private:
  void cmdNew1_Click();
  void select(const QString& path);

  Controls c_;
  NewCatalogue newCatalogue_;
};

}  // namespace administrator::window

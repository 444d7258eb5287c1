#pragma once
#include <memory>
#include <platform/ui/DirListBox.h>
#include <platform/ui/DriveListBox.h>
#include <platform/ui/FileListBox.h>

#include <administrator/window/WizardPage.h>

namespace administrator::window {

// "MP3's": the source folder above, the root of the destination tree below, and the
// place of the tag component, which has no appearance of its own. "Preview", which
// shows what a run would do with these choices, stands above "< Previous": the
// destination drive takes the button line's first slot on this page.
class Mp3sPage : public WizardPage {
 public:
  struct Controls {
    QLabel* Label1;
    QLabel* Label3;
    platform::ui::DirListBox* Dir2;
    platform::ui::DriveListBox* Drive2;
    platform::ui::FileListBox* File2;
    QLabel* Label2;
    platform::ui::DirListBox* Dir3;
    platform::ui::DriveListBox* Drive3;
    QLabel* Label4;
    QWidget* Lyrebox1;
    QPushButton* cmdPrev2;
    QPushButton* cmdNext2;
    QPushButton* cmdPreview;
  };

  Mp3sPage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives);
  const Controls& controls() const { return c_; }

 private:
  Controls c_;
};

}  // namespace administrator::window

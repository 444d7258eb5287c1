#pragma once
#include <administrator/window/LogView.h>
#include <administrator/window/WizardPage.h>

namespace administrator::window {

// "Process": starts the run and shows its log.
class ProcessPage : public WizardPage {
 public:
  struct Controls {
    LogView* lbllog;
    QPushButton* cmdExit3;
    QPushButton* cmdAboutLyrebox;
    QPushButton* cmdPrev3;
    QPushButton* cmdGo;
  };

  explicit ProcessPage(QWidget& tabControl);
  const Controls& controls() const { return c_; }

 private:
  Controls c_;
};

}  // namespace administrator::window

#include <administrator/window/ProcessPage.h>

namespace administrator::window {

ProcessPage::ProcessPage(QWidget& tabControl)
    : WizardPage(tabControl),
      c_{make<LogView>("lbllog", QStringLiteral("Log Report")), makeButton("cmdExit3", QStringLiteral("Exit")),
         makeButton("cmdAboutLyrebox", QStringLiteral("About Lyrebox")),
         makeButton("cmdPrev3", QStringLiteral("< Previous")), makeButton("cmdGo", QStringLiteral("Process"))} {
  // clang-format off
  add({c_.lbllog,           240,  480, 5895, 4095,  9});
  add({c_.cmdExit3,         480, 4680, 1335,  375, 15});
  add({c_.cmdAboutLyrebox, 1920, 4680, 1335,  375, 10});
  add({c_.cmdPrev3,        3360, 4680, 1335,  375, 21});
  add({c_.cmdGo,           4800, 4680, 1335,  375,  7});
  // clang-format on
  c_.lbllog->setAccessibleName(QStringLiteral("Log Report"));
}

}  // namespace administrator::window

#include "DatabasePage.h"

namespace mervalis {

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::FileListBox;

DatabasePage::DatabasePage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives)
    : WizardPage(tabControl),
      c_{makeLabel("lblDBase", QStringLiteral("Select the MP3 Database")),
         make<DirListBox>("Dir1", drives),
         make<DriveListBox>("Drive1", drives),
         make<FileListBox>("File1"),
         makeButton("cmdExit1", QStringLiteral("Exit")),
         makeButton("cmdNext1", QStringLiteral("Next >"))} {
  // clang-format off
  add({c_.lblDBase,  480,  600, 3735,  495,  4});
  add({c_.Dir1,      480,  960, 2055, 1440,  2});
  add({c_.Drive1,    480, 2520, 2055,  315,  1});
  add({c_.File1,    2760,  960, 2055, 1845,  3});
  add({c_.cmdExit1, 3360, 4680, 1335,  375, 22});
  add({c_.cmdNext1, 4800, 4680, 1335,  375, 18});
  // clang-format on
  (void)c_.File1->setPattern(QStringLiteral("*.mdb"));
  headList(*c_.lblDBase, *c_.Dir1);
  describeDropDown(*c_.Drive1, QStringLiteral("Database drive"));
  c_.File1->setAccessibleName(QStringLiteral("Database files"));
}

}  // namespace mervalis

#include <administrator/window/Mp3sPage.h>

namespace administrator::window {

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::FileListBox;

Mp3sPage::Mp3sPage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives)
    : WizardPage(tabControl),
      c_{makeLabel("Label1", QStringLiteral("Source Directory")),
         makeLabel("Label3", QStringLiteral("Will process selected directory and one level below")),
         make<DirListBox>("Dir2", drives),
         make<DriveListBox>("Drive2", drives),
         make<FileListBox>("File2"),
         makeLabel("Label2", QStringLiteral("Root MP3 Destination Directory")),
         make<DirListBox>("Dir3", drives),
         make<DriveListBox>("Drive3", drives),
         makeLabel("Label4",
                   QStringLiteral("MP3s will be moved to: <Dest Dir> \\ <Artist> \\ <Album> \\ <Track Title>.mp3")),
         make<QWidget>("Lyrebox1"),
         makeButton("cmdPrev2", QStringLiteral("< Previous")),
         makeButton("cmdNext2", QStringLiteral("Next >")),
         makeButton("cmdPreview", QStringLiteral("Preview"))} {
  // clang-format off
  add({c_.Label1,    360,  600, 1455,  375, 13});
  add({c_.Label3,    360, 1200, 1455,  855, 16});
  add({c_.Dir2,     2040,  600, 1815, 1440,  6});
  add({c_.Drive2,   2040, 2280, 1815,  315,  5});
  add({c_.File2,    3960,  600, 2175, 2040,  8});
  add({c_.Label2,    240, 2760, 2295,  255, 14});
  add({c_.Dir3,      240, 3120, 1935, 1440, 12});
  add({c_.Drive3,    240, 4680, 1935,  315, 11});
  add({c_.Label4,   2400, 3240, 2775,  495, 17});
  add({c_.Lyrebox1, 5760, 4080,  495,  495, kNoTabIndex, false});
  add({c_.cmdPrev2, 3360, 4680, 1335,  375, 20});
  add({c_.cmdNext2, 4800, 4680, 1335,  375, 19});
  add({c_.cmdPreview, 3360, 4200, 1335,  375, 23});
  // clang-format on
  (void)c_.File2->setPattern(QStringLiteral("*.mp3"));
  c_.Lyrebox1->setFocusPolicy(Qt::NoFocus);
  headList(*c_.Label1, *c_.Dir2);
  headList(*c_.Label2, *c_.Dir3);
  describeDropDown(*c_.Drive2, QStringLiteral("Source drive"));
  c_.File2->setAccessibleName(QStringLiteral("Source MP3 files"));
  describeDropDown(*c_.Drive3, QStringLiteral("Destination drive"));
}

}  // namespace administrator::window

#include <administrator/window/DatabasePage.h>

#include <QFileDialog>
#include <QFileInfo>
#include <administrator/catalogue/CatalogueCreation.h>
#include <platform/database/SqliteEngine.h>
#include <platform/ui/FolderReading.h>

#include <administrator/window/PlainMessageBox.h>

namespace administrator::window {

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::FileListBox;

namespace {

// A save dialog for "*.mdb" that asks no overwrite question: a file already there
// is refused afterwards, with a message, since a new catalogue never replaces one.
QString askCatalogueName(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent, QStringLiteral("New Catalogue"), folder, QStringLiteral("Catalogues (*.mdb)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("mdb"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

DatabasePage::NewCatalogue standardNewCatalogue() {
  return {askCatalogueName,
          [](QWidget* parent, const QString& text) { showPlainMessage(parent, QMessageBox::Warning, text); },
          [](const std::string& path) {
            platform::database::SqliteEngine engine;
            return catalogue::createCatalogue(engine, path);
          }};
}

}  // namespace

DatabasePage::DatabasePage(QWidget& tabControl, const std::shared_ptr<platform::ui::DriveTable>& drives)
    : WizardPage(tabControl),
      c_{makeLabel("lblDBase", QStringLiteral("Select the MP3 Database")),
         make<DirListBox>("Dir1", drives),
         make<DriveListBox>("Drive1", drives),
         make<FileListBox>("File1"),
         makeButton("cmdExit1", QStringLiteral("Exit")),
         makeButton("cmdNext1", QStringLiteral("Next >")),
         makeButton("cmdNew1", QStringLiteral("New..."))},
      newCatalogue_(standardNewCatalogue()) {
  // clang-format off
  add({c_.lblDBase,  480,  600, 3735,  495,  4});
  add({c_.Dir1,      480,  960, 2055, 1440,  2});
  add({c_.Drive1,    480, 2520, 2055,  315,  1});
  add({c_.File1,    2760,  960, 2055, 1845,  3});
  add({c_.cmdNew1,  1920, 4680, 1335,  375, 24});
  add({c_.cmdExit1, 3360, 4680, 1335,  375, 22});
  add({c_.cmdNext1, 4800, 4680, 1335,  375, 18});
  // clang-format on
  (void)c_.File1->setPattern(QStringLiteral("*.mdb"));
  headList(*c_.lblDBase, *c_.Dir1);
  describeDropDown(*c_.Drive1, QStringLiteral("Database drive"));
  c_.File1->setAccessibleName(QStringLiteral("Database files"));
  QObject::connect(c_.cmdNew1, &QPushButton::clicked, c_.cmdNew1, [this] { cmdNew1_Click(); });
}

void DatabasePage::cmdNew1_Click() {
  QWidget* parent = c_.cmdNew1->window();
  const QString path = newCatalogue_.askName(parent, c_.Dir1->path());
  if (path.isEmpty()) return;
  if (const platform::status::Status created = newCatalogue_.create(platform::ui::toFsPath(path).string()); !created) {
    newCatalogue_.tell(parent, QString::fromStdString(created.reason()));
    return;
  }
  select(path);
}

// The lists move to the new catalogue's folder and select it, as if picked there.
void DatabasePage::select(const QString& path) {
  const QFileInfo file(path);
  (void)c_.Dir1->setPath(file.absolutePath());
  (void)c_.File1->setPath(file.absolutePath());
  const auto items = c_.File1->findItems(file.fileName(), Qt::MatchExactly);
  if (!items.isEmpty()) c_.File1->setCurrentItem(items.front());
}

}  // namespace administrator::window

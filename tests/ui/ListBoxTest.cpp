#include <gtest/gtest.h>
#include <platform/filesystem/PosixFileSystem.h>

#include <QSignalSpy>
#include <QTest>

#include <tests/ui/UiTestSupport.h>
#include <platform/ui/DirListBox.h>
#include <platform/ui/DriveListBox.h>
#include <platform/ui/FileListBox.h>

using platform::ui::DirListBox;
using platform::ui::DriveListBox;
using platform::ui::DriveTable;
using platform::ui::FileListBox;
using platform::ui::MountSource;
using tests::ui::TempTree;

namespace {

namespace fs = std::filesystem;

// Two removable volumes "mounted" on folders of a temporary tree, so that the lists
// can really open them; the second one's mount point can be taken away.
class ListBoxes : public testing::Test {
 protected:
  void SetUp() override {
    tests::ui::application();
    usb1 = tree.folder("media/usb1");
    usb2 = tree.folder("media/usb2");
    tree.folder("media/usb1/Music/Rock");
    tree.folder("media/usb1/Music/jazz");
    tree.folder("media/usb1/Music/Blues");
    tree.folder("media/usb1/Music/.cache");
    tree.file("media/usb1/Music/notes.txt");
    MountSource source;
    source.readMountInfo = [this] {
      return "40 1 8:17 / " + usb1.string() + " rw - vfat /dev/sdb1 rw\n" + "41 1 8:33 / " + usb2.string() +
             " rw - vfat /dev/sdc1 rw\n";
    };
    source.labelOf = [](const std::string& device) { return device == "/dev/sdb1" ? "STICK" : ""; };
    source.removableRoots = {(tree.root() / "media").string()};
    drives = std::make_shared<DriveTable>(source);
  }

  QString designation(const fs::path& mountPoint) const {
    return drives->find(platform::ui::toQString(mountPoint))->designation();
  }

  static QStringList shownEntries(const DirListBox& list) {
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
      shown << QString(list.item(row)->data(DirListBox::LevelRole).toInt(), QLatin1Char(' ')) + list.item(row)->text();
    return shown;
  }

  TempTree tree;
  fs::path usb1, usb2;
  std::shared_ptr<DriveTable> drives;
};

}  // namespace

TEST_F(ListBoxes, DirListShowsAncestorsOpenThenSortedVisibleSubfolders) {
  tests::ui::CurrentDirectory inside(usb1 / "Music");
  DirListBox list(drives);
  EXPECT_EQ(list.path(), tree.q("media/usb1/Music"));
  QStringList expected;
  int level = 0;
  for (const fs::path& part : usb1 / "Music")
    expected << QString(level++, QLatin1Char(' ')) + platform::ui::toQString(part);
  const QString sub(level, QLatin1Char(' '));
  expected << sub + "Blues" << sub + "jazz" << sub + "Rock";
  EXPECT_EQ(shownEntries(list), expected);
  EXPECT_EQ(list.currentItem()->data(DirListBox::PathRole).toString(), tree.q("media/usb1/Music"));

  ASSERT_TRUE(list.setPath("/"));
  EXPECT_EQ(list.item(0)->data(DirListBox::PathRole).toString(), "/");
  EXPECT_EQ(list.item(0)->data(DirListBox::LevelRole).toInt(), 0);
  EXPECT_EQ(list.item(1)->data(DirListBox::LevelRole).toInt(), 1);
}

TEST_F(ListBoxes, ChangeIsRaisedBeforeTheAssignmentReturnsAndOnlyForARealChange) {
  DirListBox dir(drives);
  DriveListBox drive(drives);
  QStringList dirSeen, driveSeen;  // the value each list held when its Change arrived
  QObject::connect(&dir, &DirListBox::Change, [&] { dirSeen << dir.path(); });
  QObject::connect(&drive, &DriveListBox::Change, [&] { driveSeen << drive.drive(); });

  ASSERT_TRUE(dir.setPath(tree.q("media/usb1/Music")));
  EXPECT_EQ(dirSeen, QStringList{tree.q("media/usb1/Music")});
  ASSERT_TRUE(dir.setPath("Rock/.."));  // relative to the current folder: the same folder
  ASSERT_TRUE(dir.setPath(tree.q("media/usb1/Music/")));
  EXPECT_EQ(dirSeen.size(), 1);

  ASSERT_TRUE(drive.setDrive(designation(usb2)));
  ASSERT_TRUE(drive.setDrive(platform::ui::toQString(usb2)));  // the bare mount point names the same drive
  ASSERT_TRUE(drive.setDrive(platform::ui::toQString(usb1) + " [OLD LABEL]"));
  EXPECT_EQ(driveSeen, (QStringList{designation(usb2), designation(usb1)}));
  EXPECT_EQ(drive.currentText(), designation(usb1));
}

TEST_F(ListBoxes, ARefusedAssignmentSaysWhyStaysAndRaisesNothing) {
  DirListBox dir(drives);
  DriveListBox drive(drives);
  ASSERT_TRUE(dir.setPath(tree.q("media/usb1/Music")));
  ASSERT_TRUE(drive.setDrive(designation(usb1)));
  const QString usb2Drive = designation(usb2);
  fs::remove(usb2);  // still in the mount table, but its folder is gone: not ready
  int changes = 0;
  QObject::connect(&dir, &DirListBox::Change, [&] { ++changes; });
  QObject::connect(&drive, &DriveListBox::Change, [&] { ++changes; });

  const struct {
    const char* what;
    platform::ui::ListResult result;
    const char* mentions;
  } refusals[] = {
      {"drive not ready", drive.setDrive(usb2Drive), "usb2"},
      {"unknown drive", drive.setDrive("/nowhere [X]"), "/nowhere"},
      {"folder gone", dir.setPath(tree.q("media/usb2")), "usb2"},
      {"not a folder", dir.setPath(tree.q("media/usb1/Music/notes.txt")), "notes.txt"},
      {"directory of a drive not ready", dir.setPath(usb2Drive), "usb2"},
      {"directory of an unknown drive", dir.setPath("/nowhere [X]"), "/nowhere"},
      // Text with no bytes on disk: a NUL would open the folder before it.
      {"name with a NUL", dir.setPath(tree.q("media/usb1/Music") + QChar(0) + "Rock"), "cannot be opened"},
      {"name with a lone surrogate", dir.setPath(tree.q("media/usb1/Music/") + QChar(0xD800)), "cannot be opened"},
  };
  for (const auto& refused : refusals) {
    EXPECT_FALSE(refused.result.ok()) << refused.what;
    EXPECT_TRUE(refused.result.reason().contains(refused.mentions)) << refused.result.reason().toStdString();
  }
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(dir.path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(dir.count(), 3 + static_cast<int>(std::distance(usb1.begin(), usb1.end())) + 1);
  EXPECT_EQ(drive.drive(), designation(usb1));
  EXPECT_EQ(drive.currentText(), designation(usb1));
}

TEST_F(ListBoxes, WritingADriveOpensItsCurrentDirectory) {
  tests::ui::CurrentDirectory inside(usb1 / "Music" / "jazz");
  DirListBox dir(drives);
  DriveListBox drive(drives);
  EXPECT_EQ(drive.drive(), designation(usb1));  // starts on the drive of the current directory
  ASSERT_TRUE(dir.setPath(designation(usb2)));
  EXPECT_EQ(dir.path(), platform::ui::toQString(usb2));  // not the current directory's drive: its mount point
  ASSERT_TRUE(dir.setPath(designation(usb1)));
  EXPECT_EQ(dir.path(), tree.q("media/usb1/Music/jazz"));
}

class ShownDirList : public ListBoxes {
 protected:
  void SetUp() override {
    ListBoxes::SetUp();
    list = std::make_unique<DirListBox>(drives);
    ASSERT_TRUE(list->setPath(tree.q("media/usb1/Music")));
    list->resize(300, 600);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    QObject::connect(list.get(), &DirListBox::Change, [this] { ++changes; });
    QObject::connect(list.get(), &DirListBox::listError, [this](const QString& reason) { errors << reason; });
  }

  QListWidgetItem* entry(const QString& name) const {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.back();
  }
  QPoint centreOf(const QString& name) const { return list->visualItemRect(entry(name)).center(); }

  std::unique_ptr<DirListBox> list;
  int changes = 0;
  QStringList errors;
};

TEST_F(ShownDirList, SingleClickHighlightsDoubleClickAndEnterOpen) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf("Rock"));
  EXPECT_EQ(list->currentItem()->text(), "Rock");
  EXPECT_EQ(list->path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(changes, 0);

  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centreOf("Rock"));
  EXPECT_EQ(list->path(), tree.q("media/usb1/Music/Rock"));
  EXPECT_EQ(changes, 1);

  list->setCurrentItem(entry("usb1"));
  QTest::keyClick(list.get(), Qt::Key_Return);
  EXPECT_EQ(list->path(), platform::ui::toQString(usb1));
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ShownDirList, AFolderRemovedUnderTheListIsReportedAndTheListStays) {
  fs::remove(tree.root() / "media/usb1/Music/Blues");
  // As a person does it: the first click of the window highlights, then the double-click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf("Blues"));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centreOf("Blues"));
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors.front().contains("Blues")) << errors.front().toStdString();
  EXPECT_EQ(list->path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(list->currentItem()->data(DirListBox::PathRole).toString(), tree.q("media/usb1/Music"));
  EXPECT_NE(entry("Blues"), nullptr);  // still shown as it was; nothing read afresh
  EXPECT_EQ(changes, 0);
}

// Names as other systems and old tools leave them: Latin-1, stray bytes, and a valid
// UTF-8 name with one Latin-1 byte in it.
const char* const kNamesNotUtf8[] = {"\xFF\xFE", "caf\xE9", "Caf\xC3\xA9 \xE9t\xE9"};

TEST_F(ShownDirList, AFolderWhoseNameIsNotUtf8IsListedOpenedAndItsFilesListed) {
  const fs::path music = tree.root() / "media/usb1/Music";
  for (const std::string name : kNamesNotUtf8) {
    const fs::path folder = tree.folder("media/usb1/Music/" + name);
    const fs::path song = tree.file("media/usb1/Music/" + name + "/" + name + ".mp3");
    ASSERT_TRUE(list->setPath(platform::ui::toQString(music)));
    QListWidgetItem* shown = nullptr;
    for (int row = 0; row < list->count(); ++row)
      if (platform::ui::toFsPath(list->item(row)->data(DirListBox::PathRole).toString()) == folder)
        shown = list->item(row);
    ASSERT_NE(shown, nullptr) << name;

    list->setCurrentItem(shown);
    QTest::keyClick(list.get(), Qt::Key_Return);
    EXPECT_EQ(errors, QStringList()) << name;
    EXPECT_EQ(platform::ui::toFsPath(list->path()), folder);

    FileListBox files;
    ASSERT_TRUE(files.setPattern("*.mp3"));
    ASSERT_TRUE(files.setPath(list->path())) << name;
    ASSERT_EQ(files.count(), 1) << name;
    files.item(0)->setSelected(true);
    EXPECT_EQ(platform::ui::toFsPath(files.path() + "/" + files.fileName()), song);
    errors.clear();
  }
}

TEST_F(ListBoxes, DriveListRefusesAUserPickOfADriveThatIsNotReady) {
  DriveListBox drive(drives);
  ASSERT_TRUE(drive.setDrive(designation(usb1)));
  drive.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&drive));
  QStringList errors;
  int changes = 0;
  QObject::connect(&drive, &DriveListBox::listError, [&](const QString& reason) { errors << reason; });
  QObject::connect(&drive, &DriveListBox::Change, [&] { ++changes; });
  const QString usb2Drive = designation(usb2);

  fs::remove(usb2);
  QTest::keyClick(&drive, Qt::Key_Down);
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(drive.drive(), designation(usb1));
  EXPECT_EQ(drive.currentText(), designation(usb1));

  fs::create_directory(usb2);
  QTest::keyClick(&drive, Qt::Key_Down);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drive.drive(), usb2Drive);
}

TEST_F(ListBoxes, FileListShowsMatchingVisibleFilesAndTheSelectedName) {
  for (const char* name : {"b.MP3", "a.mp3", ".hidden.mp3", "cover.jpg", "c.mp3x", "cat.mdb"})
    tree.file(std::string("media/usb1/Music/") + name);
  tree.folder("media/usb1/Music/folder.mp3");
  FileListBox files;
  ASSERT_TRUE(files.setPattern("*.mp3"));
  ASSERT_TRUE(files.setPath(tree.q("media/usb1/Music")));
  QStringList shown;
  for (int row = 0; row < files.count(); ++row) shown << files.item(row)->text();
  EXPECT_EQ(shown, (QStringList{"a.mp3", "b.MP3"}));
  EXPECT_EQ(files.fileName(), "");
  files.item(1)->setSelected(true);
  files.item(0)->setSelected(true);  // one selection at a time
  EXPECT_EQ(files.selectedItems().size(), 1);
  EXPECT_EQ(files.fileName(), "a.mp3");

  ASSERT_TRUE(files.setPattern("*.mdb"));
  ASSERT_EQ(files.count(), 1);
  EXPECT_EQ(files.item(0)->text(), "cat.mdb");

  const auto gone = files.setPath(tree.q("media/usb1/Music/Gone"));
  EXPECT_FALSE(gone.ok());
  EXPECT_EQ(files.path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(files.count(), 1);
}

// The import run visits files in the order the list showed them, so its log
// follows what the person saw.
TEST_F(ListBoxes, FileListShowsFilesInTheOrderTheRunVisitsThem) {
  const std::vector<std::string> names = {
      "C upper.mp3",           "b lower.mp3",           "10.mp3", "9.mp3",        "a.mp3",        "A.mp3",
      "\xC3\xA9t\xC3\xA9.mp3", "\xC3\x89T\xC3\x89.mp3", "Z.mp3",  "\xD0\x96.mp3", "\xD0\xB0.mp3", "caf\xE9.mp3"};
  for (const auto& name : names) tree.file("media/usb1/Music/" + name);
  FileListBox files;
  ASSERT_TRUE(files.setPattern("*.*"));
  ASSERT_TRUE(files.setPath(tree.q("media/usb1/Music")));
  std::vector<std::string> shown;
  for (int row = 0; row < files.count(); ++row)
    shown.push_back(platform::ui::toFsPath(files.item(row)->text()).string());
  const auto visited = platform::filesystem::PosixFileSystem().listFiles((tree.root() / "media/usb1/Music").string());
  std::vector<std::string> visitedNames;
  for (const auto& entry : visited.entries) visitedNames.push_back(entry.name);
  EXPECT_EQ(shown, visitedNames);
  EXPECT_EQ(shown.size(), names.size() + 1);  // notes.txt
}

TEST_F(ListBoxes, ListsStartOnTheCurrentDirectory) {
  tests::ui::CurrentDirectory inside(usb1 / "Music");
  tree.file("media/usb1/Music/x.mp3");
  DirListBox dir(drives);
  FileListBox files;
  EXPECT_EQ(dir.path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(files.path(), tree.q("media/usb1/Music"));
  EXPECT_EQ(files.pattern(), "*.*");
  EXPECT_EQ(files.count(), 2);  // notes.txt and x.mp3
}

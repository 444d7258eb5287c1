#include <gtest/gtest.h>

#include <map>

#include <tests/ui/UiTestSupport.h>

#include <platform/ui/DriveTable.h>
#include <platform/ui/MountInfo.h>

using platform::ui::Drive;
using platform::ui::DriveTable;
using platform::ui::MountSource;

namespace {

// A mount table as a desktop machine with a separate home, a USB stick and a
// phone mounted by the desktop shows it, together with the kernel's own mounts.
const char* const kDesktopMounts =
    "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
    "23 27 0:22 / /sys rw,relatime - sysfs sysfs rw\n"
    "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,size=12334792k\n"
    "25 24 0:23 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
    "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "28 27 254:3 / /home rw,relatime shared:2 - ext4 /dev/sda3 rw\n"
    "31 23 0:28 / /sys/fs/cgroup rw,relatime - cgroup2 cgroup2 rw\n"
    "40 27 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
    "41 27 0:41 / /var/lib/docker/overlay2/abc/merged rw - overlay overlay rw,lowerdir=/x\n"
    "42 27 0:42 / /snap/core/123 ro - squashfs /dev/loop0 ro\n"
    "43 27 8:17 / /media/anna/My\\040Music rw,nosuid master:3 - vfat /dev/sdb1 rw\n"
    "44 27 8:33 / /run/media/anna/PHONE rw,nosuid - exfat /dev/sdc1 rw\n"
    "45 27 0:45 / /mnt/backup rw - nfs4 server:/backup rw\n"
    "46 27 0:46 / /media/anna/sticky rw - tmpfs tmpfs rw\n"
    "garbage line that is not a mount\n";

MountSource injected(std::string text, std::map<std::string, std::string> labels = {}) {
  MountSource source;
  source.readMountInfo = [text] { return text; };
  source.labelOf = [labels](const std::string& device) {
    auto found = labels.find(device);
    return found == labels.end() ? std::string() : found->second;
  };
  return source;
}

QStringList designations(const DriveTable& table) {
  QStringList shown;
  for (const Drive& drive : table.drives()) shown << drive.designation();
  return shown;
}

}  // namespace

TEST(MountInfo, DecodesOctalEscapesAndKeepsOtherBackslashes) {
  EXPECT_EQ(platform::ui::decodeOctalEscapes("a\\040b\\011c\\012d\\134e"), "a b\tc\nd\\e");
  EXPECT_EQ(platform::ui::decodeOctalEscapes("tail\\04"), "tail\\04");
  EXPECT_EQ(platform::ui::decodeOctalEscapes("not\\999octal"), "not\\999octal");
  const auto entries =
      platform::ui::parseMountInfo("1 0 8:1 / /media/x\\040y rw opt:1 opt:2 - vfat /dev/sd\\040b1 rw\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].mountPoint, "/media/x y");
  EXPECT_EQ(entries[0].fsType, "vfat");
  EXPECT_EQ(entries[0].source, "/dev/sd b1");
}

TEST(DriveTable, ListsVolumesAPersonPicksWithLabelsOrTheMountPointsName) {
  DriveTable table(injected(kDesktopMounts, {{"/dev/sdb1", "MUSIC STICK"}, {"/dev/sda2", "system"}}));
  EXPECT_EQ(designations(table), (QStringList{"/ [system]", "/home [home]", "/media/anna/My Music [MUSIC STICK]",
                                              "/mnt/backup [backup]", "/run/media/anna/PHONE [PHONE]"}));
}

TEST(DriveTable, RootWithoutLabelAndALaterMountOnTheSamePoint) {
  DriveTable table(
      injected("27 1 254:0 / / rw - ext4 /dev/sda2 rw\n"
               "50 27 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
               "51 50 8:33 / /media/usb rw - vfat /dev/sdc1 rw\n",
               {{"/dev/sdc1", "NEWER"}}));
  EXPECT_EQ(designations(table), (QStringList{"/ [root]", "/media/usb [NEWER]"}));
}

TEST(DriveTable, OverlayCountsOnlyAsTheRootFileSystem) {
  DriveTable table(
      injected("1 0 0:50 / / rw - overlay overlay rw\n"
               "2 1 0:51 / /mnt/layer rw - overlay overlay rw\n"));
  EXPECT_EQ(designations(table), QStringList{"/ [root]"});
}

TEST(DriveTable, FindsByDesignationOrMountPointAndTheDriveHoldingAPath) {
  DriveTable table(injected(kDesktopMounts, {{"/dev/sdb1", "MUSIC STICK"}}));
  struct Case {
    QString text;
    const char* mountPoint;  // nullptr: no such drive
  } cases[] = {{"/media/anna/My Music [MUSIC STICK]", "/media/anna/My Music"},
               {"/media/anna/My Music [old label]", "/media/anna/My Music"},
               {"/home", "/home"},
               {"/home/", "/home"},
               {"/proc [proc]", nullptr},
               {"/media/anna [anna]", nullptr}};
  for (const Case& c : cases) {
    const Drive* found = table.find(c.text);
    if (!c.mountPoint) {
      EXPECT_EQ(found, nullptr) << c.text.toStdString();
    } else {
      ASSERT_NE(found, nullptr) << c.text.toStdString();
      EXPECT_EQ(found->mountPoint, c.mountPoint);
    }
  }
  EXPECT_EQ(table.holding("/home/anna/Music")->mountPoint, "/home");
  EXPECT_EQ(table.holding("/homework")->mountPoint, "/");
  EXPECT_EQ(table.holding("/media/anna/My Music/Album")->mountPoint, "/media/anna/My Music");
  // A folder on a volume that is not a drive (here a tmpfs) belongs to the drive above it.
  EXPECT_EQ(table.holding("/media/anna/sticky/x")->mountPoint, "/");
}

TEST(DriveTable, RefreshSeesADriveThatHasGone) {
  std::string text = kDesktopMounts;
  MountSource source = injected("");
  source.readMountInfo = [&text] { return text; };
  DriveTable table(source);
  ASSERT_NE(table.find("/mnt/backup"), nullptr);
  text = "27 1 254:0 / / rw - ext4 /dev/sda2 rw\n";
  table.refresh();
  EXPECT_EQ(table.find("/mnt/backup"), nullptr);
}

TEST(DriveTable, TheSystemsMountTableHasADriveForTheRoot) {
  DriveTable table(MountSource::system());
  const Drive* root = table.holding("/");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->mountPoint, "/");
  EXPECT_TRUE(table.checkReady(*root).ok());
}

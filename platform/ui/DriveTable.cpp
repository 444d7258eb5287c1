#include <platform/ui/DriveTable.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include <platform/ui/FolderReading.h>
#include <platform/ui/MountInfo.h>

namespace platform::ui {
namespace {

namespace fs = std::filesystem;

// Kernel and service file systems: nothing a person stores music on.
constexpr std::string_view kPseudoFileSystems[] = {
    "proc",        "sysfs",   "tmpfs",      "devtmpfs",   "devpts",
    "cgroup",      "cgroup2", "securityfs", "pstore",     "debugfs",
    "tracefs",     "mqueue",  "hugetlbfs",  "configfs",   "fusectl",
    "binfmt_misc", "autofs",  "bpf",        "efivarfs",   "ramfs",
    "rpc_pipefs",  "nsfs",    "selinuxfs",  "fuse.lxcfs", "fuse.gvfsd-fuse",
    "fuse.portal"};

bool isPseudo(const std::string& fsType) {
  return std::find(std::begin(kPseudoFileSystems), std::end(kPseudoFileSystems), fsType) !=
         std::end(kPseudoFileSystems);
}

// True when path is base or lies below it, compared folder by folder.
bool liesOnOrBelow(const fs::path& path, const fs::path& base) {
  const auto baseEnd = std::mismatch(base.begin(), base.end(), path.begin(), path.end()).first;
  if (baseEnd == base.end()) return true;
  // "/mnt/" normalises with an empty last element; it still means "/mnt".
  return std::next(baseEnd) == base.end() && baseEnd->empty();
}

QString fallbackLabel(const fs::path& mountPoint) {
  const QString name = toQString(mountPoint.filename());
  return name.isEmpty() ? QStringLiteral("root") : name;
}

QString stripLabel(const QString& designation) {
  const int open = designation.lastIndexOf(QStringLiteral(" ["));
  if (open < 0 || !designation.endsWith(QLatin1Char(']'))) return designation;
  return designation.left(open);
}

}  // namespace

bool isDriveDesignation(const QString& text) { return stripLabel(text) != text; }

QString Drive::designation() const { return QStringLiteral("%1 [%2]").arg(toQString(mountPoint), label); }

DriveTable::DriveTable(MountSource source) : source_(std::move(source)) { refresh(); }

bool DriveTable::isDrive(const std::string& mountPoint, const std::string& fsType) const {
  if (isPseudo(fsType)) return false;
  if (mountPoint == "/") return true;
  // An overlay anywhere but the root is some program's layer, not a volume.
  if (fsType == "overlay") return false;
  if (liesOnOrBelow(mountPoint, "/home")) return true;
  return std::any_of(source_.removableRoots.begin(), source_.removableRoots.end(),
                     [&](const std::string& root) { return liesOnOrBelow(mountPoint, root); });
}

void DriveTable::refresh() {
  std::vector<Drive> found;
  const std::string text = source_.readMountInfo ? source_.readMountInfo() : std::string();
  for (const MountEntry& entry : parseMountInfo(text)) {
    if (!isDrive(entry.mountPoint, entry.fsType)) continue;
    const fs::path mountPoint = normalFolderPath(entry.mountPoint, "/");
    const std::string label = source_.labelOf ? source_.labelOf(entry.source) : std::string();
    const QString shownLabel = label.empty() ? fallbackLabel(mountPoint) : QString::fromStdString(label);
    // A later mount on the same point hides the earlier one.
    std::erase_if(found, [&](const Drive& d) { return d.mountPoint == mountPoint; });
    found.push_back({mountPoint, shownLabel});
  }
  std::sort(found.begin(), found.end(), [](const Drive& a, const Drive& b) { return a.mountPoint < b.mountPoint; });
  drives_ = std::move(found);
}

const Drive* DriveTable::find(const QString& designation) const {
  for (const Drive& drive : drives_)
    if (drive.designation() == designation) return &drive;
  const fs::path wanted = normalFolderPath(toFsPath(stripLabel(designation)), "/");
  for (const Drive& drive : drives_)
    if (drive.mountPoint == wanted) return &drive;
  return nullptr;
}

const Drive* DriveTable::holding(const fs::path& path) const {
  const Drive* best = nullptr;
  for (const Drive& drive : drives_) {
    if (!liesOnOrBelow(path, drive.mountPoint)) continue;
    if (!best || std::distance(drive.mountPoint.begin(), drive.mountPoint.end()) >
                     std::distance(best->mountPoint.begin(), best->mountPoint.end()))
      best = &drive;
  }
  return best;
}

fs::path DriveTable::currentDirectory(const Drive& drive) const {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  if (!ec && holding(current) == &drive) return current;
  return drive.mountPoint;
}

ListResult DriveTable::checkReady(const Drive& drive) const {
  std::error_code ec;
  fs::directory_iterator probe(drive.mountPoint, ec);
  if (!ec) return ListResult::success();
  return ListResult::failure(
      QStringLiteral("The drive %1 is not ready: %2.").arg(drive.designation(), QString::fromStdString(ec.message())));
}

}  // namespace platform::ui

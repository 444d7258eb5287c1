#include <platform/ui/FolderReading.h>

#include <algorithm>
#include <system_error>

#include <platform/text/NameCase.h>
#include <platform/text/Utf.h>

namespace platform::ui {
namespace {

namespace fs = std::filesystem;

enum class EntryKind { Folder, File };

bool isHidden(const std::string& name) { return !name.empty() && name.front() == '.'; }

// The order the import run visits names in, so its log follows what was shown.
void sortForPeople(std::vector<std::string>& names) { std::sort(names.begin(), names.end(), text::inListOrder); }

ListResult cannotRead(const fs::path& folder, const std::error_code& ec) {
  if (ec == std::errc::no_such_file_or_directory)
    return ListResult::failure(QStringLiteral("The folder %1 does not exist (any more).").arg(toQString(folder)));
  if (ec == std::errc::not_a_directory)
    return ListResult::failure(QStringLiteral("%1 is not a folder.").arg(toQString(folder)));
  return ListResult::failure(
      QStringLiteral("The folder %1 cannot be read: %2.").arg(toQString(folder), QString::fromStdString(ec.message())));
}

ListResult readEntries(const fs::path& folder, EntryKind kind, QStringList& names) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return cannotRead(folder, ec);
  std::vector<std::string> found;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    std::string name = it->path().filename().native();
    std::error_code kindError;  // a broken link or an entry we may not stat is simply not listed
    const bool wanted = kind == EntryKind::Folder ? it->is_directory(kindError) : it->is_regular_file(kindError);
    if (wanted && !kindError && !isHidden(name)) found.push_back(std::move(name));
  }
  if (ec) return cannotRead(folder, ec);
  sortForPeople(found);
  names.clear();
  names.reserve(static_cast<qsizetype>(found.size()));
  for (const auto& name : found) names.push_back(toQString(name));
  return ListResult::success();
}

std::u16string_view utf16Of(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

fs::path toFsPath(const QString& path) { return fs::path(text::utf8FromUtf16(utf16Of(path))); }

QString toQString(const fs::path& path) { return QString::fromStdU16String(text::utf16FromUtf8(path.native())); }

ListResult folderNamedBy(const QString& path, const fs::path& base, fs::path& folder) {
  const std::optional<std::string> bytes = text::fileNameBytes(utf16Of(path));
  if (!bytes)
    return ListResult::failure(
        QStringLiteral("The folder %1 cannot be opened: its name holds a NUL or a character that no name on disk "
                       "can hold.")
            .arg(path));
  folder = normalFolderPath(*bytes, base);
  return ListResult::success();
}

fs::path normalFolderPath(const fs::path& path, const fs::path& base) {
  fs::path normal = (path.is_absolute() ? path : base / path).lexically_normal();
  if (normal.has_relative_path() && !normal.has_filename()) normal = normal.parent_path();
  return normal;
}

ListResult readSubfolders(const fs::path& folder, QStringList& names) {
  return readEntries(folder, EntryKind::Folder, names);
}

ListResult readFiles(const fs::path& folder, QStringList& names) { return readEntries(folder, EntryKind::File, names); }

}  // namespace platform::ui

#pragma once
#include <QString>
#include <QStringList>
#include <filesystem>

#include <platform/ui/ListResult.h>

namespace platform::ui {

// Names on disk are bytes, nearly always UTF-8; the widgets speak QString. A byte
// that is not part of valid UTF-8 travels as a lone surrogate U+DC80..U+DCFF, as at
// the component's boundary, so every name a list shows opens the same folder or file
// again; Qt draws such a unit as U+FFFD. Qt's own file name codec cannot do this: it
// turns the byte into U+FFFD for good.
std::filesystem::path toFsPath(const QString& path);
QString toQString(const std::filesystem::path& path);

// The folder that a path typed or handed to a list names: relative paths are taken
// from base, and the result is normal as normalFolderPath makes it. Refused with a
// readable reason when the text has no bytes on disk (a NUL would cut the name short
// and open another folder; a lone surrogate that is not a carried byte has none).
ListResult folderNamedBy(const QString& path, const std::filesystem::path& base, std::filesystem::path& folder);

// An absolute, lexically normal form without a trailing separator (except the root);
// a relative path is taken relative to base.
std::filesystem::path normalFolderPath(const std::filesystem::path& path, const std::filesystem::path& base);

// The visible (not dot-named) subfolders or files of a folder, sorted without regard
// to case. Refused with a readable reason when the folder is gone or cannot be read;
// names is left untouched then.
ListResult readSubfolders(const std::filesystem::path& folder, QStringList& names);
ListResult readFiles(const std::filesystem::path& folder, QStringList& names);

}  // namespace platform::ui

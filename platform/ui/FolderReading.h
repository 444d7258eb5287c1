#pragma once
#include <QString>
#include <QStringList>
#include <filesystem>

#include "ListResult.h"

namespace platform::ui {

// Names on disk are UTF-8; the widgets speak QString.
std::filesystem::path toFsPath(const QString& path);
QString toQString(const std::filesystem::path& path);

// An absolute, lexically normal form without a trailing separator (except the root);
// a relative path is taken relative to base.
std::filesystem::path normalFolderPath(const std::filesystem::path& path, const std::filesystem::path& base);

// The visible (not dot-named) subfolders or files of a folder, sorted without regard
// to case. Refused with a readable reason when the folder is gone or cannot be read;
// names is left untouched then.
ListResult readSubfolders(const std::filesystem::path& folder, QStringList& names);
ListResult readFiles(const std::filesystem::path& folder, QStringList& names);

}  // namespace platform::ui

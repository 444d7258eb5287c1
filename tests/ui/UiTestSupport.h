#pragma once
#include <unistd.h>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <ostream>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/FolderReading.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace uitest {

using platform::ui::toQString;

namespace fs = std::filesystem;

// The application object that the test program's main creates.
inline QApplication& application() { return *qApp; }

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempTree {
 public:
  TempTree() {
    std::string pattern = (fs::temp_directory_path() / "mervalis-ui-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
  }
  ~TempTree() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const fs::path& root() const { return root_; }
  fs::path folder(const std::string& relative) const {
    fs::create_directories(root_ / relative);
    return root_ / relative;
  }
  fs::path file(const std::string& relative) const {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "x";
    return root_ / relative;
  }
  QString q(const std::string& relative = {}) const {
    return platform::ui::toQString(relative.empty() ? root_ : root_ / relative);
  }

 private:
  fs::path root_;
};

// Enters a folder for the life of the guard; the lists start on the current directory.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const fs::path& folder) : saved_(fs::current_path()) { fs::current_path(folder); }
  ~CurrentDirectory() {
    std::error_code ec;
    fs::current_path(saved_, ec);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  fs::path saved_;
};

}  // namespace uitest

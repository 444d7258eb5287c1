#pragma once
#include <unistd.h>

#include <QApplication>
#include <QString>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/FolderReading.h"

namespace uitest {

namespace fs = std::filesystem;

// Widgets need one application object for the whole test program.
inline QApplication& application() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

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

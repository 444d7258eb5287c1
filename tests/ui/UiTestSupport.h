#pragma once
#include <QApplication>
#include <QString>
#include <QStringList>
#include <ostream>
#include <filesystem>
#include <fstream>
#include <string>

#include <tests/support/TemporaryFolder.h>

#include <platform/ui/FolderReading.h>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace tests::ui {

using platform::ui::toQString;

namespace fs = std::filesystem;

// The application object that the test program's main creates.
inline QApplication& application() { return *qApp; }

// A temporary folder with shorthands for making its folders and files and naming them in Qt.
class TempTree {
 public:
  const fs::path& root() const { return folder_.path(); }
  fs::path folder(const std::string& relative) const {
    fs::create_directories(root() / relative);
    return root() / relative;
  }
  fs::path file(const std::string& relative) const {
    fs::create_directories((root() / relative).parent_path());
    std::ofstream(root() / relative) << "x";
    return root() / relative;
  }
  QString q(const std::string& relative = {}) const {
    return platform::ui::toQString(relative.empty() ? root() : root() / relative);
  }

 private:
  support::TemporaryFolder folder_;
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

}  // namespace tests::ui

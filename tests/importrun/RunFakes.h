#pragma once
// In-memory stand-ins for the import run's seams, each able to fail on command.
#include <administrator/importrun/ImportRun.h>
#include <platform/filesystem/FileSystem.h>
#include <tests/support/RecordingRunView.h>
#include <platform/text/NameCase.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tests::importrun {

struct FakeTag {
  std::u16string title, album, artist;
};

class FakeTagReader : public administrator::importrun::TagReader {
 public:
  std::map<std::u16string, FakeTag> tags;  // files with a tag; others read empty
  std::set<std::u16string> unloadable;
  std::vector<std::u16string> loads;
  std::function<void(const std::u16string&)> onLoad;  // called before each load

  platform::status::Status load(const std::u16string& path) override {
    if (onLoad) onLoad(path);
    loads.push_back(path);
    if (unloadable.count(path)) return platform::status::Status::failure("load the tag", "not taken");
    auto it = tags.find(path);
    current_ = it == tags.end() ? FakeTag{} : it->second;
    return platform::status::Status::success();
  }
  platform::status::Status read(administrator::importrun::TagField field, std::u16string& value) override {
    value = field == administrator::importrun::TagField::Title   ? current_.title
            : field == administrator::importrun::TagField::Album ? current_.album
                                                                 : current_.artist;
    return platform::status::Status::success();
  }

 private:
  FakeTag current_{u"stale title", u"stale album", u"stale artist"};
};

// Folders and files by full path; a file's content is a string.
class FakeFiles : public platform::filesystem::FileSystem {
 public:
  std::set<std::string> folders;
  std::map<std::string, std::string> files;
  std::string failCreate, failMove, failMoveFrom;  // a path whose operation fails
  std::set<std::string> unreadable;
  std::map<std::string, platform::filesystem::EntryKind> otherEntries;  // links and the like, by path
  std::map<std::string, std::string> hardLinks;                         // another name of the file at the mapped path
  std::function<void(const std::string&)> onMove;                       // called with the source before each move

  void addFile(const std::string& path, std::string content = "x") { files[path] = std::move(content); }

  platform::filesystem::Listing listFiles(const std::string& folder) override { return list(folder, false); }
  platform::filesystem::Listing listSubfolders(const std::string& folder) override { return list(folder, true); }
  bool folderExists(const std::string& path) override { return folders.count(normal(path)) != 0; }
  bool fileExists(const std::string& path) override { return files.count(normal(path)) != 0; }
  // A file's identity is its path's place among every path ever looked at, or that
  // of the file it is a hard link of.
  platform::status::Result<platform::filesystem::FileIdentity> identify(const std::string& path) override {
    std::string name = normal(path);
    if (auto link = hardLinks.find(name); link != hardLinks.end()) name = link->second;
    if (!files.count(name) && !folders.count(name))
      return {platform::status::Status::failure("look at " + path, "no such file"), {}};
    const auto known = identities_.emplace(name, identities_.size() + 1).first;
    const auto otherNames =
        std::count_if(hardLinks.begin(), hardLinks.end(), [&](const auto& link) { return link.second == name; });
    return {platform::status::Status::success(), {1, known->second, 1 + static_cast<std::uint64_t>(otherNames)}};
  }
  platform::status::Status checkReadable(const std::string& path) override {
    if (unreadable.count(normal(path)))
      return platform::status::Status::failure("read \"" + path + "\"", "Permission denied");
    if (!files.count(normal(path)))
      return platform::status::Status::failure("read \"" + path + "\"", "No such file or directory");
    return platform::status::Status::success();
  }
  platform::status::Status createFolder(const std::string& path) override {
    if (path == failCreate) return platform::status::Status::failure("create " + path, "permission denied");
    if (!folders.insert(normal(path)).second) return platform::status::Status::failure("create " + path, "exists");
    return platform::status::Status::success();
  }
  platform::status::Status removeEmptyFolder(const std::string& path) override {
    const std::string folder = normal(path) + "/";
    for (const auto& [name, content] : files)
      if (name.rfind(folder, 0) == 0) return platform::status::Status::failure("remove " + path, "Directory not empty");
    for (const auto& name : folders)
      if (name.rfind(folder, 0) == 0) return platform::status::Status::failure("remove " + path, "Directory not empty");
    return folders.erase(normal(path)) ? platform::status::Status::success()
                                       : platform::status::Status::failure("remove " + path, "no such folder");
  }
  platform::status::Status moveFile(const std::string& source, const std::string& target) override {
    if (onMove) onMove(source);
    const std::string attempt = "move " + source + " to " + target;
    if (target == failMove || source == failMoveFrom)
      return platform::status::Status::failure(attempt, "input/output error");
    const std::string from = normal(source), to = normal(target);
    if (!files.count(from)) return platform::status::Status::failure(attempt, "no such file");
    if (files.count(to)) return platform::status::Status::failure(attempt, "file exists");
    if (!folders.count(to.substr(0, to.rfind('/'))))
      return platform::status::Status::failure(attempt, "no such folder");
    files[to] = files[from];
    files.erase(from);
    if (auto known = identities_.extract(from)) {
      known.key() = to;
      identities_.insert(std::move(known));
    }
    return platform::status::Status::success();
  }
  platform::status::Status removeIdenticalCopy(const std::string& copy, const std::string& original) override {
    const auto at = files.find(normal(copy)), from = files.find(normal(original));
    if (at == files.end() || from == files.end() || at == from || at->second != from->second)
      return platform::status::Status::failure("remove " + copy, "not a copy of " + original);
    files.erase(at);
    return platform::status::Status::success();
  }
  // Doubled separators name the same place, as on disk.
  static std::string normal(std::string path) {
    for (std::size_t at; (at = path.find("//")) != std::string::npos;) path.erase(at, 1);
    return path;
  }

 private:
  std::map<std::string, std::uint64_t> identities_;

  platform::filesystem::Listing list(const std::string& folder, bool wantFolders) {
    platform::filesystem::Listing result;
    const std::string prefix = normal(folder) + "/";
    if (!folders.count(normal(folder))) {
      result.status = platform::status::Status::failure("list " + folder, "no such folder");
      return result;
    }
    using platform::filesystem::EntryKind;
    auto add = [&](const std::string& path, platform::filesystem::EntryKind kind) {
      if (path.rfind(prefix, 0) == 0 && path.find('/', prefix.size()) == std::string::npos)
        result.entries.push_back({path.substr(prefix.size()), kind});
    };
    if (wantFolders) {
      for (const auto& f : folders) add(f, platform::filesystem::EntryKind::Folder);
      return result;
    }
    for (const auto& [path, content] : files) add(path, platform::filesystem::EntryKind::File);
    for (const auto& [path, kind] : otherEntries) add(path, kind);
    std::sort(result.entries.begin(), result.entries.end(),
              [](const auto& a, const auto& b) { return platform::text::inListOrder(a.name, b.name); });
    return result;
  }
};

struct Row {
  std::string track, artist, album, fileName;
  bool operator==(const Row&) const = default;
};

class FakeCatalogue : public administrator::catalogue::Catalogue {
 public:
  std::vector<Row> rows;
  bool failOpen = false, failInsert = false, failCommit = false;
  // From this begin on (counted from 1), another program is writing: that call
  // of the named kind fails busy. 0: never.
  int busyFromBegin = 0;
  std::string busyAt = "begin";
  int opens = 0, closes = 0, begins = 0;
  std::vector<std::string> modesPutBack;

  platform::status::Status open(const std::string& path) override {
    ++opens;
    return failOpen ? platform::status::Status::failure("open the catalogue \"" + path + "\"", "file is not a database")
                    : platform::status::Status::success();
  }
  platform::status::Status begin() override {
    pending_.clear();
    pendingRowids_.clear();
    return busyNow("begin") ? busy("begin a change") : platform::status::Status::success();
  }
  platform::status::Status insert(const std::string& t, const std::string& ar, const std::string& al,
                                  const std::string& f) override {
    if (failInsert) return platform::status::Status::failure("insert the row", "disk I/O error");
    if (busyNow("insert")) return busy("insert the row");
    pending_.push_back({t, ar, al, f});
    pendingRowids_.push_back(++lastRowid_);
    return platform::status::Status::success();
  }
  std::int64_t insertedRowid() const override { return lastRowid_; }
  platform::status::Status holdsRow(const administrator::catalogue::CatalogueRow& row, bool& holds) override {
    holds = rowAt(row) != rows.size();
    return platform::status::Status::success();
  }
  platform::status::Status deleteRow(const administrator::catalogue::CatalogueRow& row, bool& deleted) override {
    const std::size_t at = rowAt(row);
    deleted = at != rows.size();
    if (deleted) {
      rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
      rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return platform::status::Status::success();
  }
  platform::status::Status restoreRow(const administrator::catalogue::CatalogueRow& row) override {
    rows.push_back({row.track, row.artist, row.album, row.fileName});
    rowids_.push_back(row.rowid);
    return platform::status::Status::success();
  }
  platform::status::Status commit() override {
    if (failCommit) return platform::status::Status::failure("commit", "database is locked");
    if (busyNow("commit")) return busy("commit");
    rows.insert(rows.end(), pending_.begin(), pending_.end());
    rowids_.insert(rowids_.end(), pendingRowids_.begin(), pendingRowids_.end());
    pending_.clear();
    pendingRowids_.clear();
    return platform::status::Status::success();
  }
  platform::status::Status rollback() override {
    pending_.clear();
    pendingRowids_.clear();
    return platform::status::Status::success();
  }
  std::string journalModeFound() const override { return "delete"; }
  platform::status::Status putBackJournalMode(const std::string& mode) override {
    modesPutBack.push_back(mode);
    return platform::status::Status::success();
  }
  void close() override { ++closes; }

 private:
  bool busyNow(const std::string& call) {
    if (call == "begin") ++begins;
    return call == busyAt && busyFromBegin != 0 && begins >= busyFromBegin;
  }
  static platform::status::Status busy(const std::string& attempt) {
    return platform::status::Status::busyFailure(attempt, "it is locked by another program");
  }

  std::size_t rowAt(const administrator::catalogue::CatalogueRow& row) const {
    for (std::size_t at = 0; at < rows.size(); ++at)
      if (rowids_[at] == row.rowid && rows[at] == Row{row.track, row.artist, row.album, row.fileName}) return at;
    return rows.size();
  }

  std::vector<Row> pending_;
  std::vector<std::int64_t> rowids_, pendingRowids_;
  std::int64_t lastRowid_ = 0;
};

// A run wired to the fakes above; the log starts as the window's does, so a test
// sees the run clear it.
struct FakeRun {
  FakeTagReader tags;
  FakeFiles files;
  FakeCatalogue catalogue;
  support::RecordingRunView view{u"Log Report"};

  administrator::importrun::RunResult run(const administrator::importrun::RunInputs& inputs) {
    return administrator::importrun::ImportRun(tags, files, catalogue, view).run(inputs);
  }
};

}  // namespace tests::importrun

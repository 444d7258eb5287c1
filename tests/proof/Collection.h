#pragma once
// A music collection on disk for one proof run, and the check of the promise:
// no file lost, truncated or overwritten, and no row naming a file that is not
// at its path with the bytes it was filed with.
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <administrator/importrun/SafeName.h>
#include <tests/support/RawDatabase.h>
#include <tests/support/TemporaryFolder.h>

#include <tests/proof/Id3TailReader.h>

namespace tests::proof {

struct Tag {
  std::string title, artist, album;  // bytes as they stand in the tag
};

struct SourceFile {
  std::string path, content, target;  // target empty for a file without a complete tag
  Tag tag;
};

inline std::string tagTail(const Tag& tag) {
  std::string tail = "TAG" + std::string(125, '\0');
  tail.replace(3, std::min<std::size_t>(tag.title.size(), 30), tag.title.substr(0, 30));
  tail.replace(33, std::min<std::size_t>(tag.artist.size(), 30), tag.artist.substr(0, 30));
  tail.replace(63, std::min<std::size_t>(tag.album.size(), 30), tag.album.substr(0, 30));
  return tail;
}

// What the run makes of a field, through the same reading as the test reader.
inline std::u16string fieldText(const std::string& bytes) { return Id3TailReader::field(bytes); }

inline std::string utf8Field(const std::string& bytes) { return platform::text::utf8FromUtf16(fieldText(bytes)); }

struct Verdict {
  std::vector<std::string> problems;
  int atSource = 0, atTarget = 0, rows = 0, withoutRow = 0, partialCopies = 0;
};

class Collection {
 public:
  explicit Collection(unsigned seed = 1) : folder_(scratchParent()), random_(seed) {
    std::filesystem::create_directories(source());
    std::filesystem::create_directories(destination());
    std::filesystem::copy_file(EMPTY_CATALOGUE, catalogue());
  }

  std::string root() const { return folder_.path(); }
  std::string source() const { return folder_ / "source"; }
  // Where the runs over the collection keep their records.
  std::string runRecords() const { return folder_ / "runs"; }
  std::string destination() const { return destination_.empty() ? (folder_ / "music").string() : destination_; }
  std::string catalogue() const { return folder_ / "Catalogue.mdb"; }
  const std::vector<SourceFile>& files() const { return files_; }

  // A file below the source folder with a random body of `size` bytes and, when
  // `tag` has a title, an ID3v1 tail.
  void add(const std::string& relative, const Tag& tag, std::size_t size = 600, bool tagged = true) {
    addBytes(relative, randomBytes(size) + (tagged ? tagTail(tag) : std::string()), tagged ? tag : Tag{});
  }
  // A file of exactly these bytes; `tag` is what its tail holds, if anything.
  void addBytes(const std::string& relative, std::string bytes, const Tag& tag) {
    SourceFile file{source() + "/" + relative, std::move(bytes), "", tag};
    std::filesystem::create_directories(std::filesystem::path(file.path).parent_path());
    support::writeFile(file.path, file.content);
    if (!fieldText(tag.title).empty() && !fieldText(tag.album).empty() && !fieldText(tag.artist).empty() &&
        relative.find('/') == relative.rfind('/'))
      file.target = targetOf(tag);
    files_.push_back(std::move(file));
  }
  // Another program saves a new version over a source file (written beside it,
  // renamed over it); that version is the one that must not be lost.
  void saveOver(const std::string& path, std::string bytes) {
    for (auto& file : files_)
      if (file.path == path) {
        support::writeFile(path + ".saving", bytes);
        std::filesystem::rename(path + ".saving", path);
        file.content = std::move(bytes);
      }
  }
  // A destination root elsewhere than the collection's own.
  void setDestination(std::string folder) { destination_ = std::move(folder); }
  void addUntagged(const std::string& relative, std::size_t size = 500) { add(relative, {}, size, false); }

  // A file that is there before the run and must stay as it is.
  void addExisting(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    support::writeFile(path, content);
    existing_[path] = content;
  }

  std::string targetOf(const Tag& tag) const {
    return destination() + "/" + administrator::importrun::safeNameComponent(fieldText(tag.artist)) + "/" +
           administrator::importrun::safeNameComponent(fieldText(tag.album)) + "/" +
           administrator::importrun::safeNameComponent(fieldText(tag.title)) + ".mp3";
  }

  // The dozen files of a small import: tagged, untagged, duplicates, a non-MP3,
  // hostile fields, a file bigger than one copy chunk, a subfolder, a folder two
  // levels below, and a target that an earlier run has taken.
  void addSmallImport() {
    add("a.mp3", {"Song A", "Artist 1", "Album 1"});
    addUntagged("b.mp3");
    add("c.mp3", {"Song C", "Artist 1", "Album 1"});
    add("d.mp3", {"Song A", "Artist 1", "Album 1"});
    add("e.txt", {"Other", "Artist 2", "Album 2"});
    add("f.mp3", {"Say \"Hi\"/Bye", "..", ".hidden"});
    addUntagged("g.mp3", 10);
    add("h.mp3", {"Long One", "Artist 2", "Album 2"}, (3u << 20) / 2);
    add("m.mp3", {"Song M", "Artist 3", "Album 3"});
    add("sub/i.mp3", {"Song I", "Artist 2", "Album 2"});
    addUntagged("sub/j.mp3");
    add("sub/k.mp3", {"Song I", "Artist 2", "Album 2"});
    add("sub/deeper/l.mp3", {"Deep", "Artist 1", "Album 1"});
    addExisting(destination() + "/Artist 3/Album 3/Song M.mp3", "filed by an earlier run");
  }

  // At most `unrecordedAllowed` filed files may lack their row (a run killed
  // between its move and its commit); everything else must hold. A run killed
  // amid a copy between volumes leaves its hidden partial copy behind.
  Verdict check(int unrecordedAllowed = 0, bool catalogueExpected = true, bool partialCopiesAllowed = false) const {
    Verdict verdict;
    std::map<std::string, const SourceFile*> filedAt;
    for (const auto& file : files_) {
      if (support::readFile(file.path) == file.content && std::filesystem::exists(file.path)) {
        ++verdict.atSource;
      } else if (!file.target.empty() && support::readFile(file.target) == file.content &&
                 !existing_.count(file.target)) {
        ++verdict.atTarget;
        filedAt[file.target] = &file;
      } else {
        verdict.problems.push_back("lost or changed: " + file.path);
      }
    }
    for (const auto& [path, content] : existing_)
      if (support::readFile(path) != content) verdict.problems.push_back("overwritten: " + path);
    countPartialCopies(verdict);
    if (verdict.partialCopies > 0 && !partialCopiesAllowed)
      verdict.problems.push_back(std::to_string(verdict.partialCopies) + " partial copies left");
    if (catalogueExpected) checkRows(filedAt, verdict);
    if (verdict.withoutRow > unrecordedAllowed)
      verdict.problems.push_back(std::to_string(verdict.withoutRow) + " filed files without their row");
    return verdict;
  }

 private:
  // Memory-backed where the machine has it: the proofs are about order, not the
  // disk, and thousands of runs must not wait for flushes.
  static std::string scratchParent() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }

  std::string randomBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t at = 0; at < size; at += sizeof(std::uint32_t)) {
      const std::uint32_t word = random_();
      std::memcpy(bytes.data() + at, &word, std::min(sizeof word, size - at));
    }
    return bytes;
  }

  void countPartialCopies(Verdict& verdict) const {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(destination()))
      if (entry.path().filename().string().rfind(".mervalis-move-", 0) == 0) ++verdict.partialCopies;
  }

  void checkRows(const std::map<std::string, const SourceFile*>& filedAt, Verdict& verdict) const {
    if (!std::filesystem::is_regular_file(catalogue())) {
      verdict.problems.push_back("the catalogue is gone");
      return;
    }
    support::RawDatabase db(catalogue());
    std::vector<std::vector<std::string>> rows;
    try {
      if (db.rows("pragma integrity_check") != std::vector<std::vector<std::string>>{{"ok"}})
        verdict.problems.push_back("the catalogue fails its integrity check");
      rows = db.rows("select Track, Artist, Album, FileName from MP3Info");
    } catch (const std::exception& error) {
      verdict.problems.push_back(std::string("the catalogue does not open: ") + error.what());
      return;
    }
    verdict.rows = static_cast<int>(rows.size());
    std::set<std::string> named;
    for (const auto& row : rows) {
      const auto filed = filedAt.find(row[3]);
      if (filed == filedAt.end() || !named.insert(row[3]).second) {
        verdict.problems.push_back("row names no file filed there: " + row[3]);
        continue;
      }
      const Tag& tag = filed->second->tag;
      if (row[0] != utf8Field(tag.title) || row[1] != utf8Field(tag.artist) || row[2] != utf8Field(tag.album))
        verdict.problems.push_back("row holds other fields than its file: " + row[3]);
    }
    verdict.withoutRow = static_cast<int>(filedAt.size() - named.size());
  }

  support::TemporaryFolder folder_;
  std::mt19937 random_;
  std::string destination_;
  std::vector<SourceFile> files_;
  std::map<std::string, std::string> existing_;
};

}  // namespace tests::proof

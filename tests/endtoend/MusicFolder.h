#pragma once
// What an end-to-end run needs from outside the program: MP3 files with a given
// ID3v1 tag, an empty catalogue made from the kept schema, its rows read back with
// SQLite's own API, and Lyrebox.ocx registered and created by its ProgID.
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/InprocServer.h>
#include <dlfcn.h>
#include <sqlite3.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <administrator/assembly/RunAssembly.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tests::endtoend {

struct Tag {
  std::string title, artist, album;
};

// The 128-byte record at a file's end: "TAG", title, artist, album (30 bytes each,
// NUL padded), year, comment, genre. ASCII fields are their own Windows-1252 bytes.
inline std::string id3v1Record(const Tag& tag) {
  std::string record = "TAG";
  for (const std::string* field : {&tag.title, &tag.artist, &tag.album}) {
    std::string padded = field->substr(0, 30);
    padded.resize(30, '\0');
    record += padded;
  }
  record += "2001";
  record.append(30, '\0');
  record += '\x0c';
  return record;
}

// Some audio-like bytes, then the tag when there is one.
inline void writeMusicFile(const std::string& path, const Tag* tag, std::size_t audioBytes = 512) {
  std::ofstream out(path, std::ios::binary);
  out << std::string(audioBytes, '\x55');
  if (tag) out << id3v1Record(*tag);
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

inline std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class SqliteHandle {
 public:
  explicit SqliteHandle(const std::string& path, int flags = SQLITE_OPEN_READWRITE) {
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(db_));
  }
  SqliteHandle(const SqliteHandle&) = delete;
  SqliteHandle& operator=(const SqliteHandle&) = delete;
  ~SqliteHandle() { sqlite3_close(db_); }
  sqlite3* get() const { return db_; }
  void execute(const std::string& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : "unknown error";
      sqlite3_free(error);
      throw std::runtime_error(sql + ": " + message);
    }
  }

 private:
  sqlite3* db_ = nullptr;
};

inline void createCatalogue(const std::string& path) {
  SqliteHandle(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE).execute(readWholeFile(CATALOGUE_SCHEMA_PATH));
}

struct CatalogueRow {
  std::string track, artist, album, fileName;
  bool operator==(const CatalogueRow&) const = default;
};

inline std::vector<CatalogueRow> catalogueRows(const std::string& path) {
  SqliteHandle db(path, SQLITE_OPEN_READONLY);
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db.get(), "select Track, Artist, Album, FileName from MP3Info order by rowid", -1, &raw,
                         nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(db.get()));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
  std::vector<CatalogueRow> rows;
  const auto text = [&](int column) {
    const auto* value = sqlite3_column_text(raw, column);
    return value ? std::string(reinterpret_cast<const char*>(value)) : std::string();
  };
  while (sqlite3_step(raw) == SQLITE_ROW) rows.push_back({text(0), text(1), text(2), text(3)});
  return rows;
}

// Registers the built component in the registry AUTOMATION_REGISTRY names, as
// regsvr does; the library stays loaded, as it does in any host.
inline bool registerLyrebox(std::string& why) {
  void* library = ::dlopen(LYREBOX_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    why = ::dlerror();
    return false;
  }
  auto registerServer =
      reinterpret_cast<platform::automation::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
  if (!registerServer || platform::automation::failed(registerServer())) {
    why = "DllRegisterServer failed";
    return false;
  }
  return true;
}

inline platform::automation::ComPtr<platform::automation::IDispatch> createLyrebox(std::string& why) {
  return administrator::assembly::RunAssembly::createTagComponent(&why);
}

}  // namespace tests::endtoend

#pragma once

#include <administrator/catalogue/Catalogue.h>
#include <platform/database/Database.h>

#include <memory>

namespace administrator::catalogue {

// The catalogue as a SQLite database file with the table MP3Info.
class SqliteCatalogue : public Catalogue {
 public:
  static constexpr const char* insertStatement = "insert into [MP3Info] (Track,Artist,Album,FileName) Values (?,?,?,?)";

  explicit SqliteCatalogue(platform::database::Engine& engine, platform::database::OpenOptions options = {})
      : engine_(engine), options_(options) {}
  ~SqliteCatalogue() override { close(); }

  // Whether open() would take the file, found without changing it: it must be a
  // database that can be written and that has the table with its four columns.
  static platform::status::Status check(platform::database::Engine& engine, const std::string& path);

  platform::status::Status open(const std::string& path) override;
  platform::status::Status begin() override;
  platform::status::Status insert(const std::string& track, const std::string& artist, const std::string& album,
                                  const std::string& fileName) override;
  std::int64_t insertedRowid() const override { return insert_ ? insert_->lastInsertedRowid() : 0; }
  platform::status::Status commit() override;
  platform::status::Status rollback() override;
  std::string journalModeFound() const override { return journalModeFound_; }
  platform::status::Status putBackJournalMode(const std::string& mode) override;
  platform::status::Status holdsRow(const CatalogueRow& row, bool& holds) override;
  platform::status::Status deleteRow(const CatalogueRow& row, bool& deleted) override;
  platform::status::Status restoreRow(const CatalogueRow& row) override;
  void close() override;

  // "wal" or the rollback journal's mode of the open catalogue.
  std::string journalMode();

 private:
  platform::status::Status notOpen(const std::string& attempt) const;
  platform::status::Status runOnRow(platform::database::Statement* statement, const CatalogueRow& row,
                                    const std::string& attempt, bool& found);

  platform::database::Engine& engine_;
  platform::database::OpenOptions options_;
  std::unique_ptr<platform::database::Connection> connection_;
  // Released before connection_.
  std::unique_ptr<platform::database::Statement> insert_, holdsRow_, deleteRow_, restoreRow_;
  std::string journalModeFound_;
};

}  // namespace administrator::catalogue

#include <administrator/catalogue/CatalogueCreation.h>
#include <administrator/catalogue/SqliteCatalogue.h>
#include <tests/support/RawDatabase.h>
#include <platform/database/SqliteEngine.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace {

using administrator::catalogue::createCatalogue;
using administrator::catalogue::SqliteCatalogue;
using platform::database::SqliteEngine;
using platform::status::Status;
using testing::HasSubstr;
using namespace tests::support;
using Rows = std::vector<std::vector<std::string>>;
namespace fs = std::filesystem;

// Every table and index of a database, and the columns of its MP3Info table.
Rows schemaOf(const std::string& path) {
  Rows schema = RawDatabase(path).rows("select type, name from sqlite_master order by name");
  for (auto& column : RawDatabase(path).rows("select name, type, \"notnull\", dflt_value, pk from "
                                             "pragma_table_info('MP3Info') order by cid"))
    schema.push_back(column);
  return schema;
}

TEST(CatalogueCreation, MakesExactlyTheTableOfTheBuildsCatalogueAndNothingBesideIt) {
  TemporaryFolder folder;
  SqliteEngine engine;
  const std::string made = folder / "new.mdb";
  ASSERT_TRUE(createCatalogue(engine, made)) << createCatalogue(engine, made).reason();
  const std::string reference = folder / "reference.db";
  RawDatabase(reference).execute(readFile(CATALOGUE_TABLE_SQL));
  EXPECT_EQ(schemaOf(made), schemaOf(reference));
  EXPECT_TRUE(RawDatabase(made).rows("select * from MP3Info").empty());
  fs::remove(reference);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"new.mdb"}) << "no side file is left";

  SqliteCatalogue catalogue(engine);
  EXPECT_TRUE(catalogue.open(made)) << "a run takes it";
}

TEST(CatalogueCreation, NeverReplacesWhatIsAlreadyThere) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> make;
  };
  const Case cases[] = {
      {"a catalogue with rows",
       [](const std::string& path) {
         RawDatabase(path).execute(
             "create table MP3Info (Track text, Artist text, Album text, FileName text);"
             "insert into MP3Info values ('T', 'A', 'B', '/m/A/B/T.mp3')");
       }},
      {"a file that is no database", [](const std::string& path) { writeFile(path, "a person's notes"); }},
      {"an empty file", [](const std::string& path) { writeFile(path, ""); }},
      {"a link to a file that is not there yet",
       [](const std::string& path) { ASSERT_EQ(::symlink((path + ".target").c_str(), path.c_str()), 0); }},
      {"a folder", [](const std::string& path) { fs::create_directory(path); }},
  };
  for (const auto& c : cases) {
    TemporaryFolder folder;
    SqliteEngine engine;
    const std::string path = folder / "taken.mdb";
    c.make(path);
    const std::string before = fs::is_regular_file(path) ? readFile(path) : std::string();
    const Status created = createCatalogue(engine, path);
    EXPECT_FALSE(created) << c.name;
    EXPECT_THAT(created.reason(), HasSubstr("never replaced")) << c.name;
    if (fs::is_regular_file(path)) {
      EXPECT_EQ(readFile(path), before) << c.name;
    }
    EXPECT_FALSE(fs::exists(path + ".target")) << c.name << ": nothing is written through a link";
  }
}

TEST(CatalogueCreation, LeavesNothingWhenItCannotBeMade) {
  TemporaryFolder folder;
  SqliteEngine engine;
  const std::string inMissingFolder = folder / "missing/new.mdb";
  const Status created = createCatalogue(engine, inMissingFolder);
  EXPECT_EQ(created.reason(), "Cannot create the catalogue \"" + inMissingFolder + "\": No such file or directory");
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

}  // namespace

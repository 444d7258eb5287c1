#include <QTest>
#include <gtest/gtest.h>
#include <tests/support/TemporaryFolder.h>
#include <platform/ui/DriveTable.h>

#include <filesystem>

#include <administrator/window/DatabasePage.h>
#include <administrator/catalogue/CatalogueCreation.h>
#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>

namespace {

namespace fs = std::filesystem;
using administrator::window::DatabasePage;

using namespace tests::support;

// The Database page on its own, "New..." answered by the test instead of a person.
class NewCatalogueButton : public testing::Test {
 protected:
  void SetUp() override {
    DatabasePage::NewCatalogue newCatalogue{
        [this](QWidget*, const QString& folder) {
          askedIn = folder;
          return answer;
        },
        [this](QWidget*, const QString& text) { told.push_back(text.toStdString()); },
        [](const std::string& path) {
          platform::database::SqliteEngine engine;
          return administrator::catalogue::createCatalogue(engine, path);
        }};
    page.setNewCatalogue(newCatalogue);
    ASSERT_TRUE(page.controls().Dir1->setPath(QString::fromStdString(folder.path().string())));
  }
  void clickNew(const fs::path& name) {
    answer = QString::fromStdString(name.string());
    QTest::mouseClick(page.controls().cmdNew1, Qt::LeftButton);
  }

  TemporaryFolder folder;
  QWidget tabControl;
  DatabasePage page{tabControl, std::make_shared<platform::ui::DriveTable>()};
  QString answer, askedIn;
  std::vector<std::string> told;
};

TEST_F(NewCatalogueButton, MakesACatalogueARunTakesAndSelectsIt) {
  const fs::path made = folder.path() / "sub" / "Music.mdb";
  fs::create_directory(made.parent_path());
  clickNew(made);
  EXPECT_EQ(askedIn.toStdString(), folder.path().string()) << "the dialog opens in the listed folder";
  EXPECT_TRUE(told.empty()) << told.front();
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue catalogue(engine);
  EXPECT_TRUE(catalogue.open(made.string()));
  EXPECT_EQ(page.controls().Dir1->path().toStdString(), made.parent_path().string());
  EXPECT_EQ(page.controls().File1->path().toStdString(), made.parent_path().string());
  EXPECT_EQ(page.controls().File1->fileName().toStdString(), "Music.mdb");
}

TEST_F(NewCatalogueButton, RefusesAFileAlreadyThereWithAMessageAndKeepsIt) {
  const fs::path taken = folder.path() / "Kept.mdb";
  std::ofstream(taken) << "someone's file";
  clickNew(taken);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("never replaced"), std::string::npos) << told[0];
  EXPECT_EQ(readFile(taken), "someone's file");
}

TEST_F(NewCatalogueButton, GivingUpMakesNothing) {
  clickNew("");
  EXPECT_TRUE(told.empty());
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

}  // namespace

// The "Preview" button of the "MP3's" page and the dialog it opens, shown from a
// plan the test gives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <string>
#include <vector>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/window/WindowTestSupport.h>

using namespace administrator::importrun;
using namespace administrator::window;
using namespace platform::status;

namespace {

using tests::support::ModalAnswerer;

PlannedFile filed(const std::string& folder, const std::string& name, const std::string& target) {
  PlannedFile file;
  file.name = name;
  file.sourcePath = folder + "/" + name;
  file.target = target;
  return file;
}

PlannedFile left(const std::string& folder, const std::string& name, Leave why) {
  PlannedFile file;
  file.name = name;
  file.sourcePath = folder + "/" + name;
  file.leave = std::move(why);
  return file;
}

// A plan as the planner gives it, in visiting order: the source's own files, then
// those one level below, then a folder that could not be listed.
RunPlan examplePlan(const std::string& music, const std::string& filedRoot) {
  const std::string songB = filedRoot + "/The Band/First Record/Song B.mp3";
  RunPlan plan;
  plan.files = {
      filed(music, "b.mp3", songB),
      left(music, "<b>Intro &amp; Outro.mp3", {LeaveReason::NoTitle, {}, {}}),
      left(music + "/live", "a.mp3", {LeaveReason::TargetTaken, songB, music + "/b.mp3"}),
      filed(music + "/live", "c.mp3", filedRoot + "/Others/Live/Song C.mp3"),
  };
  PlannedFile locked = left(music, "locked", {LeaveReason::NotFiled, "Cannot list the folder: denied", {}});
  locked.folderNotListed = true;
  plan.files.push_back(locked);
  plan.filed = 2;
  plan.left = 3;
  return plan;
}

struct Row {
  std::string order, name, folder, outcome;
  bool operator==(const Row&) const = default;
};
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.order << " | " << row.name << " | " << row.folder << " | " << row.outcome;
}

std::vector<Row> rowsOf(const QTableWidget& table) {
  std::vector<Row> rows;
  for (int r = 0; r < table.rowCount(); ++r) {
    auto text = [&](int column) { return table.item(r, column)->text().toStdString(); };
    rows.push_back({text(0), text(1), text(2), text(3)});
  }
  return rows;
}

std::vector<Row> visitingOrder(const std::string& music, const std::string& filedRoot) {
  return {
      {"1", "b.mp3", "", "Filed to \"The Band/First Record/Song B.mp3\""},
      {"2", "<b>Intro &amp; Outro.mp3", "", "No Title"},
      {"3", "a.mp3", "live",
       "Not moved: \"" + filedRoot + "/The Band/First Record/Song B.mp3\" is taken by \"" + music + "/b.mp3\""},
      {"4", "c.mp3", "live", "Filed to \"Others/Live/Song C.mp3\""},
      {"5", "locked", "", "Cannot list the folder: denied"},
  };
}

class Preview : public ::testing::Test, protected tests::window::CountingWindow {
 protected:
  void SetUp() override {
    window->show();
    ASSERT_TRUE(QDir(folderPath).mkpath(QStringLiteral("db<b>")));
    catalogueFolder = folderPath + QStringLiteral("/db<b>");
    std::ofstream((catalogueFolder + QStringLiteral("/Catalogue.mdb")).toStdString()) << "x";
    ASSERT_TRUE(window->Dir1->setPath(catalogueFolder));
    for (const char* made : {"music", "filed"}) ASSERT_TRUE(QDir(folderPath).mkpath(QString::fromLatin1(made)));
    ASSERT_TRUE(window->Dir2->setPath(folderPath + QStringLiteral("/music")));
    ASSERT_TRUE(window->Dir3->setPath(folderPath + QStringLiteral("/filed")));
    window->SSTab1->setCurrentIndex(1);
    music = folder.path().string() + "/music";
    filedRoot = folder.path().string() + "/filed";
    expectedRows = visitingOrder(music, filedRoot);
  }
  // Clicks "Preview" and hands the dialog to `look`, then closes it by its button.
  void preview(const std::function<void(QDialog&)>& look) {
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      look(*dialog);
      auto* close = dialog->findChild<QPushButton*>(QStringLiteral("cmdClose"));
      ASSERT_NE(close, nullptr);
      QTest::mouseClick(close, Qt::LeftButton);
    });
    ASSERT_NE(window->cmdPreview, nullptr);
    QTest::mouseClick(window->cmdPreview, Qt::LeftButton);
    ASSERT_EQ(answerer.answered, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  template <typename Control>
  static Control& part(QDialog& dialog, const char* name) {
    auto* control = dialog.findChild<Control*>(QString::fromLatin1(name));
    if (!control) throw std::runtime_error(std::string("the dialog has no ") + name);
    return *control;
  }

  tests::support::TemporaryFolder folder;
  const QString folderPath = QString::fromStdString(folder.path().string());
  QString catalogueFolder;
  std::string music, filedRoot;
  std::vector<Row> expectedRows;
};

// The button line's slots on this page are taken ("< Previous", "Next >", and the
// destination drive where other pages have their first button), so it stands
// above "< Previous", as wide and as high, at every font the layout grows with.
TEST_F(Preview, TheButtonStandsAbovePreviousAndLikeIt) {
  auto* button = control<QPushButton>("cmdPreview");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("Preview"));
  for (const int points : {0, 12}) {
    SCOPED_TRACE(points);
    if (points) {
      QFont font = window->font();
      font.setPointSize(points);
      window->setFont(font);
    }
    const QRect previous = window->cmdPrev2->geometry(), next = window->cmdNext2->geometry();
    EXPECT_EQ(button->x(), previous.x());
    EXPECT_EQ(button->width(), previous.width());
    // Edges are rounded, not sizes: a pixel either way is the same size in twips.
    EXPECT_NEAR(button->height(), previous.height(), 1);
    // Above it by about the gap between it and "Next >": 105 twips either way.
    const int gapAcross = next.left() - previous.right(), gapAbove = previous.top() - button->geometry().bottom();
    EXPECT_GT(gapAbove, 0);
    EXPECT_NEAR(gapAbove, gapAcross, 2);
  }
  for (int page = 0; page < 3; ++page) {
    window->SSTab1->setCurrentIndex(page);
    EXPECT_EQ(button->isVisible(), page == 1) << page;
  }
}

TEST_F(Preview, ShowsEveryPlannedThingWithWhatWillHappenAndTheCounts) {
  RunPreview given{examplePlan(music, filedRoot), Status::success()};
  given.catalogue = Status::failure("open the catalogue \"/db<b>/Catalogue.mdb\"", "file is not a database");
  nextPreview = given;
  window->File1->setCurrentRow(0);
  preview([&](QDialog& dialog) {
    EXPECT_EQ(dialog.accessibleName(), QStringLiteral("Preview of the run"));
    EXPECT_EQ(rowsOf(part<QTableWidget>(dialog, "grdPlan")), expectedRows);
    auto& counts = part<QLabel>(dialog, "lblCounts");
    EXPECT_EQ(counts.text(), QStringLiteral("2 files will be filed, 3 left where they are"));
    auto& notice = part<QLabel>(dialog, "lblNotice");
    EXPECT_FALSE(notice.isHidden());
    EXPECT_EQ(notice.text(), QStringLiteral("Cannot open the catalogue \"/db<b>/Catalogue.mdb\": file is not a "
                                            "database. A run would stop before its first file."));
    for (const QLabel* label : {&counts, &notice}) EXPECT_EQ(label->textFormat(), Qt::PlainText);

    QApplication::clipboard()->clear();
    QTest::mouseClick(&part<QPushButton>(dialog, "cmdCopy"), Qt::LeftButton);
    // The run's summary, as it would end, under the notice and the count line.
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Cannot open the catalogue \"/db<b>/Catalogue.mdb\": file is not a database. A run would "
                             "stop before its first file.\r\n"
                             "2 files will be filed, 3 left where they are\r\n"
                             "%1/<b>Intro &amp; Outro.mp3 - No Title\r\n"
                             "%1/live/a.mp3 - Not moved: \"%2/The Band/First Record/Song B.mp3\" is taken by "
                             "\"%1/b.mp3\"\r\n"
                             "%1/locked - Cannot list the folder: denied")
                  .arg(QString::fromStdString(music), QString::fromStdString(filedRoot)));
  });
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(previews[0].cataloguePath, (catalogueFolder + QStringLiteral("/Catalogue.mdb")).toStdString());
  EXPECT_EQ(previews[0].sourceFolder, music);
  EXPECT_EQ(previews[0].destinationRoot, filedRoot);
  EXPECT_EQ(runs, 0);
}

// Without a chosen catalogue there is nothing to check, and nothing said of it.
TEST_F(Preview, WithoutAChosenCatalogueThePreviewAsksForNone) {
  nextPreview = {examplePlan(music, filedRoot), Status::success()};
  preview([&](QDialog& dialog) {
    EXPECT_TRUE(part<QLabel>(dialog, "lblNotice").isHidden());
    EXPECT_EQ(rowsOf(part<QTableWidget>(dialog, "grdPlan")).size(), expectedRows.size());
  });
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(previews[0].cataloguePath, "");
}

TEST_F(Preview, ColumnsSortByTheirHeadersAndTheFirstGivesTheVisitingOrderBack) {
  nextPreview = {examplePlan(music, filedRoot), Status::success()};
  preview([&](QDialog& dialog) {
    auto& table = part<QTableWidget>(dialog, "grdPlan");
    QHeaderView& header = *table.horizontalHeader();
    auto clickColumn = [&](int column) {
      QTest::mouseClick(
          header.viewport(), Qt::LeftButton, {},
          QPoint(header.sectionViewportPosition(column) + header.sectionSize(column) / 2, header.height() / 2));
    };
    auto column = [&](int c) {
      std::vector<std::string> values;
      for (const Row& row : rowsOf(table)) values.push_back(c == 1 ? row.name : row.outcome);
      return values;
    };
    clickColumn(1);
    const bool ascending = header.sortIndicatorOrder() == Qt::AscendingOrder;
    std::vector<std::string> names = {"<b>Intro &amp; Outro.mp3", "a.mp3", "b.mp3", "c.mp3", "locked"};
    if (!ascending) std::reverse(names.begin(), names.end());
    EXPECT_EQ(column(1), names);
    clickColumn(3);
    std::vector<std::string> outcomes = column(3);
    EXPECT_TRUE(std::is_sorted(outcomes.begin(), outcomes.end()) || std::is_sorted(outcomes.rbegin(), outcomes.rend()));
    EXPECT_EQ(outcomes.size(), expectedRows.size());
    clickColumn(0);
    if (header.sortIndicatorOrder() != Qt::AscendingOrder) clickColumn(0);
    EXPECT_EQ(rowsOf(table), expectedRows);
  });
}

}  // namespace

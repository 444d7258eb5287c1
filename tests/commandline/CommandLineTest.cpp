#include <gtest/gtest.h>

#include <administrator/commandline/CommandLine.h>
#include <administrator/commandline/JsonText.h>

#include <QJsonDocument>
#include <QJsonObject>

using namespace administrator::commandline;

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ArgumentsMakeOneCommandOrSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::string mistake;  // a part of it
  } cases[] = {
      {{}, Action::Window, ""},
      {{"--help"}, Action::Help, ""},
      {{"--version"}, Action::Version, ""},
      {{"import", "--catalogue", "c.mdb", "--source", "s", "--dest", "d"}, Action::Import, ""},
      {{"import", "--dest", "d", "--json", "--source", "s", "--dry-run", "--catalogue", "c.mdb"}, Action::Import, ""},
      {{"import", "--catalogue", "c.mdb", "--source", "s"}, Action::Mistake, "--dest is missing"},
      {{"import", "--catalogue", "c.mdb", "--source", "s", "--dest"}, Action::Mistake, "--dest needs a value"},
      {{"import", "--catalogue", "", "--source", "s", "--dest", "d"}, Action::Mistake, "--catalogue needs a value"},
      {{"import", "--source", "a", "--source", "b"}, Action::Mistake, "--source is given twice"},
      {{"import", "--catalogue", "c", "--source", "s", "--dest", "d", "--force"}, Action::Mistake, "\"--force\""},
      {{"new-catalogue", "My Music.mdb"}, Action::NewCatalogue, ""},
      {{"new-catalogue"}, Action::Mistake, "new-catalogue needs one FILE"},
      {{"new-catalogue", "a.mdb", "b.mdb"}, Action::Mistake, "new-catalogue needs one FILE"},
      {{"undo"}, Action::Undo, ""},
      {{"undo", "20261207-184012-0012345"}, Action::Undo, ""},
      {{"undo", "a", "b"}, Action::Mistake, "undo takes at most one RUN"},
      {{"undo", "../../etc/passwd"}, Action::Mistake, "not a path"},
      {{"history"}, Action::History, ""},
      {{"history", "--all"}, Action::Mistake, "history takes no arguments"},
      {{"export"}, Action::Mistake, "unknown command \"export\""},
      {{"--help", "import"}, Action::Mistake, "unknown command"},
  };
  for (const auto& c : cases) {
    const CommandLine line = parseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action) << line.mistake;
    EXPECT_NE(line.mistake.find(c.mistake), std::string::npos) << line.mistake;
  }
  const CommandLine full =
      parseCommandLine({"import", "--dest", "d", "--json", "--source", "s", "--dry-run", "--catalogue", "c.mdb"});
  EXPECT_EQ(full.catalogue, "c.mdb");
  EXPECT_EQ(full.source, "s");
  EXPECT_EQ(full.destination, "d");
  EXPECT_TRUE(full.dryRun && full.json);
  EXPECT_EQ(parseCommandLine({"new-catalogue", "My Music.mdb"}).catalogue, "My Music.mdb");
  EXPECT_EQ(parseCommandLine({"undo", "20261207-184012-0012345"}).runId, "20261207-184012-0012345");
}

// Every line must parse as JSON, whatever a file name holds.
TEST(JsonObject, EveryNameMakesValidJson) {
  const std::u16string names[] = {
      u"plain.mp3",
      u"say \"hi\".mp3",
      u"back\\slash",
      u"tab\there\nnewline",
      u"\u00e9t\u00e9 \u266b",
      u"\U0001F3B5 note",
      std::u16string(1, char16_t(0xDCFF)) + u"broken byte",
      std::u16string(1, char16_t(0xD800)),
  };
  for (const auto& name : names) {
    const std::string line = JsonObject().text("name", name).number("done", 7).line();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_EQ(document.object().value("done").toInt(), 7);
    const bool whole =
        name.find(char16_t(0xDCFF)) == std::u16string::npos && name.find(char16_t(0xD800)) == std::u16string::npos;
    if (whole) {
      EXPECT_EQ(document.object().value("name").toString().toStdU16String(), name) << line;
    }
  }
}

}  // namespace

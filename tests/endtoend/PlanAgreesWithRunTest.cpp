// What the preview says a run will do is what the run then does.
#include <gtest/gtest.h>

#include <administrator/assembly/RunAssembly.h>
#include <administrator/importrun/RunTexts.h>
#include <platform/text/Utf.h>

#include <filesystem>
#include <map>

#include <tests/support/RecordingRunView.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/endtoend/MusicFolder.h>
#include <tests/endtoend/TreeSnapshot.h>

using namespace administrator::assembly;
using namespace administrator::importrun;

namespace {

namespace fs = std::filesystem;
using tests::endtoend::Tag;

struct Outcome {
  bool filed;
  std::string target;
  std::u16string reason;
  bool operator==(const Outcome&) const = default;
};
using Outcomes = std::map<std::string, Outcome>;

void PrintTo(const Outcome& outcome, std::ostream* out) {
  *out << (outcome.filed ? "filed to " + outcome.target : platform::text::utf8FromUtf16(outcome.reason));
}

TEST(PlanAgreesWithRun, EveryKindOfDecisionIsCarriedOutAsPlanned) {
  tests::support::RegistryInTemporaryFolder registry;
  std::string why;
  ASSERT_TRUE(tests::endtoend::registerLyrebox(why)) << why;
  const auto component = tests::endtoend::createLyrebox(why);
  ASSERT_TRUE(component) << why;
  tests::support::TemporaryFolder folder;
  const fs::path source = folder.path() / "music", root = folder.path() / "filed";
  fs::create_directories(source / "sub");
  fs::create_directories(root / "Band/Record");
  const std::string catalogue = (source / "Catalogue.mdb").string();  // lying in the source
  tests::endtoend::createCatalogue(catalogue);
  const Tag song{"Song", "Band", "Record"}, other{"Other", "Band", "Record"}, there{"There", "Band", "Record"};
  const std::pair<const char*, Tag> tagged[] = {
      {"a.mp3", song},
      {"b twin of a.mp3", song},
      {"c.mp3", {"", "Band", "Record"}},
      {"d.mp3", {"D", "Band", ""}},
      {"e.mp3", {"E", "", "Record"}},
      {"f target there.mp3", there},
      {"sub/g.mp3", other},
      {"sub/h twin of g.mp3", other},
  };
  for (const auto& [name, tag] : tagged) tests::endtoend::writeMusicFile((source / name).string(), &tag);
  tests::endtoend::writeMusicFile((source / "untagged.mp3").string(), nullptr);
  tests::endtoend::writeMusicFile((root / "Band/Record/There.mp3").string(), nullptr);
  fs::create_symlink(source / "a.mp3", source / "link.mp3");

  RunAssembly assembly(component);
  const RunInputs inputs{catalogue, source.string(), root.string()};
  const auto before = tests::endtoend::snapshotOf(folder.path());
  const RunPlan plan = assembly.plan(inputs);
  ASSERT_TRUE(plan.status) << plan.status.reason();
  EXPECT_TRUE(tests::endtoend::snapshotOf(folder.path()) == before) << "the preview touched something";
  Outcomes planned;
  for (const auto& file : plan.files)
    planned[file.sourcePath] = {file.filed(), file.filed() ? file.target : "",
                                file.filed() ? u"" : administrator::importrun::texts::reasonOf(*file.leave)};
  EXPECT_EQ(plan.filed, 2u);  // a and g; every other kind of decision is left
  EXPECT_EQ(plan.left, planned.size() - 2);

  tests::support::RecordingRunView view;
  const RunResult result = assembly.run(inputs, view);
  Outcomes met;
  for (const auto& visit : view.visits) met[visit.sourcePath] = {visit.filed, visit.target, visit.reason};
  // The run's open catalogue has side files that the preview could not see.
  for (auto at = met.begin(); at != met.end();)
    if (!planned.count(at->first) && at->first.rfind(catalogue, 0) == 0 &&
        at->second.reason == administrator::importrun::texts::reasonOf({LeaveReason::CatalogueFile, {}, {}}))
      at = met.erase(at);
    else
      ++at;
  EXPECT_EQ(met, planned);
  EXPECT_EQ(result.filed, plan.filed);
  std::vector<std::string> rows;
  for (const auto& row : tests::endtoend::catalogueRows(catalogue)) rows.push_back(row.fileName);
  EXPECT_EQ(rows, (std::vector<std::string>{(root / "Band/Record/Song.mp3").string(),
                                            (root / "Band/Record/Other.mp3").string()}));
}

}  // namespace

#include <administrator/importrun/KilledRuns.h>

#include <administrator/importrun/RunTexts.h>

namespace administrator::importrun {

using platform::status::Status;
namespace {

// The killed run stopped after noting the file and before committing its row:
// the unit was rolled back, so the file goes back to its source.
void moveBack(const FilingEntry& left, platform::filesystem::FileSystem& files, std::vector<std::u16string>& notes) {
  const std::string& target = left.target();
  if (!files.fileExists(target)) return;  // the move never happened: nothing to undo
  if (files.fileExists(left.source)) {
    // A copy between volumes stopped before its source was removed: the copy,
    // if it is whole, is the one to go, and the source stays to be filed again.
    const Status removed = files.removeIdenticalCopy(target, left.source);
    notes.push_back(removed ? texts::wholeCopyRemoved(target, left.source)
                            : texts::bothLeft(target, left.source, removed.cause()));
    return;
  }
  const Status back = files.moveFile(target, left.source);
  notes.push_back(back ? texts::movedBack(target, left.source) : texts::notMovedBack(target, back.reason()));
}

}  // namespace

Status settleKilledRuns(const std::vector<KilledRun>& killed, catalogue::Catalogue& catalogue,
                        platform::filesystem::FileSystem& files, RunRecord& record,
                        std::vector<std::u16string>& notes) {
  for (const KilledRun& dead : killed) {
    std::optional<platform::filesystem::FileIdentity> asFiled;
    if (dead.inFlight) {
      bool hasRow = false;
      if (Status looked = catalogue.holdsRow(dead.inFlight->row, hasRow); !looked) return looked;
      if (hasRow)
        asFiled = files.identify(dead.inFlight->target()).value;
      else
        moveBack(*dead.inFlight, files, notes);
    }
    if (Status settled = record.settleKilled(dead, asFiled); !settled) return settled;
  }
  return Status::success();
}

}  // namespace administrator::importrun

#pragma once
#include <string>
#include <vector>

#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/FileSystem.h>

#include <administrator/importrun/RunRecord.h>

namespace administrator::importrun {

// Settles what killed runs of the open catalogue left, before anything else is
// done to it: a file in flight whose row was committed stays filed; without its
// row it goes back to its source. `notes` gets a text for each file put right.
platform::status::Status settleKilledRuns(const std::vector<KilledRun>& killed, catalogue::Catalogue& catalogue,
                                          platform::filesystem::FileSystem& files, RunRecord& record,
                                          std::vector<std::u16string>& notes);

}  // namespace administrator::importrun

#pragma once
#include <filesystem>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

namespace bench::importrun {

// What the run's record costs: the run with it against the same run without one,
// and undoing a 10,000-file run against the raw import of as many files.
void benchRecordAndUndo(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                        const std::filesystem::path& scratch, const std::string& journalMode);

}  // namespace bench::importrun

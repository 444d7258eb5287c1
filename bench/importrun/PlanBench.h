#pragma once
// The preview's speed: planning a run against the raw tag load of the same files.
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

#include <filesystem>

namespace bench::importrun {

void benchPlan(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
               const std::filesystem::path& scratch);

}  // namespace bench::importrun

#pragma once
#include <platform/status/Status.h>

#include <administrator/importrun/RunPlanner.h>

namespace mervalis {

// What a run would do with the window's current choices, found without touching
// anything: the plan, and whether a run would take the chosen catalogue.
struct RunPreview {
  RunPlan plan;
  Status catalogue = Status::success();  // a failure: a run would refuse it
};

}  // namespace mervalis

#pragma once
#include <platform/status/Status.h>

#include <administrator/importrun/RunPlanner.h>

namespace administrator::window {

// What a run would do with the window's current choices, found without touching
// anything: the plan, and whether a run would take the chosen catalogue.
struct RunPreview {
  importrun::RunPlan plan;
  platform::status::Status catalogue = platform::status::Status::success();  // a failure: a run would refuse it
};

}  // namespace administrator::window

#pragma once
#include <string>

namespace administrator::importrun {

// The three inputs of a run, taken once when it starts and used to its end.
struct RunInputs {
  std::string cataloguePath;
  std::string sourceFolder;
  std::string destinationRoot;
};

}  // namespace administrator::importrun

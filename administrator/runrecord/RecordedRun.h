#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <platform/filesystem/FileIdentity.h>

#include <administrator/importrun/RunInputs.h>
#include <administrator/importrun/RunRecord.h>

namespace administrator::runrecord {

// One file of a recorded run and how its unit ended.
struct RecordedFile {
  enum class State { InFlight, Filed, NotFiled };
  importrun::FilingEntry entry;
  State state = State::InFlight;
  platform::filesystem::FileIdentity asFiled;  // when filed
};

// A run's record as read back.
struct RecordedRun {
  std::string id, started;
  importrun::RunInputs inputs;
  std::uint64_t catalogueDevice = 0, catalogueInode = 0;
  std::string journalMode;
  std::vector<std::string> folders;  // created by the run, in order
  std::vector<RecordedFile> files;
  bool ended = false;
  std::string how;  // "finished", "stopped" or "killed"
  importrun::RunEnding ending;
};

// What an undo of a run did so far, as its record keeps it.
struct RecordedUndo {
  enum class State { Untouched, Undoing, Undone, Kept };
  std::map<std::size_t, State> states;  // by file number; a file not named is untouched
  State stateOf(std::size_t number) const {
    const auto found = states.find(number);
    return found == states.end() ? State::Untouched : found->second;
  }
  std::string journalMode;    // found by the first undo, to put back
  bool begun = false;         // an undo was started
  bool ended = false;         // the last undo got to its end
  std::size_t keptAtEnd = 0;  // files the last undo that ended left as they were
};

}  // namespace administrator::runrecord

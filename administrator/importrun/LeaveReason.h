#pragma once
#include <string>

namespace administrator::importrun {

// Why a visited file stays where it is.
enum class LeaveReason {
  NoTitle,  // the first empty field decides, in this order
  NoAlbum,
  NoArtist,
  TagNotRead,    // detail: the reader's failure
  CannotRead,    // detail: the system's cause
  CannotLookAt,  // detail: the system's cause
  SymbolicLink,
  NotOrdinaryFile,
  CatalogueFile,
  NameTooLong,   // detail: the target path
  TargetExists,  // detail: the target path
  TargetTaken,   // detail: the target path; other: the source path of the file that took it
  NotFiled,      // detail: why filing it failed
  // Its copy to another volume was abandoned when the person stopped the run.
  StoppedDuringCopy,
};

struct Leave {
  LeaveReason reason = LeaveReason::NotFiled;
  std::string detail;
  std::string other;
};

}  // namespace administrator::importrun

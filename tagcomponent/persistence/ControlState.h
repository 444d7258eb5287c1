#pragma once
#include <string>

#include <tagcomponent/ID3tagRecord.h>

namespace tagcomponent::persistence {

// The part of a control that its host saves and restores: the stored file name and
// the tag record. Holds references so the control passes its own members.
struct ControlState {
  std::u16string& fileName;
  ID3tagRecord& record;
};

// The same state, read only, for saving.
struct ConstControlState {
  const std::u16string& fileName;
  const ID3tagRecord& record;

  ConstControlState(const std::u16string& fileName, const ID3tagRecord& record) : fileName(fileName), record(record) {}
  ConstControlState(const ControlState& state) : fileName(state.fileName), record(state.record) {}
};

}  // namespace tagcomponent::persistence

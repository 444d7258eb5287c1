#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace administrator::importrun {

// The targets chosen so far by the files of one plan, each with the place of the
// file that chose it. A plan looks up every target among all before it, so they
// are kept in one block of text and one open table of slots: a map of strings
// would allocate twice for each file and miss the cache on every look.
class ChosenTargets {
 public:
  // Where a file was met: its folder and its place in that folder's list.
  struct Place {
    std::size_t folder = 0, entry = 0;
  };

  void reserve(std::size_t targets);
  // Records the target as chosen from place; when another file chose it first,
  // records nothing and gives that file's place.
  std::optional<Place> choose(std::string_view target, Place place);
  // The place of the file that chose the target; none if no file holds it.
  std::optional<Place> chooser(std::string_view target) const;
  // The target is free again.
  void release(std::string_view target);

 private:
  enum class State : std::uint8_t { Empty, Held, Released };
  // A place is kept in 32 bits each: no folder holds four thousand million entries.
  struct Slot {
    std::uint64_t offset = 0;  // of the target in text_
    std::uint32_t hash = 0, length = 0;
    std::uint32_t folder = 0, entry = 0;
    State state = State::Empty;
  };

  // The slot holding the target, or else the first slot where it may go.
  std::size_t find(std::string_view target, std::uint32_t hash) const;
  bool holds(const Slot& slot, std::string_view target, std::uint32_t hash) const;
  std::size_t home(std::uint32_t hash) const;
  void resize(std::size_t slots);

  std::string text_;         // every target recorded, one after another
  std::vector<Slot> slots_;  // at most three quarters in use, so that a look ends soon
  std::size_t inUse_ = 0;    // held or released
};

}  // namespace administrator::importrun

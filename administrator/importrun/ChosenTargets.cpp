#include "ChosenTargets.h"

#include <functional>
#include <utility>

namespace mervalis {
namespace {

constexpr std::size_t kFirstSize = 64;

std::uint64_t hashOf(std::string_view target) { return std::hash<std::string_view>{}(target); }

}  // namespace

void ChosenTargets::reserve(std::size_t targets) {
  while (slots_.size() * 3 < targets * 4) grow();
}

std::optional<ChosenTargets::Place> ChosenTargets::choose(std::string_view target, Place place) {
  if ((inUse_ + 1) * 4 > slots_.size() * 3) grow();
  const std::uint64_t hash = hashOf(target);
  Slot& slot = slots_[find(target, hash)];
  if (slot.state == State::Held) return slot.place;
  if (slot.state == State::Empty) ++inUse_;
  slot = {hash, text_.size(), target.size(), place, State::Held};
  text_.append(target);
  return std::nullopt;
}

std::optional<ChosenTargets::Place> ChosenTargets::chooser(std::string_view target) const {
  if (slots_.empty()) return std::nullopt;
  const Slot& slot = slots_[find(target, hashOf(target))];
  if (slot.state != State::Held) return std::nullopt;
  return slot.place;
}

void ChosenTargets::release(std::string_view target) {
  if (slots_.empty()) return;
  Slot& slot = slots_[find(target, hashOf(target))];
  if (slot.state == State::Held) slot.state = State::Released;
}

// Linear probing; a released slot keeps the chain through it intact and is
// taken again by the first target that would go there.
std::size_t ChosenTargets::find(std::string_view target, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  std::optional<std::size_t> reusable;
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.state == State::Empty) return reusable.value_or(at);
    if (slot.state == State::Released) {
      if (!reusable) reusable = at;
    } else if (holds(slot, target, hash)) {
      return at;
    }
  }
}

bool ChosenTargets::holds(const Slot& slot, std::string_view target, std::uint64_t hash) const {
  return slot.hash == hash && std::string_view(text_).substr(slot.offset, slot.length) == target;
}

// Twice the slots; released targets are left behind.
void ChosenTargets::grow() {
  const std::vector<Slot> old =
      std::exchange(slots_, std::vector<Slot>(slots_.empty() ? kFirstSize : slots_.size() * 2));
  const std::size_t mask = slots_.size() - 1;
  inUse_ = 0;
  for (const Slot& slot : old) {
    if (slot.state != State::Held) continue;
    std::size_t at = slot.hash & mask;
    while (slots_[at].state != State::Empty) at = (at + 1) & mask;
    slots_[at] = slot;
    ++inUse_;
  }
}

}  // namespace mervalis

#include <administrator/importrun/ChosenTargets.h>

#include <functional>
#include <utility>

namespace administrator::importrun {
namespace {

constexpr std::size_t kFirstSize = 64;

std::uint32_t hashOf(std::string_view target) {
  const std::uint64_t hash = std::hash<std::string_view>{}(target);
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

// Slots for that many targets at three quarters full: a table reserved for a
// plan grows with the plan, not by powers of two.
std::size_t slotsFor(std::size_t targets) { return targets + targets / 3 + 1; }

}  // namespace

void ChosenTargets::reserve(std::size_t targets) {
  if (slotsFor(targets) > slots_.size()) resize(slotsFor(targets));
}

std::optional<ChosenTargets::Place> ChosenTargets::choose(std::string_view target, Place place) {
  if ((inUse_ + 1) * 4 > slots_.size() * 3) resize(slots_.empty() ? kFirstSize : slots_.size() * 2);
  const std::uint32_t hash = hashOf(target);
  Slot& slot = slots_[find(target, hash)];
  if (slot.state == State::Held) return Place{slot.folder, slot.entry};
  if (slot.state == State::Empty) ++inUse_;
  slot = {text_.size(),
          hash,
          static_cast<std::uint32_t>(target.size()),
          static_cast<std::uint32_t>(place.folder),
          static_cast<std::uint32_t>(place.entry),
          State::Held};
  text_.append(target);
  return std::nullopt;
}

std::optional<ChosenTargets::Place> ChosenTargets::chooser(std::string_view target) const {
  if (slots_.empty()) return std::nullopt;
  const Slot& slot = slots_[find(target, hashOf(target))];
  if (slot.state != State::Held) return std::nullopt;
  return Place{slot.folder, slot.entry};
}

void ChosenTargets::release(std::string_view target) {
  if (slots_.empty()) return;
  Slot& slot = slots_[find(target, hashOf(target))];
  if (slot.state == State::Held) slot.state = State::Released;
}

// The hash scaled to the table's size, which need not be a power of two.
std::size_t ChosenTargets::home(std::uint32_t hash) const {
  return static_cast<std::size_t>((std::uint64_t{hash} * slots_.size()) >> 32);
}

// Linear probing; a released slot keeps the chain through it intact and is
// taken again by the first target that would go there.
std::size_t ChosenTargets::find(std::string_view target, std::uint32_t hash) const {
  std::optional<std::size_t> reusable;
  for (std::size_t at = home(hash);; at = at + 1 == slots_.size() ? 0 : at + 1) {
    const Slot& slot = slots_[at];
    if (slot.state == State::Empty) return reusable.value_or(at);
    if (slot.state == State::Released) {
      if (!reusable) reusable = at;
    } else if (holds(slot, target, hash)) {
      return at;
    }
  }
}

bool ChosenTargets::holds(const Slot& slot, std::string_view target, std::uint32_t hash) const {
  return slot.hash == hash && std::string_view(text_).substr(slot.offset, slot.length) == target;
}

// Released targets are left behind.
void ChosenTargets::resize(std::size_t slots) {
  const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slots));
  inUse_ = 0;
  for (const Slot& slot : old) {
    if (slot.state != State::Held) continue;
    std::size_t at = home(slot.hash);
    while (slots_[at].state != State::Empty) at = at + 1 == slots_.size() ? 0 : at + 1;
    slots_[at] = slot;
    ++inUse_;
  }
}

}  // namespace administrator::importrun

#include "dedup/runs/ordered_text_set.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <utility>

namespace dedup {
namespace {

constexpr std::size_t kMinSlots = 16;

std::uint64_t HashOf(std::string_view text) {
  return std::hash<std::string_view>{}(text);
}

std::uint64_t Tag(std::uint64_t hash) { return hash & 0xFFFFFFFF00000000ull; }

}  // namespace

OrderedTextSet::OrderedTextSet(std::size_t expected_members,
                               std::size_t expected_bytes) {
  members_.Reserve(expected_members, expected_bytes);
  // Keep the table at most half full.
  const std::size_t slots =
      std::bit_ceil(std::max(kMinSlots, expected_members * 2));
  slots_.assign(slots, 0);
  mask_ = slots - 1;
}

bool OrderedTextSet::Add(std::string_view text) {
  const std::uint64_t hash = HashOf(text);
  const std::uint64_t tag = Tag(hash);
  for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
    const std::uint64_t slot = slots_[at];
    if (slot == 0) {
      members_.Append(text);
      slots_[at] = tag | members_.size();
      if (members_.size() * 2 > slots_.size()) Grow();
      return true;
    }
    if ((slot & 0xFFFFFFFF00000000ull) == tag &&
        members_[(slot & 0xFFFFFFFFull) - 1] == text) {
      return false;
    }
  }
}

void OrderedTextSet::Grow() {
  std::vector<std::uint64_t> old = std::exchange(slots_, {});
  slots_.assign(old.size() * 2, 0);
  mask_ = slots_.size() - 1;
  for (const std::uint64_t slot : old) {
    if (slot == 0) continue;
    const std::uint64_t hash = HashOf(members_[(slot & 0xFFFFFFFFull) - 1]);
    std::size_t at = hash & mask_;
    while (slots_[at] != 0) at = (at + 1) & mask_;
    slots_[at] = slot;
  }
}

LineList OrderedTextSet::TakeMembers() {
  slots_.assign(kMinSlots, 0);
  mask_ = kMinSlots - 1;
  return std::exchange(members_, {});
}

}  // namespace dedup

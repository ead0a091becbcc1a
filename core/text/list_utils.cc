#include "core/text/list_utils.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace core {
namespace {

// Moves the members marked in `keep` to the front, in order, and drops the
// rest.
template <typename List>
int KeepMarked(List& list, const std::vector<bool>& keep) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!keep[i]) continue;
    if (kept != i) list[kept] = std::move(list[i]);
    ++kept;
  }
  list.resize(kept);
  return static_cast<int>(kept);
}

// Spreads nearby numbers over the whole table, low bits included.
size_t MixBits(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDULL;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ULL;
  x ^= x >> 33;
  return static_cast<size_t>(x);
}

// Marks the first occurrence of every value among members 0..size-1, in
// expected linear time. The table is open addressing with linear probing
// over one flat array of (member index, hash) slots. On large lists nearly
// every probe misses the cache, so all hashes are taken first and each probe
// fetches the slot of a member a few places ahead.
template <typename Hash, typename Equal>
std::vector<bool> MarkFirstOccurrences(size_t size, Hash hash, Equal equal) {
  struct Slot {
    std::uint32_t member_plus_one = 0;  // 0: empty
    std::uint32_t hash = 0;
  };
  constexpr size_t kLookAhead = 16;
  size_t capacity = 16;
  while (capacity < 2 * size) capacity *= 2;
  const size_t mask = capacity - 1;
  std::vector<Slot> slots(capacity);
  std::vector<size_t> hashes(size);
  for (size_t i = 0; i < size; ++i) hashes[i] = hash(i);

  std::vector<bool> keep(size);
  for (size_t i = 0; i < size; ++i) {
    if (i + kLookAhead < size) {
      __builtin_prefetch(&slots[hashes[i + kLookAhead] & mask]);
    }
    const size_t h = hashes[i];
    const auto short_hash = static_cast<std::uint32_t>(h ^ (h >> 32));
    for (size_t at = h & mask;; at = (at + 1) & mask) {
      Slot& slot = slots[at];
      if (slot.member_plus_one == 0) {
        slot = {static_cast<std::uint32_t>(i + 1), short_hash};
        keep[i] = true;
        break;
      }
      if (slot.hash == short_hash && equal(slot.member_plus_one - 1, i)) break;
    }
  }
  return keep;
}

}  // namespace

void SortByLength(TextList& list) {
  std::stable_sort(
      list.begin(), list.end(),
      [](const AnsiText& a, const AnsiText& b) { return a.size() < b.size(); });
}

int RemoveDuplicates(TextList* texts, NumberList* numbers) {
  if (texts != nullptr) {
    const TextList& list = *texts;
    return KeepMarked(
        *texts, MarkFirstOccurrences(
                    list.size(),
                    [&](size_t i) {
                      return std::hash<std::string_view>()(list[i].view());
                    },
                    [&](size_t a, size_t b) { return list[a] == list[b]; }));
  }
  if (numbers != nullptr) {
    const NumberList& list = *numbers;
    return KeepMarked(
        *numbers, MarkFirstOccurrences(
                      list.size(),
                      [&](size_t i) {
                        return MixBits(static_cast<std::uint32_t>(list[i]));
                      },
                      [&](size_t a, size_t b) { return list[a] == list[b]; }));
  }
  return 0;
}

int IndexOfText(const TextList& list, const AnsiText& text) {
  const auto found = std::find(list.begin(), list.end(), text);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin()) + 1;
}

int IndexOfNumber(const NumberList& list, std::int32_t number) {
  const auto found = std::find(list.begin(), list.end(), number);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin()) + 1;
}

}  // namespace core

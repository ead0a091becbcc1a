#include "core/text/list_utils.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <unordered_set>
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

}  // namespace

void SortByLength(TextList& list) {
  std::stable_sort(
      list.begin(), list.end(),
      [](const AnsiText& a, const AnsiText& b) { return a.size() < b.size(); });
}

int RemoveDuplicates(TextList* texts, NumberList* numbers) {
  if (texts != nullptr) {
    // The views point into the members, which stay where they are until
    // every member has been marked.
    std::unordered_set<std::string_view> seen;
    seen.reserve(texts->size());
    std::vector<bool> keep(texts->size());
    for (std::size_t i = 0; i < texts->size(); ++i) {
      keep[i] = seen.insert((*texts)[i].view()).second;
    }
    return KeepMarked(*texts, keep);
  }
  if (numbers != nullptr) {
    std::unordered_set<std::int32_t> seen;
    seen.reserve(numbers->size());
    std::vector<bool> keep(numbers->size());
    for (std::size_t i = 0; i < numbers->size(); ++i) {
      keep[i] = seen.insert((*numbers)[i]).second;
    }
    return KeepMarked(*numbers, keep);
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

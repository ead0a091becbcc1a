// Ordering and de-duplication of lists, and index look-ups (1-based, -1 when
// absent).
#ifndef CORE_TEXT_LIST_UTILS_H_
#define CORE_TEXT_LIST_UTILS_H_

#include <cstdint>

#include "core/text/ansi_text.h"

namespace core {

// Stable ascending sort by byte length.
void SortByLength(TextList& list);

// Keeps the first occurrence of every member, in order, and returns the new
// size. With a text list given the number list is left alone; with neither
// given nothing changes and 0 is returned. Expected linear time.
int RemoveDuplicates(TextList* texts, NumberList* numbers = nullptr);
inline int RemoveDuplicates(TextList& texts) {
  return RemoveDuplicates(&texts);
}
inline int RemoveDuplicates(NumberList& numbers) {
  return RemoveDuplicates(nullptr, &numbers);
}

int IndexOfText(const TextList& list, const AnsiText& text);
int IndexOfNumber(const NumberList& list, std::int32_t number);

}  // namespace core

#endif  // CORE_TEXT_LIST_UTILS_H_

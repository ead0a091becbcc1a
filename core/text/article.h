// Reduces an article to its words and cuts it into the segments that are
// sent to the search engine one by one.
#ifndef CORE_TEXT_ARTICLE_H_
#define CORE_TEXT_ARTICLE_H_

#include <array>

#include "core/text/ansi_text.h"

namespace core {

inline constexpr int kSegmentCharacters = 36;

// Removed in this order, after every tab. Order matters: CR LF goes last, so
// a CR and an LF separated only by removed bytes are removed as well.
extern const std::array<const char*, 33> kStripTable;

AnsiText CleanArticle(const AnsiText& text);

// Pieces of 36 characters, the last one 1 to 36; joined they give `cleaned`.
TextList CutIntoSegments(const AnsiText& cleaned);

}  // namespace core

#endif  // CORE_TEXT_ARTICLE_H_

// Reduces a search result page to the phrases the engine marked and that
// occur in the segment.
#ifndef CORE_CHECK_FRAGMENTS_H_
#define CORE_CHECK_FRAGMENTS_H_

#include <functional>

#include "core/text/ansi_text.h"

namespace check {

// Lets the calling thread's pending events be handled during a long scan.
using PumpEvents = std::function<void()>;

// Queries kSearchAddressPrefix + segment and appends the segment's fragments
// (the list is not emptied first). Returns whether a result page came back.
bool CollectHighlightFragments(const core::AnsiText& segment,
                               core::TextList& fragments,
                               const PumpEvents& pump = {});

// The same against another address prefix (a local stand-in for the host).
bool CollectHighlightFragmentsAt(const core::AnsiText& address_prefix,
                                 const core::AnsiText& segment,
                                 core::TextList& fragments,
                                 const PumpEvents& pump = {});

struct ExtractOptions {
  bool case_sensitive = false;
  int length_limit = 0;  // 0: no limit; else byte length must be below it
  core::AnsiText prefix;
  core::AnsiText suffix;
  bool include_start_marker = false;
  bool include_end_marker = false;
  int start_position = 1;  // 0 and 1 both mean the first byte
};

// Replaces `results` with the trimmed, non-empty texts between each start
// marker and the next end marker; returns their number.
int ExtractAllBetween(const core::AnsiText& text,
                      const core::AnsiText& start_marker,
                      const core::AnsiText& end_marker,
                      core::TextList& results,
                      const ExtractOptions& options = {},
                      const PumpEvents& pump = {});

}  // namespace check

#endif  // CORE_CHECK_FRAGMENTS_H_

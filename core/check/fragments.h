// Reduces a search result page to the phrases the engine marked and that
// occur in the segment.
#ifndef CORE_CHECK_FRAGMENTS_H_
#define CORE_CHECK_FRAGMENTS_H_

#include <functional>
#include <memory>
#include <string_view>

#include "core/text/ansi_text.h"

namespace platform {
class HttpRequest;
}

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

// Supplies the request object a query runs on, e.g. one that trusts a test
// authority or keeps its connection; null lets the web facility make its own.
using RequestFactory = std::function<std::shared_ptr<platform::HttpRequest>()>;

bool CollectHighlightFragmentsWith(const core::AnsiText& address_prefix,
                                   const core::AnsiText& segment,
                                   core::TextList& fragments,
                                   const RequestFactory& make_request,
                                   const PumpEvents& pump = {});

// What a reply is worth. Only a 2xx result page answers; a no-result page
// answers with nothing, since the query it echoes in <em> is not a phrase.
// A verification page, an error or stub page or no reply at all is not an
// answer.
enum class ReplyKind { kNotAnswered, kNoResults, kResults };
ReplyKind ClassifyReply(int status, std::string_view utf8_page);

// The texts ExtractAllBetween finds between "<em>" and "</em>" in the page
// once converted from UTF-8 (every option omitted), with the same
// PumpEvents calls; usually without converting the whole page.
int ExtractHighlights(const core::AnsiText& utf8_page,
                      core::TextList& candidates, const PumpEvents& pump = {});

// The part of the collection after the request: appends the segment's
// fragments found in the reply and returns whether the reply is an answer.
bool FragmentsFromReply(int status, const core::ByteBuffer& body,
                        const core::AnsiText& segment,
                        core::TextList& fragments, const PumpEvents& pump = {});

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
// marker and the next end marker; returns their number. An empty marker
// delimits nothing and yields no result.
int ExtractAllBetween(const core::AnsiText& text,
                      const core::AnsiText& start_marker,
                      const core::AnsiText& end_marker, core::TextList& results,
                      const ExtractOptions& options = {},
                      const PumpEvents& pump = {});

}  // namespace check

#endif  // CORE_CHECK_FRAGMENTS_H_

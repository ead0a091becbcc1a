// One originality check of the article in the view's editor.
#ifndef CORE_CHECK_CHECK_RUN_H_
#define CORE_CHECK_CHECK_RUN_H_

#include <functional>

#include "core/check/checker_view.h"
#include "core/text/ansi_text.h"

namespace check {

// Appends the segment's highlight fragments to `fragments` and returns
// whether the search engine answered with a result page. A segment that was
// not answered counts neither as copied nor as original.
using FragmentSource = std::function<bool(const core::AnsiText& segment,
                                          core::TextList& fragments)>;

// The grid's address column and the requests start with this.
inline constexpr const char* kSearchAddressPrefix =
    "https://www.baidu.com/baidu?tn=baidu&word=";

// Runs on the caller's thread; everything it shows goes through `view`.
void CheckRun(CheckerView& view, const FragmentSource& fragment_source);

}  // namespace check

#endif  // CORE_CHECK_CHECK_RUN_H_

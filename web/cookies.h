// Cookie texts: items "name=value" joined by "; ".
#ifndef WEB_COOKIES_H_
#define WEB_COOKIES_H_

#include "core/text/ansi_text.h"

namespace web {

// The trimmed text before the first "=", or the whole item trimmed.
core::AnsiText CookieName(const core::AnsiText& item);

// Whether some member has exactly this CookieName (letter case counts).
bool CookieListHasName(const core::TextList& items, const core::AnsiText& name);

// Keeps the first occurrence of every delimited piece, in its place.
core::AnsiText DedupeDelimitedText(const core::AnsiText& text,
                                   const core::AnsiText& delimiter);

// The cookies of `new_cookies` with their values, then the old cookies they
// do not name, in old order; spaces removed, "=deleted" items dropped,
// exact repeats removed.
core::AnsiText MergeCookies(const core::AnsiText& old_cookies,
                            const core::AnsiText& new_cookies);

}  // namespace web

#endif  // WEB_COOKIES_H_

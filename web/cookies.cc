#include "web/cookies.h"

#include <string>
#include <unordered_set>

#include "core/text/text_ops.h"

namespace web {

core::AnsiText CookieName(const core::AnsiText& item) {
  const int equals = core::FindText(item, "=");
  if (equals == -1) return core::TrimSpaces(item);
  return core::TrimSpaces(core::LeftText(item, equals - 1));
}

bool CookieListHasName(const core::TextList& items,
                       const core::AnsiText& name) {
  for (const core::AnsiText& item : items) {
    if (core::CompareText(CookieName(item), name) == 0) return true;
  }
  return false;
}

core::AnsiText DedupeDelimitedText(const core::AnsiText& text,
                                   const core::AnsiText& delimiter) {
  // A set of the pieces seen gives the same answer as looking each one up in
  // a list, without turning a server's thousand cookies into a million
  // comparisons.
  std::unordered_set<std::string> seen;
  core::AnsiText result;
  for (const core::AnsiText& piece : core::SplitText(text, delimiter)) {
    if (seen.insert(piece.bytes()).second) {
      result += piece;
      result += delimiter;
    }
  }
  return core::LeftText(result, result.size() - delimiter.size());
}

core::AnsiText MergeCookies(const core::AnsiText& old_cookies,
                            const core::AnsiText& new_cookies) {
  const core::TextList old_items =
      core::SplitText(core::RemoveSpaces(old_cookies), ";");
  core::TextList combined =
      core::SplitText(core::RemoveSpaces(new_cookies), ";");

  // The names in `combined` as it grows: the same test as CookieListHasName
  // on the list at each moment, in linear time.
  std::unordered_set<std::string> names;
  for (const core::AnsiText& item : combined) {
    names.insert(CookieName(item).bytes());
  }
  for (const core::AnsiText& item : old_items) {
    if (names.insert(CookieName(item).bytes()).second) combined.push_back(item);
  }

  core::AnsiText merged;
  for (const core::AnsiText& item : combined) {
    if (core::RightText(item, 8) != core::AnsiText("=deleted")) {
      merged += item;
      merged += "; ";
    }
  }
  merged = core::LeftText(merged, merged.size() - 2);
  return DedupeDelimitedText(merged, "; ");
}

}  // namespace web

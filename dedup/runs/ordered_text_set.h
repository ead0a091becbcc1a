// Distinct texts in the order they were first added.
#ifndef DEDUP_RUNS_ORDERED_TEXT_SET_H_
#define DEDUP_RUNS_ORDERED_TEXT_SET_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dedup/runs/line_list.h"

namespace dedup {

// Membership is exact byte equality: case, spaces, tabs and full-width
// characters all count, and the empty text is a member like any other.
// Found by hashing, so adding n texts takes expected linear time.
class OrderedTextSet {
 public:
  // Sizing for at most `expected_members` members and `expected_bytes`
  // bytes of them spares the storage its doubling copies; only what is
  // used is ever touched.
  explicit OrderedTextSet(std::size_t expected_members = 0,
                          std::size_t expected_bytes = 0);

  // Stores a copy at the end and returns true, or returns false and changes
  // nothing when an equal text is already a member.
  bool Add(std::string_view text);

  std::size_t size() const { return members_.size(); }
  const LineList& members() const { return members_; }
  // Hands the members over in insertion order and leaves the set empty.
  LineList TakeMembers();

 private:
  void Grow();

  LineList members_;
  // Open addressing: 0 is a free slot, otherwise the upper half holds the
  // text's hash bits and the lower half its member index + 1, so most probes
  // are settled without touching the member bytes.
  std::vector<std::uint64_t> slots_;
  std::size_t mask_ = 0;
};

}  // namespace dedup

#endif  // DEDUP_RUNS_ORDERED_TEXT_SET_H_

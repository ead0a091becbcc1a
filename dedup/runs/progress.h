// The progress bar's value rules, and how often a run reports to it.
#ifndef DEDUP_RUNS_PROGRESS_H_
#define DEDUP_RUNS_PROGRESS_H_

#include <algorithm>
#include <cstdint>

namespace dedup {

// The bar takes 0 to 32767 only: a larger value counts as 32767, a negative
// one as 0, and the position is held between minimum and maximum.
class ProgressRange {
 public:
  static constexpr int kLimit = 32767;

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int position() const { return position_; }

  void SetMaximum(int maximum) {
    maximum_ = std::clamp(maximum, 0, kLimit);
    position_ = std::clamp(position_, minimum_, std::max(minimum_, maximum_));
  }
  void SetPosition(int position) {
    position_ = std::clamp(std::clamp(position, 0, kLimit), minimum_,
                           std::max(minimum_, maximum_));
  }

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
};

// Reporting every item of a million-line pass to the window would cost more
// than the pass itself; a bar a few hundred pixels wide cannot show more
// than a few hundred steps anyway. The last position of a pass is always
// reported by the caller.
class ProgressPacer {
 public:
  static constexpr std::int64_t kSteps = 256;

  explicit ProgressPacer(std::int64_t total)
      : stride_(std::max<std::int64_t>(1, total / kSteps)) {}

  // True when `position` is far enough from the last one reported.
  bool Due(std::int64_t position) {
    if (reported_ && position - last_ < stride_) return false;
    reported_ = true;
    last_ = position;
    return true;
  }

 private:
  std::int64_t stride_;
  std::int64_t last_ = 0;
  bool reported_ = false;
};

}  // namespace dedup

#endif  // DEDUP_RUNS_PROGRESS_H_

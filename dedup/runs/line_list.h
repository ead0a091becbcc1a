// The list's lines, packed: every line's bytes back to back in one buffer and
// one end offset per line. A million short lines then cost little more than
// their bytes, where one string object per line would cost more than twice
// as much.
#ifndef DEDUP_RUNS_LINE_LIST_H_
#define DEDUP_RUNS_LINE_LIST_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dedup {

class LineList {
 public:
  LineList() = default;

  // Takes a line file's bytes and cuts them into lines in place. Only CR LF
  // ends a line, and it is looked for at the start of a scan unit (a byte of
  // 0x80 or above takes the next byte with it); a final CR LF adds no empty
  // line and an empty buffer gives no line.
  static LineList FromLineFile(std::string file_bytes);

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  // Bytes of all lines together, without separators.
  std::size_t byte_size() const { return bytes_.size(); }

  std::string_view operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }

  void Append(std::string_view line) {
    bytes_.append(line);
    ends_.push_back(bytes_.size());
  }
  void Append(const LineList& other);
  void Reserve(std::size_t lines, std::size_t bytes) {
    ends_.reserve(lines);
    bytes_.reserve(bytes);
  }

  // The line file of these lines: each line followed by CR LF.
  std::string ToLineFile() const;

  friend bool operator==(const LineList&, const LineList&) = default;

 private:
  std::string bytes_;
  std::vector<std::uint64_t> ends_;
};

}  // namespace dedup

#endif  // DEDUP_RUNS_LINE_LIST_H_

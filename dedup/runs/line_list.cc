#include "dedup/runs/line_list.h"

#include <cstring>
#include <utility>

namespace dedup {

namespace {

// Whether the byte at `pos` starts a scan unit. Units restart after every
// byte below 0x80, so only the run of high bytes just before `pos` matters:
// they pair up as lead and trail, and an odd run leaves `pos` a trail byte.
bool StartsUnit(std::string_view bytes, std::size_t pos, std::size_t floor) {
  std::size_t high = 0;
  while (pos - high > floor &&
         static_cast<unsigned char>(bytes[pos - high - 1]) >= 0x80) {
    ++high;
  }
  return high % 2 == 0;
}

}  // namespace

LineList LineList::FromLineFile(std::string file_bytes) {
  const std::string_view view(file_bytes);
  LineList lines;
  // Counting the separators first spares the offsets their doubling copies;
  // a CR LF inside a trail position only makes this an overestimate.
  std::size_t separators = 0;
  for (std::size_t at = view.find("\r\n"); at != std::string_view::npos;
       at = view.find("\r\n", at + 2)) {
    ++separators;
  }
  lines.ends_.reserve(separators + 1);
  char* data = file_bytes.data();
  std::size_t read = 0;   // start of the current line in the file
  std::size_t write = 0;  // where that line goes in the packed buffer
  std::size_t search = 0;
  while (true) {
    const std::size_t cr = view.find("\r\n", search);
    if (cr == std::string_view::npos) break;
    // The unit rule restarts at every line start, so the scan back never
    // needs to look past the current line.
    if (!StartsUnit(view, cr, read)) {
      search = cr + 1;
      continue;
    }
    std::memmove(data + write, data + read, cr - read);
    write += cr - read;
    lines.ends_.push_back(write);
    read = cr + 2;
    search = read;
  }
  const std::size_t rest = view.size() - read;
  if (rest > 0) {
    std::memmove(data + write, data + read, rest);
    write += rest;
    lines.ends_.push_back(write);
  }
  file_bytes.resize(write);
  lines.bytes_ = std::move(file_bytes);
  return lines;
}

void LineList::Append(const LineList& other) {
  const std::uint64_t base = bytes_.size();
  bytes_.append(other.bytes_);
  ends_.reserve(ends_.size() + other.ends_.size());
  for (const std::uint64_t end : other.ends_) ends_.push_back(base + end);
}

std::string LineList::ToLineFile() const {
  std::string file;
  file.reserve(bytes_.size() + 2 * ends_.size());
  for (std::size_t i = 0; i < size(); ++i) {
    file.append((*this)[i]);
    file.append("\r\n");
  }
  return file;
}

}  // namespace dedup

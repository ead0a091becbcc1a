// The value types every text of both programs travels in.
#ifndef CORE_TEXT_ANSI_TEXT_H_
#define CORE_TEXT_ANSI_TEXT_H_

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// A string of bytes in code page 936.
//
// Invariant: an AnsiText never holds a zero byte. Every constructor keeps the
// bytes before the first zero byte of its argument and drops the rest, exactly
// as the zero-terminated strings of the original design end there; no member
// function can insert a zero byte afterwards. Code that must keep zero bytes
// (response bodies, file contents, UTF-16) uses ByteBuffer instead.
//
// Lengths count bytes. Comparison is by unsigned bytes, a proper prefix first;
// the default-constructed (absent) text equals the empty text.
class AnsiText {
 public:
  AnsiText() = default;
  AnsiText(const char* c_string);      // NOLINT: literals convert implicitly.
  AnsiText(std::string_view bytes);    // NOLINT
  AnsiText(const std::string& bytes);  // NOLINT
  AnsiText(std::string&& bytes);       // NOLINT

  const std::string& bytes() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }
  int size() const { return static_cast<int>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  // The byte at 0-based index i as an unsigned value.
  unsigned char byte(int i) const {
    return static_cast<unsigned char>(bytes_[static_cast<size_t>(i)]);
  }

  AnsiText& operator+=(const AnsiText& other) {
    bytes_ += other.bytes_;
    return *this;
  }
  friend AnsiText operator+(AnsiText a, const AnsiText& b) { return a += b; }
  friend bool operator==(const AnsiText&, const AnsiText&) = default;
  friend std::strong_ordering operator<=>(const AnsiText& a,
                                          const AnsiText& b) {
    return a.bytes_.compare(b.bytes_) <=> 0;
  }

 private:
  std::string bytes_;
};

// Ordered lists, indexed from 1 in the design and from 0 in C++ (member k of
// the design is list[k - 1]). Appending stores a copy.
using TextList = std::vector<AnsiText>;
using NumberList = std::vector<std::int32_t>;

// A counted byte sequence that may hold zero bytes.
using ByteBuffer = std::vector<std::uint8_t>;

}  // namespace core

#endif  // CORE_TEXT_ANSI_TEXT_H_

#include "core/text/ansi_text.h"

#include <cstring>

namespace core {

AnsiText::AnsiText(const char* c_string)
    : bytes_(c_string == nullptr ? "" : c_string) {}

AnsiText::AnsiText(std::string_view bytes)
    : bytes_(bytes.substr(0, bytes.find('\0'))) {}

AnsiText::AnsiText(const std::string& bytes)
    : AnsiText(std::string_view(bytes)) {}

AnsiText::AnsiText(std::string&& bytes) : bytes_(std::move(bytes)) {
  if (const size_t zero = bytes_.find('\0'); zero != std::string::npos) {
    bytes_.resize(zero);
  }
}

}  // namespace core

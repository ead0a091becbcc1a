#include "platform/codepage/code_page.h"

namespace platform {

bool IsSupportedCodePage(int code_page) {
  return code_page == 0 || code_page == 936 || code_page == 65001;
}

// Placeholder until the table-driven converter lands.
std::u16string MultiByteToWide(int, std::string_view) { return {}; }
std::string WideToMultiByte(int, std::u16string_view) { return {}; }

}  // namespace platform

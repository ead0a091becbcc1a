// Our stand-in for the platform's code-page conversions
// (MultiByteToWideChar / WideCharToMultiByte called with no flags).
//
// Code page 936 follows the platform's own table, best-fit substitutions
// included: unmapped or incomplete double-byte sequences decode to U+003F;
// characters the code page lacks encode to '?' (one per UTF-16 unit, so a
// character outside the BMP gives two). A lead byte followed by a byte that
// cannot end a pair (0x00-0x3F, 0x7F, 0xFF) decodes to U+003F by itself and
// the byte after it is decoded on its own, so it is never lost. Code page 65001
// decodes malformed UTF-8 to U+FFFD per maximal ill-formed subsequence and
// encodes lone surrogates as U+FFFD. Code page 0 is 936. Nothing is dropped and
// no conversion stops early; a zero byte or unit is converted like any other.
// Safe to call from any thread.
#ifndef PLATFORM_CODEPAGE_CODE_PAGE_H_
#define PLATFORM_CODEPAGE_CODE_PAGE_H_

#include <string>
#include <string_view>

namespace platform {

// False for a code page other than 0, 936 and 65001.
bool IsSupportedCodePage(int code_page);

// Empty results for an unsupported code page.
std::u16string MultiByteToWide(int code_page, std::string_view bytes);
std::string WideToMultiByte(int code_page, std::u16string_view wide);

// The bytes of WideToMultiByte(to_code_page, MultiByteToWide(from_code_page,
// bytes)); from UTF-8 to 936 it takes a direct path that builds no UTF-16
// text. Empty when either code page is unsupported.
std::string ConvertCodePage(int from_code_page, int to_code_page,
                            std::string_view bytes);

}  // namespace platform

#endif  // PLATFORM_CODEPAGE_CODE_PAGE_H_

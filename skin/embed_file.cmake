# cmake -DINPUT=<file> -DOUTPUT=<file.cc> -P embed_file.cmake
# Writes skin::SkinLibraryImage() returning INPUT's bytes. The result is
# written under a temporary name and renamed, so an interrupted build never
# leaves half a source file behind.
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "embed_file.cmake needs -DINPUT= and -DOUTPUT=")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
# One string literal per 32 bytes: far quicker to compile than a braced list
# of that many numbers.
string(REPEAT "." 64 line)
string(REGEX REPLACE "(${line})" "\\1\n" lines "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${lines}")
string(REPLACE "\n" "\"\n    \"" escaped "${escaped}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by skin/embed_file.cmake; do not edit.
#include \"skin/library_image.h\"

#include <cstddef>

namespace skin {
namespace {

constexpr std::size_t kImageSize = ${size};
// The literal's terminator is one byte beyond the image and not part of it.
alignas(16) constexpr unsigned char kImage[kImageSize + 1] =
    \"${escaped}\";

}  // namespace

std::span<const unsigned char> SkinLibraryImage() {
  return {kImage, kImageSize};
}

}  // namespace skin
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

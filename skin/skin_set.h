// The program's own skins, compiled in as constant blocks.
#ifndef SKIN_SKIN_SET_H_
#define SKIN_SKIN_SET_H_

#include <span>

namespace skin {

inline constexpr int kSkinCount = 33;

// The block of skin `number`, 1 to kSkinCount; an empty span (no address,
// length 0) for any other number.
std::span<const unsigned char> SkinBlock(int number);

}  // namespace skin

#endif  // SKIN_SKIN_SET_H_

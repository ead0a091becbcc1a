// The skin library's complete file, embedded at build time from the library
// built with this program.
#ifndef SKIN_LIBRARY_IMAGE_H_
#define SKIN_LIBRARY_IMAGE_H_

#include <span>

namespace skin {

std::span<const unsigned char> SkinLibraryImage();

}  // namespace skin

#endif  // SKIN_LIBRARY_IMAGE_H_

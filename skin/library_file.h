// Puts the skin library's file in place without ever leaving a partial one.
#ifndef SKIN_LIBRARY_FILE_H_
#define SKIN_LIBRARY_FILE_H_

#include <filesystem>
#include <span>

namespace skin {

// Writes `image` to `target` when nothing (not even a broken link) is at
// that path. The file appears complete or not at all; a file that appears at
// `target` meanwhile is never replaced. Returns whether this call wrote it.
bool WriteFileIfAbsent(const std::filesystem::path& target,
                       std::span<const unsigned char> image);

}  // namespace skin

#endif  // SKIN_LIBRARY_FILE_H_

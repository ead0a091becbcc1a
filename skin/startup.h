// Dresses the duplicate-line remover's windows with its skin library and
// opens its web address.
#ifndef SKIN_STARTUP_H_
#define SKIN_STARTUP_H_

#include <filesystem>
#include <optional>
#include <string>

namespace skin {

inline constexpr int kStartupSkin = 13;
inline constexpr const char* kSkinLibraryName = "SkinH_EL.dll";
inline constexpr const char* kAttachFunctionName = "SkinH_AttachRes";

// Writes the embedded library beside the program when nothing is at that
// path; anything already there is left alone.
void EnsureSkinLibrary(const std::filesystem::path& program_dir);

// Ensures the library, loads it (the program's folder first, then the
// standard search order) and attaches skin `skin_number` (outside 1..33: an
// empty skin). Returns the message for the user (UTF-8, naming the file and
// the function) when the library cannot be loaded or lacks the function;
// std::nullopt otherwise. Call on the window thread after the window exists.
std::optional<std::string> AttachSkin(int skin_number,
                                      const std::filesystem::path& program_dir);

inline std::optional<std::string> ApplyStartupSkin(
    const std::filesystem::path& program_dir) {
  return AttachSkin(kStartupSkin, program_dir);
}

// Opens the program's web address in the default browser; returns at once.
void OpenWebsite();

}  // namespace skin

#endif  // SKIN_STARTUP_H_

// Whole-file reading and writing with the system's reason on failure.
#ifndef DEDUP_RUNS_LINE_FILE_H_
#define DEDUP_RUNS_LINE_FILE_H_

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dedup {

struct FileContent {
  std::string bytes;
  // The system's reason when the file could not be read; bytes is then empty.
  std::optional<std::string> error;
};

FileContent ReadWholeFile(const std::filesystem::path& path);

// Creates the file or cuts an existing one to length 0 and writes `bytes`.
// Returns the system's reason on failure, nullopt on success.
std::optional<std::string> WriteWholeFile(const std::filesystem::path& path,
                                          std::string_view bytes);

}  // namespace dedup

#endif  // DEDUP_RUNS_LINE_FILE_H_

// Whole-file reads and writes for fixtures and diagnostics.
#ifndef TESTS_SUPPORT_FILE_BYTES_H_
#define TESTS_SUPPORT_FILE_BYTES_H_

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test {

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path,
                       const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace test

#endif  // TESTS_SUPPORT_FILE_BYTES_H_

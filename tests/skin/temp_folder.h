// A fresh folder for one test, removed with everything in it afterwards.
#ifndef TESTS_SKIN_TEMP_FOLDER_H_
#define TESTS_SKIN_TEMP_FOLDER_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace skin_test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::path(testing::TempDir()) / "skin_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

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

}  // namespace skin_test

#endif  // TESTS_SKIN_TEMP_FOLDER_H_

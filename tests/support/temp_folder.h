// A fresh folder under the test's temporary folder, removed with everything
// in it afterwards, and whole-file reads and writes for fixtures.
#ifndef TESTS_SUPPORT_TEMP_FOLDER_H_
#define TESTS_SUPPORT_TEMP_FOLDER_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/file_bytes.h"

namespace test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::path(testing::TempDir()) / "test_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::filesystem::path Write(const std::string& name,
                              const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    WriteBytes(file, bytes);
    return file;
  }

  static std::string Read(const std::filesystem::path& file) {
    return ReadBytes(file);
  }

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

}  // namespace test

#endif  // TESTS_SUPPORT_TEMP_FOLDER_H_

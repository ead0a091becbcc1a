// A fresh folder under the system's temporary folder, removed afterwards.
#ifndef TESTS_DEDUP_RUNS_TEMP_FOLDER_H_
#define TESTS_DEDUP_RUNS_TEMP_FOLDER_H_

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace dedup {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dedup-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }

  std::filesystem::path Write(const std::string& name,
                              const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  static std::string Read(const std::filesystem::path& file) {
    std::string bytes;
    if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
      char chunk[4096];
      std::size_t got;
      while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        bytes.append(chunk, got);
      }
      std::fclose(in);
    }
    return bytes;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace dedup

#endif  // TESTS_DEDUP_RUNS_TEMP_FOLDER_H_

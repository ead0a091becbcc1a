#include "skin/library_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace skin {
namespace {

namespace fs = std::filesystem;

bool NothingAt(const fs::path& path) {
  std::error_code error;
  // symlink_status: a link is something, wherever it points. Any other
  // failure to look (a folder we may not search) is not taken as "absent".
  return fs::symlink_status(path, error).type() == fs::file_type::not_found;
}

// Owns a file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  // Reports a failed close, which may be the first sign of a failed write.
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// Moves `from` to `to` unless something is at `to` by then.
bool MoveIntoPlaceWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
                  RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  // File systems without an exclusive rename: a hard link never replaces
  // either.
  if (::link(from.c_str(), to.c_str()) == 0) return true;
  if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return false;
  // Neither is offered (some removable media): a plain rename after one
  // more look is the best left.
  if (!NothingAt(to)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool WriteFileIfAbsent(const fs::path& target,
                       std::span<const unsigned char> image) {
  if (!NothingAt(target)) return false;

  // The bytes go to a temporary file beside the target and take the target's
  // name only once they are all on disk: a write cut short (a full disk, a
  // size limit, a crash) would otherwise leave a partial library that every
  // later start finds, keeps and fails to load.
  const fs::path folder = target.parent_path();
  const std::string stem =
      "." + target.filename().string() + "." + std::to_string(::getpid()) + ".";
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = folder / (stem + std::to_string(attempt) + ".tmp");
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                0755);
    // Only a leftover of an earlier run with our process number is worth
    // stepping around.
    if (fd >= 0 || errno != EEXIST) break;
  }
  if (fd < 0) return false;
  FileDescriptor file(fd);

  bool moved = false;
  if (WriteAll(file.get(), image) && ::fsync(file.get()) == 0 && file.Close()) {
    moved = MoveIntoPlaceWithoutReplacing(temporary, target);
  }
  // After a link the temporary name is a second name of the same file; in
  // every other case it is what is left of a failed attempt.
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return moved;
}

}  // namespace skin

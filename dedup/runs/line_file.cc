#include "dedup/runs/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <system_error>

namespace dedup {
namespace {

std::string SystemReason(int error) {
  return std::system_category().message(error);
}

// Closes on every path out, so an early return leaks no descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the outcome: a write may only fail here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

}  // namespace

FileContent ReadWholeFile(const std::filesystem::path& path) {
  FileContent content;
  if (path.empty()) {
    content.error = SystemReason(ENOENT);
    return content;
  }
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    content.error = SystemReason(errno);
    return content;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) {
    content.error = SystemReason(errno);
    return content;
  }
  if (S_ISDIR(info.st_mode)) {
    content.error = SystemReason(EISDIR);
    return content;
  }
  try {
    // The size is only a hint: the file may change while it is read, and
    // special files report none.
    std::size_t capacity = info.st_size > 0
                               ? static_cast<std::size_t>(info.st_size) + 1
                               : std::size_t{1} << 16;
    std::string& bytes = content.bytes;
    bytes.resize(capacity);
    std::size_t used = 0;
    while (true) {
      if (used == bytes.size()) bytes.resize(bytes.size() * 2);
      const ssize_t got =
          ::read(fd.get(), bytes.data() + used, bytes.size() - used);
      if (got < 0) {
        if (errno == EINTR) continue;
        content.error = SystemReason(errno);
        bytes.clear();
        return content;
      }
      if (got == 0) break;
      used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
  } catch (const std::bad_alloc&) {
    content.bytes.clear();
    content.error = SystemReason(ENOMEM);
  }
  return content;
}

std::optional<std::string> WriteWholeFile(const std::filesystem::path& path,
                                          std::string_view bytes) {
  if (path.empty()) return SystemReason(ENOENT);
  FileDescriptor fd(
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) return SystemReason(errno);
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd.get(), bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return SystemReason(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  if (fd.Close() != 0) return SystemReason(errno);
  return std::nullopt;
}

}  // namespace dedup

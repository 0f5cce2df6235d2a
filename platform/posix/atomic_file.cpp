#include "platform/posix/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <utility>

namespace tarvex::platform::posix {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor on every way out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const noexcept { return fd_; }

  // Closes now; a write error the system deferred shows up here.
  bool Close() noexcept { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

struct Target {
  fs::path path;
  std::optional<mode_t> existing_mode;
};

// The file that receives the new bytes and its mode when it exists; nothing
// when it must not be replaced (not a plain file, read-only, a dangling link).
std::optional<Target> ResolveTarget(const std::string& path) {
  std::error_code error;
  fs::path target = path;
  if (fs::is_symlink(target, error)) {
    target = fs::canonical(target, error);
    if (error) {
      return std::nullopt;
    }
  }
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) {
      return Target{target, std::nullopt};
    }
    return std::nullopt;
  }
  // The mode bits are tested as well as access(): the superuser may write
  // anything, but a file its owner made read-only stays read-only.
  const bool writable =
      S_ISREG(info.st_mode) && (info.st_mode & 0222) != 0 && ::access(target.c_str(), W_OK) == 0;
  if (!writable) {
    return std::nullopt;
  }
  return Target{target, info.st_mode & 07777};
}

// Creates a fresh file beside `target`; -1 when the directory refuses it.
int CreateTemporary(const fs::path& target, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    name = (target.parent_path() / ("." + target.filename().string() + ".tmp-" +
                                    std::to_string(::getpid()) + "-" + std::to_string(counter++)))
               .string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

// Makes the rename itself durable. Some file systems cannot sync a
// directory; the new file is in place by then, so that is no failure.
void SyncDirectory(const fs::path& target) {
  const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
  FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) {
    ::fsync(dir.get());
  }
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::error_code& error) {
  error.clear();
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    error = std::error_code(errno, std::generic_category());
    return std::nullopt;
  }
  std::string bytes;
  std::array<char, 16384> buffer{};
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer.data(), buffer.size());
    if (count == 0) {
      return bytes;
    }
    if (count > 0) {
      bytes.append(buffer.data(), static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      error = std::error_code(errno, std::generic_category());
      return std::nullopt;
    }
  }
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           std::optional<mode_t> mode) {
  const std::optional<Target> target = ResolveTarget(path);
  if (!target) {
    return false;
  }
  const std::optional<mode_t> final_mode = mode ? mode : target->existing_mode;
  std::string temporary;
  FileDescriptor file(CreateTemporary(target->path, final_mode.value_or(0666), temporary));
  if (file.get() < 0) {
    return false;
  }
  const bool written = (!final_mode || ::fchmod(file.get(), *final_mode) == 0) &&
                       WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
  const bool closed = file.Close();
  if (!written || !closed || ::rename(temporary.c_str(), target->path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncDirectory(target->path);
  return true;
}

}  // namespace tarvex::platform::posix

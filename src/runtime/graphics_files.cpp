// Writing pictures and printed documents to disk without ever leaving a half
// written or overwritten file behind.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include "runtime/errors.h"
#include "runtime/graphics_target.h"
#include "runtime/termination.h"

namespace {

int ErrorNumberOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kErrPathNotFound;
    case ENOSPC:
    case EDQUOT:
      return kErrDiskFull;
    default:
      return kErrAccessDenied;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A temporary file, known to the termination handler while it exists: removed
// when it goes out of scope unless it was put in place.
class Temporary {
 public:
  Temporary() = default;
  ~Temporary() {
    if (path_.empty()) return;
    unlink(path_.c_str());
    rt::ForgetTemporary(registration_);
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  // Makes the file in `folder`; returns its descriptor or -1 (errno set).
  int Make(const std::string& folder) {
    std::string name = folder + "/.krn-XXXXXX";
    const rt::HoldTerminationSignals hold;
    const int fd = mkstemp(name.data());
    if (fd >= 0) {
      path_ = name;
      registration_ = rt::RegisterTemporary(path_);
    }
    return fd;
  }
  const std::string& path() const { return path_; }
  // The file now has its own name: nothing is left to remove.
  void Placed() {
    rt::ForgetTemporary(registration_);
    path_.clear();
  }

 private:
  std::string path_;
  int registration_ = -1;
};

// Writes the bytes to a new temporary file in `folder`. Returns 0 or the error
// number.
int WriteTemporary(const std::string& folder, std::string_view bytes, Temporary& temp) {
  const int fd = temp.Make(folder);
  if (fd < 0) return ErrorNumberOf(errno);
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (close(fd) != 0 && error == 0) error = errno;
  return error != 0 ? ErrorNumberOf(error) : 0;
}

// Renames `temp` to `target` unless `target` exists. Returns 0, EEXIST, or errno.
int RenameWithoutReplacing(const std::string& temp, const std::string& target) {
  if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without that rename: link, then drop the temporary name.
  if (link(temp.c_str(), target.c_str()) != 0) return errno;
  unlink(temp.c_str());
  return 0;
}

}  // namespace

namespace rt {

int WriteFileReplacing(const std::string& hostPath, std::string_view bytes) {
  Temporary temp;
  if (const int error = WriteTemporary(FolderOf(hostPath), bytes, temp)) return error;
  if (rename(temp.path().c_str(), hostPath.c_str()) != 0) return ErrorNumberOf(errno);
  temp.Placed();
  return 0;
}

int WriteFileNumbered(const std::string& hostFolder, std::string_view prefix,
                      std::string_view suffix, int& number, std::string_view bytes,
                      std::string& name) {
  Temporary temp;
  if (const int error = WriteTemporary(hostFolder, bytes, temp)) return error;
  constexpr int kMaxTries = 100000;
  for (int n = std::max(number, 1), tries = 0; tries < kMaxTries; ++n, ++tries) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", n);
    const std::string candidate = std::string(prefix) + digits + std::string(suffix);
    const int error = RenameWithoutReplacing(temp.path(), hostFolder + "/" + candidate);
    if (error == EEXIST) continue;
    if (error != 0) return ErrorNumberOf(error);
    temp.Placed();
    number = n;
    name = candidate;
    return 0;
  }
  return kErrFileExists;
}

}  // namespace rt

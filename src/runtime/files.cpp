#include "runtime/files.h"

#include "runtime/numtext.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "runtime/errors.h"
#include "runtime/files_state.h"
#include "runtime/folders.h"
#include "runtime/runtime.h"
#include "runtime/serial.h"
#include "runtime/termination.h"

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr long kZoneWidth = 14;

// ---------------------------------------------------------------------------
// Host file-system helpers.

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes the descriptor; returns the errno of a failed close, else 0.
  int Reset() {
    int error = 0;
    if (fd_ >= 0 && close(fd_) != 0) error = errno;
    fd_ = -1;
    return error;
  }

 private:
  int fd_;
};

bool IsMissing(int error) { return error == ENOENT || error == ENOTDIR; }

// A failed write or commit: a full or refusing medium is a full disk; a
// permission problem is access denied.
int WriteErrorNumber(int error) {
  return error == EACCES || error == EPERM || error == EROFS ? kErrAccessDenied : kErrDiskFull;
}

bool HasNoWriteBits(const struct stat& st) { return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

bool IsReadOnlyHost(const std::string& host) {
  struct stat st {};
  if (stat(host.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return HasNoWriteBits(st) || access(host.c_str(), W_OK) != 0;
}

// A folder that takes no new files: no write permission bits at all (read-only
// even for the administrator, as a file without them is), or this process may
// not write it.
bool IsReadOnlyFolderHost(const std::string& folder) {
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return HasNoWriteBits(st) || access(folder.c_str(), W_OK | X_OK) != 0;
}

// The permissions a file created the ordinary way would get (0666 less the
// umask). The umask is read without changing it where the system allows.
mode_t NewFileMode() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  }
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Writes all of `bytes`; returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

void SyncFolder(const std::string& folder) {
  Fd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) fsync(dir.get());
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ---------------------------------------------------------------------------
// Channels.

class InputFile final : public RtChannel {
 public:
  explicit InputFile(int fd) : fd_(fd), buffer_(kBufferSize) {}

  int Peek() override { return Fill() ? static_cast<unsigned char>(buffer_[pos_]) : -1; }
  int Get() override { return Fill() ? static_cast<unsigned char>(buffer_[pos_++]) : -1; }
  bool AtEnd() override { return !Fill(); }
  void Write(std::string_view) override { RtRaise(kErrReadPastEnd); }  // open for reading
  long Length() override {
    struct stat st {};
    return fstat(fd_.get(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
  }
  void Close() override { fd_.Reset(); }

  // As RtChannel::ReadLine, the line end looked for in the buffer.
  std::string ReadLine() override {
    std::string line;
    while (Fill()) {
      const char* begin = buffer_.data() + pos_;
      const char* end = buffer_.data() + length_;
      const char* stop = begin;
      while (stop != end && *stop != '\r' && *stop != '\n') ++stop;
      line.append(begin, stop);
      pos_ += static_cast<std::size_t>(stop - begin);
      if (stop == end) continue;
      const bool cr = *stop == '\r';
      ++pos_;
      if (cr && Peek() == '\n') ++pos_;
      break;
    }
    return line;
  }

 private:
  // True when a byte is waiting at pos_.
  bool Fill() {
    if (pos_ < length_) return true;
    if (ended_) return false;
    ssize_t n;
    do {
      n = read(fd_.get(), buffer_.data(), buffer_.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) RtRaise(kErrAccessDenied);
    pos_ = 0;
    length_ = static_cast<std::size_t>(n);
    ended_ = n == 0;
    return !ended_;
  }

  Fd fd_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t length_ = 0;
  bool ended_ = false;
};

// A file open for writing. Replacing: the bytes go to a temporary file in the
// target's folder, renamed over the target by Close. In place (Append, or a
// target that is no regular file such as a device): the bytes go to the target.
class OutputFile final : public RtChannel {
 public:
  // Replacing writer on the temporary `tempPath` (registered in `registration`)
  // for `targetPath`.
  OutputFile(int fd, std::string tempPath, int registration, std::string targetPath)
      : fd_(fd),
        tempPath_(std::move(tempPath)),
        registration_(registration),
        targetPath_(std::move(targetPath)) {}
  // In-place writer; `length` is what the file already holds.
  OutputFile(int fd, long length, bool truncatable)
      : fd_(fd), committed_(length), truncatable_(truncatable) {}

  ~OutputFile() override {
    if (!fd_.valid()) return;
    fd_.Reset();  // not closed: abandon, leaving the target as it was
    if (Replacing()) DropTemporary();
  }

  int Peek() override { RtRaise(kErrReadPastEnd); }  // open for writing
  int Get() override { RtRaise(kErrReadPastEnd); }
  bool AtEnd() override { return true; }
  void Write(std::string_view bytes) override {
    pending_.append(bytes);
    if (pending_.size() >= kBufferSize) Flush();
  }
  long Length() override { return committed_ + static_cast<long>(pending_.size()); }

  void Close() override {
    if (!Replacing()) {
      Flush();
      if (int error = fd_.Reset()) RtRaise(WriteErrorNumber(error));
      return;
    }
    const HeldFile held = Finish();
    if (rename(held.temp.c_str(), held.target.c_str()) != 0) {
      const int error = errno;
      unlink(held.temp.c_str());
      rt::ForgetTemporary(held.registration);
      RtRaise(WriteErrorNumber(error));
    }
    rt::ForgetTemporary(held.registration);
    SyncFolder(FolderOf(held.target));
  }

  std::optional<HeldFile> CloseAndHold() override {
    if (!Replacing()) {
      Close();
      return std::nullopt;
    }
    return Finish();
  }

 private:
  bool Replacing() const { return !tempPath_.empty(); }

  // Writes out and syncs the temporary file and closes it; from then on it is
  // the caller's to rename or remove.
  HeldFile Finish() {
    Flush();
    if (fsync(fd_.get()) != 0) Fail(errno);
    if (int error = fd_.Reset()) Fail(error);
    HeldFile held{std::move(tempPath_), std::move(targetPath_), registration_};
    tempPath_.clear();
    registration_ = -1;
    return held;
  }

  void DropTemporary() {
    unlink(tempPath_.c_str());
    rt::ForgetTemporary(registration_);
    registration_ = -1;
  }

  void Flush() {
    if (pending_.empty()) return;
    if (int error = WriteAll(fd_.get(), pending_)) Fail(error);
    committed_ += static_cast<long>(pending_.size());
    pending_.clear();
  }

  // Undoes what cannot be completed and raises the error: a replacing writer
  // drops its temporary file, an in-place writer cuts the file back to what it
  // held before the failed write.
  [[noreturn]] void Fail(int error) {
    if (Replacing()) {
      fd_.Reset();
      DropTemporary();
      tempPath_.clear();
    } else {
      if (truncatable_) {
        // Should even this fail, the error raised below still reports the failure.
        [[maybe_unused]] int ignored = ftruncate(fd_.get(), committed_);
      }
      fd_.Reset();
    }
    pending_.clear();
    RtRaise(WriteErrorNumber(error));
  }

  Fd fd_;
  std::string tempPath_;
  int registration_ = -1;
  std::string targetPath_;
  std::string pending_;
  long committed_ = 0;
  bool truncatable_ = false;
};

// ---------------------------------------------------------------------------
// Opening.

// A writer that replaces the (host) target when closed. The target must not be
// read-only; its folder must exist.
std::unique_ptr<RtChannel> OpenReplacing(std::string target) {
  struct stat st {};
  bool exists = stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) RtRaise(kErrAccessDenied);
  if (exists && IsReadOnlyHost(target)) RtRaise(kErrAccessDenied);
  if (exists && !S_ISREG(st.st_mode)) {  // a device or pipe is written as it is
    int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) RtRaise(kErrAccessDenied);
    return std::make_unique<OutputFile>(fd, 0, false);
  }
  // Resolve a symbolic link so that the file it points to is replaced, not the link.
  if (char* real = realpath(target.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  char* folder = realpath(FolderOf(target).c_str(), nullptr);
  if (!folder) RtRaise(IsMissing(errno) ? kErrPathNotFound : kErrAccessDenied);
  std::string folderPath = folder;
  std::free(folder);
  // The new file is made in the folder, so a folder that takes none refuses it.
  if (IsReadOnlyFolderHost(folderPath)) RtRaise(kErrAccessDenied);
  const std::string name = NameOf(target);
  target = (folderPath == "/" ? "" : folderPath) + "/" + name;
  std::string temp = (folderPath == "/" ? "" : folderPath) + "/." + name.substr(0, 200) + ".krn-XXXXXX";
  int fd = -1;
  int registration = -1;
  {
    // A signal between the two would leave the file unknown to its handler.
    const rt::HoldTerminationSignals hold;
    fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd >= 0) registration = rt::RegisterTemporary(temp);
  }
  if (fd < 0) RtRaise(WriteErrorNumber(errno));
  if (exists) {  // the new file takes the old one's place with its owner and permissions
    [[maybe_unused]] int ignored = fchown(fd, st.st_uid, st.st_gid);
    fchmod(fd, st.st_mode & 07777);
  } else {
    fchmod(fd, NewFileMode());
  }
  return std::make_unique<OutputFile>(fd, std::move(temp), registration, std::move(target));
}

std::unique_ptr<RtChannel> OpenAppending(const std::string& target) {
  if (IsReadOnlyHost(target)) RtRaise(kErrAccessDenied);
  int fd = open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) RtRaise(IsMissing(errno) ? kErrPathNotFound : errno == ENOSPC ? kErrDiskFull : kErrAccessDenied);
  struct stat st {};
  fstat(fd, &st);
  if (S_ISDIR(st.st_mode)) {
    close(fd);
    RtRaise(kErrAccessDenied);
  }
  return std::make_unique<OutputFile>(fd, static_cast<long>(st.st_size), S_ISREG(st.st_mode));
}

// A reader, or nullptr when the file is missing.
std::unique_ptr<RtChannel> OpenReading(const std::string& target) {
  int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (IsMissing(errno)) return nullptr;
    RtRaise(kErrAccessDenied);
  }
  auto channel = std::make_unique<InputFile>(fd);
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) RtRaise(kErrAccessDenied);
  return channel;
}

// ---------------------------------------------------------------------------
// The numbers.

void CheckNumber(int n, const std::source_location& where) {
  if (n < 1 || n > FileTable::kMaxNumber) RtRaise(kErrBadFileName, where);
}

std::unique_ptr<RtChannel>& Slot(int n, const std::source_location& where) {
  CheckNumber(n, where);
  return CurrentRuntime().files->channels[static_cast<std::size_t>(n)];
}

// Runs `operation` on the channel open as number n (error 57 when there is none).
// A channel's error is raised again at the caller's place; after a failed write
// the number is closed, since the channel has already given up its file.
template <typename Operation>
auto OnChannel(int n, const std::source_location& where, Operation operation) {
  std::unique_ptr<RtChannel>& slot = Slot(n, where);
  if (!slot) RtRaise(kErrFileNotOpen, where);
  try {
    return operation(*slot);
  } catch (const RtError& e) {
    if (e.number() == kErrDiskFull) slot.reset();
    throw RtError(e.number(), where);
  }
}

// Raises a channel's error again at the caller's place.
template <typename Operation>
auto AtCaller(const std::source_location& where, Operation operation) {
  try {
    return operation();
  } catch (const RtError& e) {
    throw RtError(e.number(), where);
  }
}

void CloseChannel(std::unique_ptr<RtChannel> channel) {
  if (channel) channel->Close();
}

// Closes a channel of the current runtime: while a group is open, a file that
// replaces its target is held back for the group's commit.
void FinishChannel(std::unique_ptr<RtChannel> channel) {
  if (!channel) return;
  FileTable& table = *CurrentRuntime().files;
  if (!table.grouping || !channel->inGroup) {
    channel->Close();
    return;
  }
  if (std::optional<HeldFile> held = channel->CloseAndHold()) table.held.push_back(std::move(*held));
}

}  // namespace

// ---------------------------------------------------------------------------

std::string RtChannel::ReadLine() {
  std::string line;
  for (int c = Get(); c != -1 && c != '\n'; c = Get()) {
    if (c == '\r') {
      if (Peek() == '\n') Get();
      break;
    }
    line += static_cast<char>(c);
  }
  return line;
}

namespace {

// One comma field from a source of bytes (peek and get give -1 at its end), as
// RtInputVars reads it; `atComma` tells whether a comma ended it.
template <class PeekFn, class GetFn>
std::string ReadCommaFieldFrom(PeekFn peek, GetFn get, bool* atComma) {
  while (peek() == ' ') get();
  auto endsField = [](int c, bool quoted) {
    return c == -1 || c == '\r' || c == '\n' || (quoted ? c == '"' : c == ',');
  };
  const bool quoted = peek() == '"';
  if (quoted) get();
  std::string field;
  while (!endsField(peek(), quoted)) field += static_cast<char>(get());
  if (quoted) {
    if (peek() == '"') get();
    while (!endsField(peek(), false)) get();  // what follows the closing quote
  } else {
    field.erase(field.find_last_not_of(' ') + 1);
  }
  const int end = get();  // the comma or the line end
  if (end == '\r' && peek() == '\n') get();
  if (atComma != nullptr) *atComma = end == ',';
  return field;
}

}  // namespace

std::string RtChannel::ReadField() {
  return ReadCommaFieldFrom([this] { return Peek(); }, [this] { return Get(); }, nullptr);
}

namespace rt {

std::vector<std::string> CommaFieldsOfLine(std::string_view line) {
  std::vector<std::string> fields;
  size_t pos = 0;
  auto peek = [&] { return pos < line.size() ? static_cast<unsigned char>(line[pos]) : -1; };
  auto get = [&] { return pos < line.size() ? static_cast<unsigned char>(line[pos++]) : -1; };
  for (bool comma = true; comma;) fields.push_back(ReadCommaFieldFrom(peek, get, &comma));
  return fields;
}

}  // namespace rt

FileTable::~FileTable() {
  for (std::unique_ptr<RtChannel>& channel : channels) {
    try {
      CloseChannel(std::move(channel));
    } catch (...) {
      // The file keeps what it held before it was opened; nobody is left to tell.
    }
  }
  DropHeld();
}

void FileTable::DropHeld() {
  for (const HeldFile& file : held) {
    unlink(file.temp.c_str());
    rt::ForgetTemporary(file.registration);
  }
  held.clear();
}

bool RtOpen(int n, std::string_view path, RtFileMode mode, std::source_location where) {
  if (rt::IsComName(path)) return rt::OpenCom(n, path, where);
  std::unique_ptr<RtChannel>& slot = Slot(n, where);
  if (slot) RtRaise(kErrFileAlreadyOpen, where);
  const std::string host = rt::HostPath(path);
  if (host.empty() || host.back() == '/') RtRaise(kErrBadFileName, where);
  std::unique_ptr<RtChannel> channel;
  switch (mode) {
    case RtFileMode::Input:
      channel = AtCaller(where, [&] { return OpenReading(host); });
      if (!channel) return RtPassOver(kErrFileNotFound, where);
      break;
    case RtFileMode::OutputNew: {
      struct stat st {};
      if (stat(host.c_str(), &st) == 0) return RtPassOver(kErrFileExists, where);
      channel = AtCaller(where, [&] { return OpenReplacing(host); });
      break;
    }
    case RtFileMode::Output:
      channel = AtCaller(where, [&] { return OpenReplacing(host); });
      break;
    case RtFileMode::Append:
      channel = AtCaller(where, [&] { return OpenAppending(host); });
      break;
  }
  channel->inGroup = CurrentRuntime().files->grouping &&
                     (mode == RtFileMode::Output || mode == RtFileMode::OutputNew);
  slot = std::move(channel);
  return true;
}

void RtClose(int n, std::source_location where) {
  std::unique_ptr<RtChannel> channel = std::move(Slot(n, where));
  AtCaller(where, [&] { FinishChannel(std::move(channel)); });
}

void RtCloseAll(std::source_location where) {
  int firstError = 0;
  for (std::unique_ptr<RtChannel>& slot : CurrentRuntime().files->channels) {
    try {
      FinishChannel(std::move(slot));
    } catch (const RtError& e) {
      if (firstError == 0) firstError = e.number();
    }
  }
  if (firstError != 0) RtRaise(firstError, where);
}

bool RtEof(int n, std::source_location where) {
  return OnChannel(n, where, [](RtChannel& c) { return c.AtEnd(); });
}

bool RtLineInputVar(int n, std::string& line, std::source_location where) {
  try {
    line = OnChannel(n, where, [](RtChannel& c) {
      if (c.Exhausted()) RtRaise(kErrReadPastEnd);
      return c.ReadLine();
    });
  } catch (const RtError& e) {
    // A serial port that stays silent: the caller goes on, the line unchanged.
    if (e.number() == kErrCommTimeout) return RtPassOver(kErrCommTimeout, where);
    throw;
  }
  return true;
}

bool RtInputVars(int n, std::string& field, std::source_location where) {
  try {
    field = OnChannel(n, where, [](RtChannel& c) {
      if (c.Exhausted()) RtRaise(kErrReadPastEnd);
      return c.ReadField();
    });
  } catch (const RtError& e) {
    if (e.number() == kErrCommTimeout) return RtPassOver(kErrCommTimeout, where);
    throw;
  }
  return true;
}

bool RtInputVars(int n, double& value, std::source_location where) {
  std::string field;
  if (!RtInputVars(n, field, where)) return false;
  // The number a field begins with, an exponent allowed: what the writer writes
  // in the exponent form reads back.
  value = rt::ScanNumber(field, true, where).value;
  return true;
}

std::string RtInputChars(int n, int count, std::source_location where) {
  if (count < 0) RtRaise(kErrIllegalArgument, where);
  try {
    return OnChannel(n, where, [count](RtChannel& c) {
      std::string bytes;
      for (int i = 0; i < count; ++i) {
        int b = c.Get();
        if (b == -1) RtRaise(kErrReadPastEnd);
        bytes += static_cast<char>(b);
      }
      return bytes;
    });
  } catch (const RtError& e) {
    // A serial port that stays silent: the caller goes on with nothing read.
    if (e.number() != kErrCommTimeout) throw;
    RtPassOver(kErrCommTimeout, where);
    return {};
  }
}

void RtPrintToFile(int n, std::string_view text, bool newline, std::source_location where) {
  OnChannel(n, where, [&](RtChannel& c) {
    c.Write(text);
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] != '\r' && text[end - 1] != '\n') --end;
    c.column = end == 0 ? c.column + static_cast<long>(text.size())
                        : static_cast<long>(text.size() - end);
    if (newline) {
      c.Write("\r\n");
      c.column = 0;
    }
  });
}

void RtPrintZoneToFile(int n, std::source_location where) {
  OnChannel(n, where, [](RtChannel& c) {
    long blanks = kZoneWidth - c.column % kZoneWidth;
    c.Write(std::string(static_cast<std::size_t>(blanks), ' '));
    c.column += blanks;
  });
}

void RtPrintTabToFile(int n, int column, std::source_location where) {
  if (column < 0) RtRaise(kErrIllegalArgument, where);
  OnChannel(n, where, [column](RtChannel& c) {
    if (c.column > column) {
      c.Write("\r\n");
      c.column = 0;
    }
    c.Write(std::string(static_cast<std::size_t>(column - c.column), ' '));
    c.column = column;
  });
}

long RtLof(int n, std::source_location where) {
  return OnChannel(n, where, [](RtChannel& c) { return c.Length(); });
}

bool RtKill(std::string_view path, std::source_location where) {
  const std::string host = rt::HostPath(path);
  struct stat st {};
  if (lstat(host.c_str(), &st) != 0) {
    if (IsMissing(errno)) return RtPassOver(kErrFileNotFound, where);
    RtRaise(kErrAccessDenied, where);
  }
  if (S_ISDIR(st.st_mode) || IsReadOnlyHost(host)) RtRaise(kErrAccessDenied, where);
  if (unlink(host.c_str()) != 0) {
    if (IsMissing(errno)) return RtPassOver(kErrFileNotFound, where);
    RtRaise(kErrAccessDenied, where);
  }
  return true;
}

bool RtFileCopy(std::string_view from, std::string_view to, std::source_location where) {
  const std::string source = rt::HostPath(from);
  const std::string target = rt::HostPath(to);
  if (target.empty() || target.back() == '/') RtRaise(kErrBadFileName, where);
  return AtCaller(where, [&] {
    std::unique_ptr<RtChannel> reader = OpenReading(source);
    if (!reader) return RtPassOver(kErrFileNotFound, where);
    std::unique_ptr<RtChannel> writer = OpenReplacing(target);
    std::string chunk;
    for (int c = reader->Get(); c != -1; c = reader->Get()) {
      chunk += static_cast<char>(c);
      if (chunk.size() == kBufferSize) {
        writer->Write(chunk);
        chunk.clear();
      }
    }
    writer->Write(chunk);
    reader->Close();
    writer->Close();
    return true;
  });
}

bool RtFileExists(std::string_view path) {
  struct stat st {};
  return stat(rt::HostPath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool RtFolderExists(std::string_view path) {
  struct stat st {};
  return stat(rt::HostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RtIsReadOnly(std::string_view path) { return IsReadOnlyHost(rt::HostPath(path)); }

bool RtIsReadOnlyFolder(std::string_view path) {
  const std::string host = rt::HostPath(path);
  return IsReadOnlyFolderHost(host.empty() ? "." : host);
}

// The path with its folder resolved (links, "..", a relative start), or the
// path as it stands when its folder cannot be resolved.
std::string ResolvedPath(const std::string& host) {
  char* folder = realpath(FolderOf(host).c_str(), nullptr);
  if (!folder) return host;
  const std::string resolved = std::string(folder) + "/" + NameOf(host);
  std::free(folder);
  return resolved;
}

bool RtSameFile(std::string_view a, std::string_view b) {
  const std::string first = rt::HostPath(a);
  const std::string second = rt::HostPath(b);
  struct stat one {};
  struct stat other {};
  if (stat(first.c_str(), &one) == 0 && stat(second.c_str(), &other) == 0 &&
      one.st_dev == other.st_dev && one.st_ino == other.st_ino) {
    return true;
  }
  return ResolvedPath(first) == ResolvedPath(second);
}

// ---------------------------------------------------------------------------
// Groups.

RtFileGroup::RtFileGroup(std::source_location where) : table_(CurrentRuntime().files.get()) {
  if (table_->grouping) RtRaise(kErrIllegalArgument, where);
  table_->grouping = true;
}

RtFileGroup::~RtFileGroup() {
  if (!table_->grouping) return;
  // Abandoned: every file of the group, held or still open, goes.
  for (std::unique_ptr<RtChannel>& slot : table_->channels) {
    if (slot && slot->inGroup) slot.reset();  // a writer dropped unclosed removes its file
  }
  table_->DropHeld();
  table_->grouping = false;
}

void RtFileGroup::Commit(std::source_location where) {
  // Files of the group still open are finished first; a failure there abandons all.
  for (int n = 1; n <= FileTable::kMaxNumber; ++n) {
    const std::unique_ptr<RtChannel>& slot = table_->channels[static_cast<std::size_t>(n)];
    if (slot && slot->inGroup) RtClose(n, where);
  }
  std::vector<HeldFile> files = std::move(table_->held);
  table_->held.clear();
  table_->grouping = false;
  int error = 0;
  {
    // All of them or, should a rename fail, as few as can be helped: a signal
    // never comes in between.
    const rt::HoldTerminationSignals hold;
    for (const HeldFile& file : files) {
      if (error == 0 && rename(file.temp.c_str(), file.target.c_str()) != 0) error = errno;
      if (error != 0) unlink(file.temp.c_str());
      rt::ForgetTemporary(file.registration);
    }
  }
  for (const HeldFile& file : files) SyncFolder(FolderOf(file.target));
  if (error != 0) RtRaise(WriteErrorNumber(error), where);
}

namespace rt {

void AttachChannel(int n, std::unique_ptr<RtChannel> channel, std::source_location where) {
  std::unique_ptr<RtChannel>& slot = Slot(n, where);
  if (slot) RtRaise(kErrFileAlreadyOpen, where);
  slot = std::move(channel);
}

}  // namespace rt

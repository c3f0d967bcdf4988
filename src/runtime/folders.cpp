#include "runtime/folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "runtime/errors.h"
#include "runtime/folders_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = EnvironmentValue("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return ".";
}

// The configuration folder in host form, before it is made.
std::string ConfigurationFolder() {
  if (std::string dir = EnvironmentValue("KRN_WINDOWS_DIR"); !dir.empty()) return dir;
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  if (std::string xdg = EnvironmentValue("XDG_CONFIG_HOME"); !xdg.empty() && xdg.front() == '/') {
    return xdg + "/krn";
  }
  return HomeFolder() + "/.config/krn";
}

std::string WithOneTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path.back() != '/') path += '/';
  return path;
}

void RememberStartFolder() {
  FolderState& state = *CurrentRuntime().folders;
  if (state.startFolder < 0) state.startFolder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

FolderState::~FolderState() {
  if (startFolder < 0) return;
  [[maybe_unused]] int ignored = fchdir(startFolder);
  close(startFolder);
}

namespace rt {

std::string CacheFolder() {
  if (std::string xdg = EnvironmentValue("XDG_CACHE_HOME"); !xdg.empty() && xdg.front() == '/') {
    return xdg + "/krn";
  }
  return HomeFolder() + "/.cache/krn";
}

std::string HostPath(std::string_view cp932Path) {
  std::string path(cp932Path);
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;  // the trail byte may be 0x5C, which is no separator
    } else if (path[i] == '\\') {
      path[i] = '/';
    }
  }
  return Cp932ToUtf8(path);
}

}  // namespace rt

std::string RtWindowsFolder(std::source_location where) {
  std::error_code ec;
  // Absolute, so that it still holds after the current folder changes.
  std::string dir = std::filesystem::absolute(ConfigurationFolder(), ec).string();
  std::filesystem::create_directories(dir, ec);
  if (dir.empty() || !std::filesystem::is_directory(dir, ec)) RtRaise(kErrPathNotFound, where);
  return rt::Utf8ToCp932(WithOneTrailingSlash(dir));
}

std::string RtCurDir() {
  std::error_code ec;
  std::string dir = std::filesystem::current_path(ec).string();
  if (dir.empty()) dir = ".";  // the current folder was removed
  if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return rt::Utf8ToCp932(dir);
}

bool RtChdir(std::string_view path, std::source_location where) {
  RememberStartFolder();
  if (chdir(rt::HostPath(path).c_str()) != 0) {
    RtRaise(errno == EACCES ? kErrAccessDenied : kErrPathNotFound, where);
  }
  return true;
}

bool RtMkDir(std::string_view path, std::source_location where) {
  const std::string host = rt::HostPath(path);
  if (mkdir(host.c_str(), 0777) == 0) return true;
  const int error = errno;
  struct stat st {};
  if (error == EEXIST && stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  RtRaise(error == ENOENT || error == ENOTDIR ? kErrPathNotFound : kErrAccessDenied, where);
}

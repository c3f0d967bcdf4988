// Folders and host paths. Paths inside the program are CP932 text and may use
// "\" as the folder separator; the host sees UTF-8 with "/".
#pragma once

#include <source_location>
#include <string>
#include <string_view>

namespace rt {

// The host (UTF-8) form of a CP932 path: every "\" that is a character of its
// own (never the trail byte of a double-byte character) becomes "/".
std::string HostPath(std::string_view cp932Path);

// The host folder for files the program can make again, kept between runs:
// $XDG_CACHE_HOME/krn when that is absolute, else $HOME/.cache/krn. Not made
// here; no trailing "/".
std::string CacheFolder();

}  // namespace rt

// The program's configuration folder: $KRN_WINDOWS_DIR when set, else
// $XDG_CONFIG_HOME/krn, else $HOME/.config/krn. Created when missing (error 76
// when it cannot be). CP932 text ending in "/".
std::string RtWindowsFolder(std::source_location where = std::source_location::current());

// The process's current folder as CP932 text, without a trailing separator.
std::string RtCurDir();

// Makes `path` the current folder. A missing folder is error 76, one that may not
// be entered error 75. Returns true.
bool RtChdir(std::string_view path, std::source_location where = std::source_location::current());

// Creates the folder `path` (its parent must exist: error 76 otherwise). Returns
// true when it was made, false when a folder of that name already exists. A file
// of that name or a refused creation is error 75.
bool RtMkDir(std::string_view path, std::source_location where = std::source_location::current());

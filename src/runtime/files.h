// Numbered files 1 to 255 and file-system operations. Paths are CP932 text ("\"
// counts as a folder separator); contents are bytes as they stand (CP932 text
// with CR LF line ends as the program writes them).
//
// Errors: a number outside 1-255, an empty path or one that ends in a separator
// is error 52; a number already open for RtOpen error 55; one that is not open
// error 57; reading a file open for writing, or writing one open for reading,
// error 54; a write that fails removes what it could not finish (see below),
// raises error 61 and closes the number. A missing file to read, copy or delete is error 63 and an existing file for
// OutputNew error 64: both are passed over (recorded, not thrown) and the
// operation returns false. A missing folder is error 76, a read-only or
// forbidden target error 75, a failed write (disk full, file too large) error 61.
//
// Output and OutputNew write to a temporary file in the target's folder, which
// replaces the target only when the file is closed, after everything reached the
// disk: a crash or a failed write never leaves a half-written file, and the old
// file stays intact. Append writes in place. A folder without any write
// permission bit takes no new file (error 75), as a file without them is
// read-only. Files that belong together are renamed together (RtFileGroup).
#pragma once

#include <memory>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

class RtChannel;
struct FileTable;

enum class RtFileMode { Input, Output, Append, OutputNew };

bool RtOpen(int n, std::string_view path, RtFileMode mode,
            std::source_location where = std::source_location::current());
// Closes number n; nothing happens when it is not open.
void RtClose(int n, std::source_location where = std::source_location::current());
// Closes every number. When a file cannot be committed, the others are still
// closed and the first error is raised afterwards.
void RtCloseAll(std::source_location where = std::source_location::current());

// True when nothing is left to read.
bool RtEof(int n, std::source_location where = std::source_location::current());

// One line: the bytes up to CR, which is dropped with an LF after it. An LF alone
// also ends a line. Error 54 when the file is at its end. Returns true.
bool RtLineInputVar(int n, std::string& line,
                    std::source_location where = std::source_location::current());

// One comma-separated field. Blanks before the field are skipped; the field ends
// at a comma or at the line end, which are taken, and its trailing blanks are
// dropped. A colon is an ordinary character. A field that begins with a double
// quote is the text up to the next double quote (commas and blanks included);
// what follows the closing quote up to the next comma or line end is dropped. An
// empty line, and the end of a line after a comma, give an empty field. Error 54
// when the file is at its end. Returns true.
bool RtInputVars(int n, std::string& field,
                 std::source_location where = std::source_location::current());
// A field read as above, as the number it begins with (0 when it begins with no
// number). An exponent written with "E" or "D" is understood.
bool RtInputVars(int n, double& value,
                 std::source_location where = std::source_location::current());

// The next `count` bytes as they stand, CR and LF included. Error 54 when fewer
// are left, error 5 for a negative count. A serial port that sends nothing within
// its time-out passes error 78 over and gives "" (what came before it is lost).
std::string RtInputChars(int n, int count,
                         std::source_location where = std::source_location::current());

// Writes `text`, then CR LF when `newline`.
void RtPrintToFile(int n, std::string_view text, bool newline = true,
                   std::source_location where = std::source_location::current());
// Moves to the next print zone (columns 0, 14, 28, ...) with blanks, at least one.
void RtPrintZoneToFile(int n, std::source_location where = std::source_location::current());
// Moves to `column` (counted from 0) of the line with blanks; when the line
// already extends past it, a line end is written first. A negative column is
// error 5.
void RtPrintTabToFile(int n, int column,
                      std::source_location where = std::source_location::current());

// The file's length in bytes (for a file being written: what was written so far).
long RtLof(int n, std::source_location where = std::source_location::current());

// Deletes a file. Returns true when it was deleted.
bool RtKill(std::string_view path, std::source_location where = std::source_location::current());
// Copies a file onto `to`, replacing it (safely, as Output does). Returns true
// when the copy was made.
bool RtFileCopy(std::string_view from, std::string_view to,
                std::source_location where = std::source_location::current());

// Files written together: while a group is open, closing a file opened for
// Output or OutputNew (RtClose, RtCloseAll) writes it out and syncs it but leaves
// its target as it is. Commit then renames every such file over its target, one
// right after the other with the termination signals held back, so that no
// target is replaced before all of them are written; a failed rename is raised
// (error 61 or 75) and the files not yet renamed are removed. A group that ends
// without Commit (an error on the way) removes every file of the group, held or
// still open: all targets keep what they held. One group at a time (a second is
// error 5); numbers opened for input, and Append, are not part of it.
class RtFileGroup {
 public:
  explicit RtFileGroup(std::source_location where = std::source_location::current());
  ~RtFileGroup();
  RtFileGroup(const RtFileGroup&) = delete;
  RtFileGroup& operator=(const RtFileGroup&) = delete;

  // Closes the group's files still open, then renames every file over its target.
  void Commit(std::source_location where = std::source_location::current());

 private:
  FileTable* table_;
};

// A file (anything but a folder) of that path exists.
bool RtFileExists(std::string_view path);
bool RtFolderExists(std::string_view path);
// A file of that path exists and may not be written: it has no write permission
// bits at all (the read-only attribute), or this process may not write it.
bool RtIsReadOnly(std::string_view path);
// A folder of that path exists and takes no new file: it has no write permission
// bits at all, or this process may not write it. "" is the current folder.
bool RtIsReadOnlyFolder(std::string_view path);
// Both paths name the same file: the same existing file on the same device, or
// the same name in the same folder (which still holds when the file was
// replaced by another, or is missing), however each path is written.
bool RtSameFile(std::string_view a, std::string_view b);

namespace rt {

// The comma fields of one line (without its line end), each as RtInputVars reads
// it from a file: blanks before and after removed, a quoted field without its
// quotes. A comma at the end gives a last, empty field; an empty line one empty
// field.
std::vector<std::string> CommaFieldsOfLine(std::string_view line);

// Puts a channel of another kind (a serial port) on number n: error 52 for a bad
// number, 55 when the number is already open.
void AttachChannel(int n, std::unique_ptr<RtChannel> channel,
                   std::source_location where = std::source_location::current());

}  // namespace rt

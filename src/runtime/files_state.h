// The numbered channels (files, and later serial ports) of a runtime.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file written whole and synced beside its target, waiting to be renamed over
// it: the temporary file, the target, and the temporary file's registration for
// the termination handler (termination.h).
struct HeldFile {
  std::string temp;
  std::string target;
  int registration = -1;
};

// One open channel behind a file number. The file operations (line and field
// input, printing with its column) are built on these few byte operations, so a
// serial port can be another kind of channel on the same numbers. A failing
// operation raises a run-time error (RtRaise) and never reaches for the current
// runtime, so a channel can be finished while the runtime is going away.
class RtChannel {
 public:
  virtual ~RtChannel() = default;

  // The next byte without taking it, or -1 at the end.
  virtual int Peek() = 0;
  // Takes the next byte, or returns -1 at the end.
  virtual int Get() = 0;
  // True when no byte is left to read (always true for a channel that only writes).
  virtual bool AtEnd() = 0;
  // True when a read can get nothing more, ever: a file at its end. A serial
  // port, whose AtEnd only says that nothing is waiting now, is never exhausted.
  virtual bool Exhausted() { return AtEnd(); }
  virtual void Write(std::string_view bytes) = 0;
  // Length in bytes (of a file: what it holds, what was written included).
  virtual long Length() = 0;
  // Finishes the channel: what was written is made permanent. Called once.
  virtual void Close() = 0;
  // Finishes the channel like Close, except that a file which replaces its
  // target is left beside it, written and synced, and handed back to be renamed
  // later (RtFileGroup). Other channels close as by Close and give nothing.
  virtual std::optional<HeldFile> CloseAndHold() {
    Close();
    return std::nullopt;
  }

  // One comma-separated field (see RtInputVars) and one line (see RtLineInputVar);
  // a channel may read them its own way. The caller has checked AtEnd().
  virtual std::string ReadField();
  virtual std::string ReadLine();

  // Print column: bytes written since the last line end.
  long column = 0;
  // Opened for writing while a group (RtFileGroup) was open: it belongs to it.
  bool inGroup = false;
};

struct FileTable {
  static constexpr int kMaxNumber = 255;

  FileTable() = default;
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;
  // Closes (commits) every channel still open; a failure leaves that file as it
  // was before it was opened. Files held by an unfinished group are removed.
  ~FileTable();

  // Removes the files a group holds and forgets them.
  void DropHeld();

  std::array<std::unique_ptr<RtChannel>, kMaxNumber + 1> channels;  // [0] unused

  // While a group (RtFileGroup) is open: the files closed meanwhile, waiting to
  // be renamed.
  bool grouping = false;
  std::vector<HeldFile> held;

  // The speed of each serial port for its next opening (RtComSpeed); 0 = 1200.
  std::array<int, 10> comSpeed{};
  // Upper bound of a port's receive time-out in ms (RtComTimeoutCap); 0 = none.
  int comTimeoutCapMs = 0;
};

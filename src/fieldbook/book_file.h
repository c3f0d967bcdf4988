// The field-book file: the ".Y" files chosen by the user, the automatic save
// "krnb.y" of the input and the editor copy "T.D" in the data folder (CP932,
// CR LF). Line 1 is empty (the display line is not written); then one line per
// record 1 to FieldBookCount: a record shorter than 45 bytes padded with blanks
// to 44 and followed by its attribute, a longer one alone. Read back, a line
// beginning "'" is the record (bytes 1-44) and its attribute (45-74), any other
// line the record as it stands; the first line becomes the display line.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"
#include "runtime/table.h"

struct App;

namespace fieldbook {

// A traverse-layout sight or turning record ("'" or "T", 28 bytes or more, its
// horizontal reading's decimal point in byte 23), the records that the editor
// copy shows with the horizontal reading first. A level reading (its staff
// reading's point in byte 22) is never one.
bool IsTraverseLayout(const std::string& record);

// The editor copy's order of a traverse-layout line (the kind, bytes 19-27,
// bytes 2-18, the rest) and its way back (the kind, bytes 11-27, bytes 2-10,
// the rest).
std::string ToEditorOrder(const std::string& line);
std::string FromEditorOrder(const std::string& line);

// The lines after the empty first line, in the ordinary format; the editor
// copy's lines in its order.
std::vector<std::string> OrdinaryFileLines(const RtTable<std::string>& records,
                                           const RtTable<std::string>& attributes, int count, bool editorCopy);

// The radiation format of a book whose records are the log of a machine
// radiation: an empty record writes nothing; a record ending in a reference
// ("  7=") its observation, after the heading of the referred record unless that
// record was the last written in full; any other record its last 25 bytes (the
// heading) and its first 43, each trimmed.
std::vector<std::string> RadiationFileLines(const RtTable<std::string>& records, int count);

// One line read back: the record and its attribute (empty unless the line
// begins "'"); the editor copy's order undone first.
struct BookLine {
  std::string record;
  std::string attribute;
};
BookLine ParseBookLine(const std::string& line, bool editorCopy);

// A file refused: " " + path + why, in colour 2.
void SayFileRefused(const std::string& path, const char* why);

// Every line of the file at `path` (CR LF ends taken off); false, with a message
// that the book stays as it was, when it is missing, unreadable or holds no line.
bool ReadAllLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace fieldbook

// Writes the book to DialogPath (ChosenFilePath); nothing at all for an empty
// book. The radiation format while ZJ is not 0, except for the editor copy
// (DataFolder + "T.D"), which is always ordinary. Then ZJ := 0 and "ding.wav".
// A file that cannot be written raises the runtime's error; the file on disk
// stays as it was.
void WriteFieldBookFile(App& app);

// Reads DialogPath into the book: after its records (append) or in place of
// them. The file is read whole first; a file that is missing, unreadable, empty
// or would carry the book past record 9999 is named in a message and the book
// stays as it was (false). Otherwise each line is shown, the first becomes
// record 0, "notify.wav" (true).
bool ReadFieldBookFile(App& app, bool append);

// The file menu " ﾌｧｲﾙ 1:ｶｷｺﾐ  2:ﾖﾐｺﾐ  3:ﾂｲｶ  4:ｴﾃﾞｨﾀ " with FileExtension ".Y"
// (FieldBookFileMenu) or the one the caller set: write, read (replacing the
// book), append, the editor on a chosen file; any other answer returns. A
// cancelled dialog goes to RepeatLastCommand.
void FieldBookFileMenu(App& app);
void FieldBookFileMenuWithExtension(App& app);

// Field-book menu choice 6: the file menu, then the field-book menu.
Jump OpenFieldBookFileMenu(App& app);
// The transfer menu's field-book file: the file menu, then the transfer menu.
Jump TransferFieldBookFile(App& app);

// The book corrected in the text editor VZ: written to DataFolder + "T.D" (the
// horizontal reading first), the editor waited for, the file read back in
// place of the book, and deleted. A file the editor left missing, empty or
// unreadable keeps the book as it was.
void EditFieldBookInEditor(App& app);

// The field book to and from data-collector files: the comma-separated SD file
// (".SD") and the fixed-column SDR3P file (".S3P"), both CP932 with CR LF.
// The writers take station and sight records by their byte windows; the SD
// reader turns the collector's station blocks and observations back into book
// records; the SDR3P reader loads the file's lines as records unchanged.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"
#include "runtime/table.h"

struct App;

namespace fieldbook {

// The clock's text in the collector records: date "yy/mm/dd", time "hh:mm:ss".
struct CollectorClock {
  std::string date;
  std::string time;
};

// The SD file's lines for records 1 to `count` of the book; none for an empty
// book.
std::vector<std::string> SdFileLines(const RtTable<std::string>& records, const RtTable<std::string>& attributes,
                                     int count, const std::string& jobName, const CollectorClock& clock);

// The SDR3P file's lines for records 1 to `count`; none for an empty book.
std::vector<std::string> Sdr3pFileLines(const RtTable<std::string>& records, int count, const std::string& jobName,
                                        const CollectorClock& clock);

// What an SD file gives the book: record 0 (the file's path) and records 1 to
// n with their attributes, or why the file cannot be taken.
struct SdRead {
  std::vector<std::string> records;  // records[0] is the display line
  std::vector<std::string> attributes;
  std::string refusal;  // empty when the file was read whole
  int dropped = 0;      // sights without a slope distance, "D00TP" without its "C00TP"
};

// Reads the SD file's lines. With `withConnections` false the collector's
// attribute is a point code and gets "9" (no connection line) before it; true
// takes it as a whole attribute. A station block gives a short-form station
// record (as soon as its "C00TP" is read; its "D00TP" adds the back-sight), an
// observation with a slope distance a sight record with every number
// right-aligned in its whole column; the sights without a distance and a
// "D00TP" without its block are counted as dropped; any other field is passed
// over. A record cut off by the end of the file, or more records than
// the book holds, refuse the file.
SdRead ParseSdFile(const std::vector<std::string>& lines, const std::string& path, bool withConnections);

}  // namespace fieldbook

// Field-book menu choice 7: " 1:Yﾃﾞｰﾀ-->SDﾌｧｲﾙ ..." and its five choices; any
// other answer goes to RepeatLastCommand.
Jump FieldBookConversionMenu(App& app);

// The book written as an SD or SDR3P file named by the save dialog, then the
// field-book menu. An empty book is said before any dialog and writes nothing;
// a cancelled dialog goes to RepeatLastCommand.
Jump WriteSdFile(App& app);
Jump WriteSdr3pFile(App& app);

// The book replaced by an SD file (then RepeatLastCommand) or by the lines of an
// SDR3P file (then the running heights and the field-book menu). A file that
// cannot be taken is named in a message and the book stays as it was.
Jump ReadSdFile(App& app);
Jump ReadS3pFile(App& app);

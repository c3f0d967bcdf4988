// The SIMA file (.SIM): the job's points and, behind them, the parcels of the
// parcel work file "K.D", in the survey offices' exchange format (CP932, CR LF,
// one record a line, every line ending in a comma). The land survey table
// "K.csv" travels beside it as JobFolder + ZA + ".csv".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/control.h"
#include "files/point_list.h"

struct App;

// " 1:座標+画地ｶｷｺﾐ  1.1:座標ｶｷｺﾐ  2:1ﾌﾞｶｷｺﾐ  3:ﾖﾐｺﾐ  4:ﾂｲｶﾖﾐｺﾐ" / " 5:ｴﾃﾞｨﾀ ":
// write points and parcels, points only, a block; read in place of the job,
// read after the last point; edit a file. FileMenuChoice and SubmenuChoice take
// the answer; any other answer goes back to the coordinate management menu.
Jump SimaFileMenu(App& app);

// The save dialog, then the points (all, or a block for choice 2) and for
// choice 1 the parcels of "K.D" as a SIMA file, the connection-line file beside
// it for choices 1 and 1.1, and the copy of "K.csv" beside it. The parcels are
// checked before anything is written: a "D00" line that cannot be cut is
// reported and every file stays as it was. Ends in the coordinate management
// menu with every file closed and the print buffer open for appending again.
Jump WriteSimaFile(App& app);
// WriteSimaFile after its dialog: the files of JobFolder + ZA.
Jump WriteSimaJobFiles(App& app);

// The open dialog (job name kept for an appending read), then ReadSimaFile; a
// cancelled dialog changes nothing and goes back to the menu.
Jump ChooseAndReadSimaFile(App& app);

// Reads JobFolder + ZA + FileExtension. The menu's choice, rounded, gives the
// mode: 3 replaces the job (tables, "K.D", "K.csv"), 4 appends after PointCount
// (the job keeps its name, its "K.csv" and its connection lines); anything else
// is the plain read of the start-up, from ListPointNumber on. The file is read
// whole first: a missing, unreadable or cut file, and points past the table's
// end, are reported with the file and line and the job stays as it was. Ends in
// the plot of all points.
Jump ReadSimaFile(App& app);

namespace files {

// ---- Records, as pure functions ----

// "G00,1," + job name + ",".
std::string SimaJobRecord(std::string_view jobName);

// The A01 record of a point at its 1-based position in the written list: the
// name without leading blanks padded to 16 bytes (a longer one written whole),
// X and Y with 6 decimals in 15 places, Z with 4 in 12. Empty when a coordinate
// is too wide for its field (it would not read back).
std::string SimaPointRecord(int sequence, std::string_view name, double x, double y, double z);

// A vertex of "K.D" left out of the SIMA file: the parcel's kept D00 text and
// the vertex name (a repeated vertex, or a name no point bears).
struct SimaVertexWarning {
  std::string parcelText;
  std::string name;
  bool operator==(const SimaVertexWarning&) const = default;
};

struct SimaParcelSection {
  std::vector<std::string> lines;  // without line ends
  std::vector<SimaVertexWarning> warnings;
  int badLine = 0;  // the line of "K.D" whose "D00" cannot be cut; 0 when none
};

// The parcel section rewritten from the lines of "K.D": parcels renumbered from
// 1, boundary and triangle vertices numbered by the first point (in number
// order) that bears the name, a boundary vertex that repeats the previous, the
// one before it or the first dropped. `pointNames` are the names of points 1,
// 2, ... as stored. Every written line is a whole record: a record line
// without its closing comma is ended, a triangle with a vertex no point bears
// is left out whole, a parcel that another "D00" or the file's end interrupts
// is closed with "D99,".
SimaParcelSection SimaParcelSectionOf(const std::vector<std::string>& parcelFileLines,
                                      const std::vector<std::string>& pointNames);

// What a SIMA file holds, read record by record.
struct SimaRead {
  PointListRead points;                  // A01, H01, I02 points with their line numbers
  std::vector<std::string> parcelLines;  // every line after "A99" or "I99"
  int badLine = 0;                       // a record cut short, or the file's last line
                                         // when it ends inside the points; 0 when whole
};

SimaRead ParseSimaLines(const std::vector<std::string>& lines);

}  // namespace files

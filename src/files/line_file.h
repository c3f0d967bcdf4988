// The job's connection-line file JobFolder + ZA + ".SEN": the point attributes'
// codes, the connection lines, the route tables and the longitudinal-section
// settings, one record a line (CP932, CR LF), ended by a line holding the
// character with code 3. The route file (.RSN) is the tail of the same layout.
#pragma once

#include <string>
#include <string_view>

struct App;

// Writes JobFolder + ZA + ".SEN" when floor(FileMenuChoice + 0.1) is 1 (a full
// save); any other choice leaves the file as it is. New segments that repeat a
// loaded one get type 9 first. The file replaces the old one only once it is
// written whole. File number 1 must be closed; it is closed again afterwards.
void SaveConnectionLineFile(App& app);

// Writes the route rows, the vertical rows, the longitudinal-section settings
// (for a longitudinal-section job) and the end line to file number 1, which is
// open for output, and closes it.
void WriteRouteAndProfileRecords(App& app);

// Reads JobFolder + ZA + ".SEN" unless FileMenuChoice is 4 (an append-read,
// which sets ConnectionFileFound to 0 and reads nothing).
void LoadConnectionLineFileUnlessAppending(App& app);

// Reads JobFolder + ZA + ".SEN" into the point attributes, the line table, the
// route tables and the longitudinal-section settings. A missing file reads
// nothing (ConnectionFileFound 0). A file that cannot be read whole is reported
// with its name and line number and changes nothing (ConnectionFileFound 0);
// only a file read to its end replaces the tables.
void LoadConnectionLineFile(App& app);

// Reads the route file at `path`: its "/" route rows and "^" vertical values
// into empty tables, which replace RouteValue, RouteLabel and VerticalTable only
// once the file is read whole. A row whose label holds "$ " and a point name
// takes the number of that point in this job, as in the connection-line file.
// The "~" records and any other line are passed over; a file without its end
// line keeps its last record. A file that is missing or cannot be read whole is
// reported by its name (and line) and changes nothing; returns whether the
// tables were replaced.
bool LoadRouteFile(App& app, const std::string& path);

namespace files {

// True when a save with the FileMenuChoice in hand writes the connection-line
// file: floor(FileMenuChoice + 0.1) is 1.
bool SavesConnectionLineFile(const App& app);

// The "'" record of line-table entry k, as written to the file.
std::string LineVertexRecord(const App& app, int k);

}  // namespace files

// The coordinate-file menu and the job loading: a job is saved as a point-list
// file with its connection-line file (.SEN) beside it and opened again from them.
#pragma once

#include "core/control.h"

struct App;

// " ﾌｧｲﾙ 1:ｶｷｺﾐ  2:1ﾌﾞｶｷｺﾐ  3:ﾖﾐｺﾐ  4:ﾂｲｶﾖﾐｺﾐ  5:ｴﾃﾞｨﾀ ": write all points with
// the connection-line file, write a block, read in place of the job, read after
// the last point, edit a file. Sets FirstPointToSave, FirstVertexToSave and
// FileExtension ".PRN"; FileMenuChoice and SubmenuChoice take the answer.
Jump CoordinateFileMenu(App& app);

// Save dialog, the points (all, or a block for SubmenuChoice 2) to the chosen
// file, the connection-line file for choice 1, then the result menu. The two
// files replace the old ones together, once both are written. A save that
// cannot be made leaves both files and the job as they were and returns to the
// menu with the reason: a read-only point or connection-line file and a folder
// that takes no new file are refused in the dialog, which comes again; a full
// disk, a coordinate too wide for the file and other refused writes are told
// after the fact. Before it overwrites a job file whose read was refused, the
// save asks (default N).
Jump WriteCoordinateFile(App& app);

// SelectionList := every point 1 to PointCount (none in an empty job), or a
// chosen block when SubmenuChoice is exactly 2; then OpenOutputFileFresh.
void ChoosePointsAndOpenOutput(App& app);
// The block selection, then OpenOutputFileFresh; nothing chosen goes to the
// result menu instead of returning.
void SelectBlockAndOpenOutput(App& app);

// Open dialog, then the file's points replace the job (OpenCoordinateFile) or
// follow its last point (AppendCoordinateFile, which keeps the parcel work file).
Jump OpenCoordinateFile(App& app);
Jump AppendCoordinateFile(App& app);

// Loads JobFolder + ZA + FileExtension: the parcel work file "K.D" is emptied,
// the points are stored from 1 on (FileMenuChoice 3) or after PointCount, the
// loading message is shown, the connection-line file is read unless appending,
// and the names are normalised and plotted on the way to the result menu.
// A file that is missing or cannot be read is reported with its name (and the
// line) and changes nothing: it is read whole before the job is touched.
Jump LoadCoordinateFile(App& app);

// Empties the point, line and route tables for a new job: every point gets its
// default name, LineVertexCount 0. PointCount, the selection, RouteLabel, the
// settings and the files are not touched.
void ClearAllData(App& app);

namespace files {
// Opens the job file in hand (JobFolder + ZA + FileExtension) as file 1 for
// reading, or says why it cannot be read (missing, a folder, not readable) with
// its name and raises the file-not-open error; nothing was changed.
void OpenJobFileToRead(const App& app);

// The parcels of the previous job are gone: the parcel work file "K.D" is made
// anew, empty.
void EmptyParcelWorkFile(const App& app);
}  // namespace files

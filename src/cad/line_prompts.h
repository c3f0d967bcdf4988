// The operations the connection-line commands share beside the line table:
// appending a vertex while points are connected, the colour chart and the layer
// and line-type prompts, and the round trip of the job's line file through the
// text editor.
#pragma once

#include <string>

#include "core/control.h"

struct App;

namespace cad {

struct Lines;

// The first layer and the last one a connection line may have.
inline constexpr int kFirstLayer = 1;
inline constexpr int kLastLayer = 15;

// Whether one more vertex fits into the line table.
bool LineTableHasRoom(const Lines& lines);

// Appends one vertex at the end of the table, starting straight (no arc text).
// False when the table is full; nothing is appended then.
bool AppendVertex(Lines& lines, int point, const std::string& name, int type, int layer);

}  // namespace cad

// Says that the line table is full ("結線データが一杯です…") with "chord.wav".
void ReportLineTableFull(App& app);

// Appends CurrentPointNumber as the next vertex with CurrentLineType and
// CurrentLayer, while LineConnectMode is 1 and connection lines are shown (ZEF
// 1). Every segment joining the same two points (on CurrentLayer, or on any
// layer while the erase mode "線潰し" is on) is first deleted (type 9, arc text
// emptied) and erased from the view. Returns whether the vertex was appended;
// a full table is said and appends nothing.
bool AppendLineVertex(App& app);

// Prints two blanks and the layer numbers 0 to 15 in their colours.
void ShowColourChart(App& app);

// The layer question under the caller's GuideNumber: the colour chart and
// ChosenLayer as the default; Enter alone keeps it, 0 gives layer 1. Only the
// layers 1 to 15 are taken: any other answer is said and asked again.
void InputLayer(App& app);

// The line-type question: ChosenLineType := the answer, 10 for Enter alone
// (shown as "10:" followed by LineTypeAllText).
void InputLineType(App& app);

// Saves the job's connection-line file (unless it could not be read when the job
// was loaded: then the file is opened as it is, for its repair), opens it in the
// text editor VZ, waits, reads it back and goes back to the connection-line
// editor. A save that is refused is said and opens nothing.
Jump EditConnectionLinesInEditor(App& app);

// The DXF menu and the life of its drawing: the drawing chosen and made with
// its head, passes appended to its open ENTITIES section, the finish with the
// title, and the CAD program shown the finished drawing between passes.
#pragma once

#include <string>
#include <string_view>

#include "core/control.h"

struct App;

// CAD-menu choice 6: the drawing chosen in the save dialog and made with its
// head, then the DXF menu. A cancelled dialog goes back to the last command's
// menu. The drawing's name does not become the job's: the job keeps its name,
// folder and extension.
Jump ShowDxfMenu(App& app);
// " 1:初期設定  2:ﾌﾟﾛｯﾄ追加  3:線追加  4:CAD起動 "; Enter, 0, anything outside
// 1-4 (negative answers included) finish the drawing and leave.
Jump ReturnToDxfMenu(App& app);
// Choice 4: the finished drawing shown in the CAD program, then the drawing
// open again for more passes.
Jump LaunchCad(App& app);
// The way out: the drawing finished (unless it stands finished), "K.DXF"
// deleted, the result menu.
Jump ExitDxfMenu(App& app);

// The drawing made anew with the head only (file 6 closed before and after).
void CreateDxfFile(App& app);
// File 6 open for append on the drawing.
void ReopenDxfForAppend(App& app);
// The default plot when nothing was plotted since the CAD menu, "K.DXF" made a
// copy of the open drawing, then the title, "ENDSEC" and "EOF"; file 6 closed.
void FinishDxfFile(App& app);
// The plot with the plan defaults, when nothing was plotted since the CAD
// menu was shown.
void PlotDxfWithDefaults(App& app);

namespace dxf {

// Runs a step of the DXF menu: when an error or a jump leaves it, the drawing
// is closed with the end of its ENTITIES section and "EOF" (without a title)
// before the error handler or the jump's target goes on, so that no drawing
// is left on disk that a DXF reader refuses.
Jump WhileDrawing(App& app, Jump (*step)(App&));
// Ends an unfinished drawing with "ENDSEC" and "EOF" and closes file 6; a
// drawing already finished, or missing, is left as it is.
void CloseUnfinishedDrawing(App& app);

// The DXF menu's choice of an answer: rounded half away from zero; 0 for every
// answer that leaves (0, negative, above 4, not a number).
int MenuChoiceOf(double answer);

// The title of a drawing: the date "yy/mm/dd", the job name and the scale in
// full-width characters, then the origin and the rotation (FormatAngle's text).
std::string TitleTextOf(std::string_view date, std::string_view jobName, double scale,
                        double originX, double originY, std::string_view formattedAngle);

// The program that shows a drawing: the CAD program of KRN_CAD, else VX when it
// is a program of this host, else "librecad" when installed; empty when none
// can be started.
std::string CadProgramFor(const std::string& vx);

// The name under which a drawing changed in the CAD program is kept: the
// drawing's name with "_CAD" before its extension.
std::string CadCopyPath(std::string_view drawingPath);

}  // namespace dxf

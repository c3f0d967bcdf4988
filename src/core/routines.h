// Entries and routines of higher folders that lower folders reach by name.
//
// The folders stand in a layer order (docs/ARCHITECTURE.md) and include only
// downward. Where a lower folder must go on in a higher one — the point
// resolver jumping to the plot of all points, the result menu falling into the
// main menu, the full redraw drawing the overlays of later subsystems — it calls
// the slot here. Each folder that owns a slot fills it in its own
// Register...Routines, and InstallProgramRoutines (the top of the program)
// calls them all once, before the first App runs: the program's main and every
// test and benchmark program do so.
#pragma once

#include "core/control.h"

struct App;
class RtError;

using Routine = void (*)(App&);

struct ProgramRoutines {
  // The program shell.
  Entry MainMenu = nullptr;
  Entry RepeatLastCommand = nullptr;
  Entry SearchPointArea = nullptr;
  Entry PlotAllPoints = nullptr;
  Entry NormalizeNamesThenPlot = nullptr;
  Entry CalibrateMouse = nullptr;
  Routine SettingsScreen = nullptr;
  Routine ShowStatusHeader = nullptr;
  Routine ResetRunState = nullptr;
  Routine ArmMainErrorHandler = nullptr;

  // Points.
  Routine SelectPoints = nullptr;
  Routine ResolvePointNumberOrName = nullptr;

  // The result menu, and the coordinate management menu of the job files.
  Entry ShowResultMenu = nullptr;
  Entry CoordinateManagementMenu = nullptr;

  // Coordinate geometry and stake-out.
  Entry VariousCoordinateMenu = nullptr;
  Routine ReverseTraverseToPoint = nullptr;
  Routine ReportStoredPointByZe = nullptr;

  // The field book.
  Routine FormatObservationFields = nullptr;
  Routine SaveWorkingState = nullptr;
  Routine RestoreWorkingState = nullptr;
  Routine InputTargetHeight = nullptr;
  Routine InputTargetDistance = nullptr;
  Routine InputTargetAngles = nullptr;
  Routine ComputeFromInstrumentReading = nullptr;
  Routine ObserveIntersection = nullptr;
  Routine MeasureTargetOnline = nullptr;
  Entry ForwardIntersectionMenu = nullptr;
  Routine ReadInstrumentAngles = nullptr;
  Routine ComputeTargetFromInstrument = nullptr;

  // Transfer.
  Entry TransferMenu = nullptr;

  // Traverse reports.
  Routine FlushPendingReportLine = nullptr;
  Routine ReportTwoPointInverse = nullptr;
  Routine PrintInverseReport = nullptr;
  Routine PrintDirectionDistanceReport = nullptr;
  Routine NormalizeAngleToDms = nullptr;
  Routine PrintObservationLineBody = nullptr;
  Routine AdvanceStationAndReport = nullptr;
  Routine InputBacksightAngle = nullptr;
  Entry RunOpenReverseTraverse = nullptr;
  Routine AskNewPointStartNumber = nullptr;
  Entry TraverseKindsMenu = nullptr;
  Entry TraverseObservationHeader = nullptr;
  Entry FieldBookCalculation = nullptr;

  // Areas.
  Routine AddPointToRunningArea = nullptr;
  Routine LoadParcelVertexCyclic = nullptr;
  Routine ComputeSemiPerimeter = nullptr;
  Entry ParcelDivisionMenu = nullptr;

  // CAD.
  Entry CadMenu = nullptr;
  Entry ConnectPoints = nullptr;
  Entry PrintOutput = nullptr;
  Routine FitDrawingToPaper = nullptr;
  Routine OpenPrinterPage = nullptr;
  Routine ComputeArcFromRadius = nullptr;
  Routine ApplyLineChangeToSelectedPoints = nullptr;

  // The drawing output: a line cut to the paper, for the printed grid.
  Routine ClipLineToPaper = nullptr;
  // The DXF menu, CAD-menu choice 6.
  Entry ShowDxfMenu = nullptr;

  // Longitudinal sections.
  Routine SetProfileItemNames = nullptr;

  // Transfers and imports.
  Routine AskRegistrationStartNumber = nullptr;

  // What later subsystems draw in the dynamic view's full redraw.
  Routine DrawAllConnectionLines = nullptr;
  Routine DrawPaperFrame = nullptr;
  Routine DrawParcelLabels = nullptr;
  Routine DrawProfileView = nullptr;

  // Longitudinal sections.
  Entry ShowProfileSettingsMenu = nullptr;

  // Drawings: the longitudinal section of a DXF plot run.
  Routine PlotProfileToDxf = nullptr;
};

// The one table of the program.
ProgramRoutines& Routines();

// Runs a routine of the table; a slot nobody filled is a fault of the program's
// wiring and raises run-time error 51 (internal error) rather than crashing.
void Call(Routine routine, App& app);
// The entry of a slot, for a jump; an empty slot raises error 51.
Entry EntryOf(Entry entry);

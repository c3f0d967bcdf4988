// The wiring of the program: every slot of the routine table filled with the
// routine of the folder that owns it.
#include "area/labels.h"
#include "area/parcel_division.h"
#include "area/running_area.h"
#include "area/triangle_sides.h"
#include "cad/cad_menu.h"
#include "cad/connect_points.h"
#include "cad/drawing.h"
#include "cad/line_changes.h"
#include "cad/line_drawing.h"
#include "cad/paper_frame.h"
#include "cogo/coordinate_menu.h"
#include "cogo/reverse_traverse.h"
#include "core/routines.h"
#include "dxf/dxf_menu.h"
#include "dxf/paper_clip.h"
#include "fieldbook/instruments.h"
#include "fieldbook/intersection_observations.h"
#include "fieldbook/observation_fields.h"
#include "fieldbook/online_target.h"
#include "fieldbook/working_state.h"
#include "files/coordinate_management.h"
#include "files/result.h"
#include "points/resolver.h"
#include "points/selection.h"
#include "profile/drawing.h"
#include "profile/dxf_section.h"
#include "profile/item_names.h"
#include "profile/settings.h"
#include "shell/mouse_calibration.h"
#include "shell/program.h"
#include "shell/settings_screen.h"
#include "traverse/field_book_calculation.h"
#include "traverse/inverse_report.h"
#include "traverse/new_point_start.h"
#include "traverse/open_reverse_traverse.h"
#include "traverse/report.h"
#include "traverse/station_loop.h"
#include "traverse/station_setup.h"
#include "transfer/start_number.h"
#include "transfer/transfer_menu.h"
#include "traverse/traverse_menu.h"

void InstallProgramRoutines() {
  ProgramRoutines& r = Routines();
  r.MainMenu = MainMenu;
  r.RepeatLastCommand = RepeatLastCommand;
  r.SearchPointArea = SearchPointArea;
  r.PlotAllPoints = PlotAllPoints;
  r.NormalizeNamesThenPlot = NormalizeNamesThenPlot;
  r.CalibrateMouse = CalibrateMouse;
  r.SettingsScreen = SettingsScreen;
  r.ShowStatusHeader = ShowStatusHeader;
  r.ResetRunState = ResetRunState;
  r.ArmMainErrorHandler = ArmMainErrorHandler;

  r.SelectPoints = SelectPoints;
  r.ResolvePointNumberOrName = ResolvePointNumberOrName;

  r.ShowResultMenu = ShowResultMenu;
  r.CoordinateManagementMenu = CoordinateManagementMenu;

  r.VariousCoordinateMenu = VariousCoordinateMenu;
  r.ReverseTraverseToPoint = ReverseTraverseToPoint;
  r.ReportStoredPointByZe = ReportStoredPointByZe;

  r.FormatObservationFields = FormatObservationFields;
  r.SaveWorkingState = SaveWorkingState;
  r.RestoreWorkingState = RestoreWorkingState;
  r.InputTargetHeight = InputTargetHeight;
  r.InputTargetDistance = InputTargetDistance;
  r.InputTargetAngles = InputTargetAngles;
  r.ComputeFromInstrumentReading = ComputeFromInstrumentReading;
  r.ObserveIntersection = ObserveIntersection;
  r.MeasureTargetOnline = MeasureTargetOnline;
  r.ForwardIntersectionMenu = ForwardIntersectionMenu;
  r.ReadInstrumentAngles = ReadInstrumentAngles;
  r.ComputeTargetFromInstrument = ComputeTargetFromInstrument;

  r.FlushPendingReportLine = FlushPendingReportLine;
  r.ReportTwoPointInverse = ReportTwoPointInverse;
  r.PrintInverseReport = PrintInverseReport;
  r.PrintDirectionDistanceReport = PrintDirectionDistanceReport;
  r.NormalizeAngleToDms = NormalizeAngleToDms;
  r.PrintObservationLineBody = PrintObservationLineBody;
  r.AdvanceStationAndReport = AdvanceStationAndReport;
  r.InputBacksightAngle = InputBacksightAngle;
  r.RunOpenReverseTraverse = RunOpenReverseTraverse;
  r.AskNewPointStartNumber = AskNewPointStartNumber;
  r.TraverseKindsMenu = TraverseKindsMenu;
  r.TraverseObservationHeader = TraverseObservationHeader;
  r.FieldBookCalculation = FieldBookCalculation;

  r.AddPointToRunningArea = AddPointToRunningArea;
  r.LoadParcelVertexCyclic = LoadParcelVertexCyclic;
  r.ComputeSemiPerimeter = ComputeSemiPerimeter;
  r.ParcelDivisionMenu = ParcelDivisionMenu;

  r.CadMenu = CadMenu;
  r.ConnectPoints = ConnectPoints;
  r.PrintOutput = PrintOutput;
  r.FitDrawingToPaper = FitDrawingToPaper;
  r.OpenPrinterPage = OpenPrinterPage;
  r.ComputeArcFromRadius = ComputeArcFromRadius;
  r.ApplyLineChangeToSelectedPoints = ApplyLineChangeToSelectedPoints;

  r.ClipLineToPaper = ClipLineToPaper;
  r.ShowDxfMenu = ShowDxfMenu;

  r.SetProfileItemNames = SetProfileItemNames;

  r.AskRegistrationStartNumber = AskRegistrationStartNumber;
  r.TransferMenu = TransferMenu;

  r.DrawAllConnectionLines = DrawAllConnectionLines;
  r.DrawPaperFrame = DrawPaperFrame;
  r.DrawParcelLabels = DrawParcelLabels;
  r.DrawProfileView = DrawProfileView;

  r.ShowProfileSettingsMenu = ShowProfileSettingsMenu;
  r.PlotProfileToDxf = PlotProfileToDxf;
}

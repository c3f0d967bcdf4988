// Shared state of the input routine, the navigator and the dynamic view.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/graphics.h"
#include "runtime/table.h"

namespace ui {

// The one input routine behind every question.
struct InputState {
  // Prompt contract: the caller sets GuideNumber; the routine leaves the answer.
  double GuideNumber = 0;
  std::string Answer;
  double AnswerValue = 0;
  std::string AnswerCopy;
  std::string RawAnswer;

  double InputStyle = 1;  // 1 full style (key loop), -1 plain line input
  int PromptColumn = 0;
  int PromptRow = 0;
  int TextAreaRows = 39;  // the console's scrolling rows as the routine last set them
  std::string TypedText;
  std::string KeyText;
  int KeyCode = 0;

  // Mode flags, set by the entries and cleared together at the end of a question.
  double InputDirectionHFlag = 0;
  double InputDirectionFlag = 0;
  double InputDistanceFlag = 0;
  double InputPointNameFlag = 0;
  double InputMenuChoiceFlag = 0;
  double StationMarkerOn = 0;
  double InputCoordinatePickFlag = 0;

  double DefaultPickState = 1;
  double PickAnswered = 0;
  double ViewRedrawPending = 0;
  double FunctionKeysBound = 0;

  // Pointer and picks.
  double PointerX = 0;
  double PointerY = 0;
  double ArcInputMode = 0;
  double PickListWidth = 0;
  double DragIndicatorOff = 0;
  double DragTextShown = 0;
  double LeftButtonHeld = 0;
  double IntersectionMode = 0;
  double MiddleDragState = 0;
  double HighlightedPickPoint = 0;
  // The point whose name a click in the view typed as the answer; 0 when the
  // answer in hand was not typed so (at the start of every question and of the
  // key loop, after a press that found no point or picked a console word, and
  // once a key edits the typed text). Among points of the same name the point
  // resolver offers this one.
  double PickedPointNumber = 0;
  std::string BrowseKey;  // the key the plot browser read last
  double PickOffsetMode = 0;
  double ClickColumn = 0;
  double ClickRow = 0;
  // The last left-button press: view units (y scaled by MouseScaleRatio) and ground.
  double PressViewX = 0;
  double PressViewY = 0;
  double PressGroundX = 0;
  double PressGroundY = 0;
  double DragDistance = 0;  // pointer's distance from the press, view units / 50
  double DragStartX = 0;    // ground position of the pointer at a middle-button press
  double DragStartY = 0;
  // Station and offset typed by the previous station pick; never reset.
  double PreviousPickStation = 0;
  double PreviousPickOffset = 0;
  // Readouts of the pass without a key that the picks type.
  double BaseStation = 0;
  double BaseOffset = 0;
  double ReadoutDistance = 0;
  // Time of day (ms) the pointer last moved over the view and over the main window.
  int32_t ViewPointerMovedTime = 0;
  int32_t ConsolePointerMovedTime = 0;
  // Pointer over the main window (its units), and the positions of the previous pass.
  double ConsolePointerX = 0;
  double ConsolePointerY = 0;
  double LastPointerX = 0;
  double LastPointerY = 0;
  double LastConsolePointerX = 0;
  double LastConsolePointerY = 0;
  // The drag indicator drawn while the left button is held.
  double DragCirclesShown = 0;
  // The caption readouts: the reference of "l=", the work point kept while the
  // live parcel area borrows it, the angle label and the caption line.
  double DistanceReferencePoint = 0;
  double DistanceReferenceX = 0;
  double DistanceReferenceY = 0;
  double SavedParcelPointX = 0;
  double SavedParcelPointY = 0;
  std::string ReadoutAngleLabel;
  std::string ViewCaptionText;

  // Word tests of the click handlers and the screen pick mode.
  double ScreenCharCode = 0;
  double WordTestResult = 0;

  // Screen pick mode: the cursor cell (the marked cell is the one left of it),
  // the character of the marked cell and the key of the current pass.
  int CursorColumn = 0;
  int CursorRow = 0;
  std::string CursorCharacter;
  std::string LastKey;
};

// The navigator: guide texts and menu picture.
struct NavigatorState {
  double NavigatorOff = 0;
  RtTable<std::string> GuideText{1100};
  double NavigatorScale = 1;
  double NavigatorMaxWidth = 0;
  double NavigatorMaxHeight = 0;
  // Guide display: the stacking countdown and the title shown last (with its line feed).
  double GuideCountdown = 0;
  std::string PreviousGuideTitle;
  double NavigatorPictureDirty = 0;  // 1 after a magnified menu cell covered the picture
  // The cell of the menu picture to magnify, set by a menu before it shows its place.
  double MenuCellColumn = 0;
  double MenuCellRow = 0;
  // The menu picture, and a copy of the navigator with the picture drawn at its
  // maximised size, from which the menu cells are taken.
  RtBitmap NavigatorPicture;
  RtBitmap NavigatorBitmap;
};

// The dynamic view: transform and drawing state.
struct ViewState {
  double ViewScale = double(0.7f);  // metres per view unit
  double ViewOriginX = -100;
  double ViewOriginY = -100;
  double ViewHeight = 0;
  double ViewWidth = 0;
  double ViewHalfHeight = 0;
  double ViewHalfWidth = 0;
  double VerticalRatio = 1;
  double ViewMaxWidth = 0;
  double ViewMaxHeight = 0;
  double ViewFontSize = 7;
  double ViewFontStep = 2;
  double MouseScaleRatio = 1;
  double GuidanceMode = 1;
  double BackgroundPictureOn = 1;
  double PointToDraw = 0;
  double LastCrossScreenX = 0;
  double LastCrossScreenY = 0;
  double HeightTextColour = 13;
  double BackgroundShade = 0;  // 0 with the black background, 7 with the white one
  RtBitmap BitmapPicture;      // the background picture, filled by the bitmap reading
  double BackgroundPictureLoaded = 0;
  double BackgroundPictureScale = 0;  // from the picture's own size to view units

  // Drawing of points and of the cross mark of the point in hand.
  double LabelOffset = 0;  // offset of names and marks from their point, view units
  double PointDrawColour = 0;
  double PointNameColour = 0;
  std::string LastCrossName;
  double ViewClearedFlag = 0;
  double LineToPointColour = 9;  // colour of the line of DrawLineToPoint(InColour)
  std::string PointMarkText;     // mark character of the point being drawn
  std::string MarkSymbol;        // its symbol text
  std::string LineTypeCode;      // line-type digit "0"-"9" of SetLineStyleFromCode
  double ViewGridSpacing = 0;    // metres between the lines of one DrawViewGrid
  double ViewGridColour = 0;
  double PaletteHighlightColour = 9;  // the tool palette's selection boxes
  double PaletteBackColour = 15;      // and strips

  // The screen plot's own transform and the extent of a fitted selection.
  double PlotOrientation = 0;  // -1 normal, 1 axes exchanged
  double PlotNamesShown = 1;   // 1 the plot view prints point names, -1 not
  double PlotScale = 0;
  double PlotOriginX = 0;
  double PlotOriginY = 0;
  double ExtentMaxX = 0;
  double ExtentMaxY = 0;
  double PlotIndex = 0;
  double PlotResumeIndex = 0;
  double PlotPoint = 0;
  double PlaneHorizontal = 0;
  double PlaneVertical = 0;
  double PlotScreenX = 0;  // view position of PlotPoint by the plot's transform
  double PlotScreenY = 0;
  // The screen plot browser: the point held across a redraw, the code of the
  // last key (the key itself is InputState::BrowseKey) and the magnification of
  // the go-to-point command.
  double PlotHeldPoint = 0;
  double PlotKeyCode = 0;
  double PlotAskMagnification = 0;
  double PlotMagnification = 1;

  // The station marker drawn last (view units), and the BaseRadius it was drawn for.
  struct Marker {
    double CentreX = 0;
    double CentreY = 0;
    double Radius = 0;
    double LineX = 0;
    double LineY = 0;
    double LineDX = 0;
    double LineDY = 0;
    double BaseRadius = 0;
  } LastMarker;
};

}  // namespace ui

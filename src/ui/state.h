// Shared state of the input routine, the navigator and the dynamic view.
#pragma once

#include <string>

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
  double PickOffsetMode = 0;
  double ClickRow = 0;
};

// The navigator: guide texts and menu picture.
struct NavigatorState {
  double NavigatorOff = 0;
  RtTable<std::string> GuideText{1100};
  double NavigatorScale = 1;
  double NavigatorMaxWidth = 0;
  double NavigatorMaxHeight = 0;
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
};

}  // namespace ui

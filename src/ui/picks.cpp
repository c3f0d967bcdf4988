// Mouse handlers of the input routine. The picks, drags, pans and the wheel zoom
// come with the view's mouse work; the right button already answers as Enter.
#include "ui/picks.h"

#include "shell/app.h"

void PickPointOrTool(App&) {}
void PickDirection(App&) {}
void PickDistance(App&) {}
void PickStationOffset(App&) {}
void PickCoordinates(App&) {}
void PickMenuNumber(App&) {}
void PickWordOrLabel(App&) {}

void AcceptTypedText(App& app) {
  ui::InputState& in = app.input;
  in.Answer = in.TypedText;
  in.AnswerCopy = in.Answer;
  in.TypedText.clear();
  in.PickAnswered = 1;
}

void FinishLeftDrag(App&) {}
void StartMiddlePan(App&) {}
void EndMiddlePan(App&) {}
void ZoomByWheel(App&) {}

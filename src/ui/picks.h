// Mouse handlers of the input routine: left-button picks on the view and the
// console, the right button, drags, pans and the wheel.
#pragma once

struct App;

using PickHandler = void (*)(App&);

// Left button down, one handler per kind of question.
void PickPointOrTool(App& app);  // the default
void PickDirection(App& app);
void PickDistance(App& app);
void PickStationOffset(App& app);
void PickCoordinates(App& app);
void PickMenuNumber(App& app);
void PickWordOrLabel(App& app);

// Records a left-button press: PressViewX/Y (y scaled by MouseScaleRatio),
// PressGroundX/Y by the inverse of the view transform, LeftButtonHeld := 1.
void MouseToWorld(App& app);
// The word of the console text under the main window's pointer: left in Answer
// and TypedText with PickAnswered = 1, highlighted at its place and echoed after
// the prompt; Answer empty when there is none or the press was meant for the view.
void PickConsoleWord(App& app);

// Right button down: takes what was typed as the answer, as Enter does.
void AcceptTypedText(App& app);

// Left button up, middle button down and up, wheel.
void FinishLeftDrag(App& app);
void StartMiddlePan(App& app);
void EndMiddlePan(App& app);
void ZoomByWheel(App& app);

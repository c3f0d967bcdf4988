// The one input routine behind every question. The caller prints its prompt,
// sets GuideNumber and calls an entry; the answer comes back in Answer,
// AnswerValue, AnswerCopy and RawAnswer.
#pragma once

#include "ui/picks.h"

struct App;

void InputText(App& app);
void InputPointName(App& app);
void InputMenuChoice(App& app);
void InputDistance(App& app);
void InputDirection(App& app);
void InputDirectionH(App& app);
void InputWithMarker(App& app);
void InputCoordinatePick(App& app);
// Asks "f=" (the target height of a sight) when the field book records transit
// observations and the instrument height and vertical answer are known.
void InputTargetHeightIfNeeded(App& app);

// The rows of the console's text area for the main window's height: as many as
// it shows, at least 1 and at most the console's 39.
int MainWindowTextAreaRows();

// AnswerValue from Answer.
void NormalizeNumberText(App& app);

// The left-button handler that the mode flags choose: the default one, replaced
// by the handler of each flag that is set, in binding order, so the last wins.
// Each flag but the coordinate pick's also sets DefaultPickState to 0.
PickHandler ChooseLeftButtonHandler(App& app);

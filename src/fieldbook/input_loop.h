// The field-book input: observations recorded pass by pass in the traverse
// mode (0) or a levelling run (modes 1 and 2), typed or measured, with the
// one-letter commands between them.
#pragma once

#include "core/control.h"

struct App;

// Menu choice 3: the mode and a new set-up appended to the book, then the loop.
Jump FieldBookInput(App& app);

// Menu choice 9 and every pass: "krnb.y" saved, the display, one prompt and its
// command; "Q" (or Enter alone at "S=" and "FS=") goes back to the menu.
Jump ContinueFieldBookInput(App& app);

// "-": the last record dropped (its text stays until overwritten); the counts
// lowered, none below 0. Refused on an empty book (false).
bool DeleteLastFieldBookRecord(App& app);

// "P" and "E" in the traverse mode: the last sight becomes the turning record
// with the instrument height at the new station.
void TraverseTurningPoint(App& app);

// "P" and "E" in the level modes: a back sight on the last point appended; "E"
// also marks the run's record as ended at it.
void LevelTurningPoint(App& app);

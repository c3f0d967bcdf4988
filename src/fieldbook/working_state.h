// The working state of a calculation kept while the instrument station stands
// in for it (the reverse traverse and the guidance to a point), and the target
// height of a sight from that station.
#pragma once

struct App;

// Keeps a copy of the work point, the leg (direction, distance, included
// angle), the slope of A-B, the from-point with its height, DesignatedPointZ,
// BackDirection and the construction points B and C (its Y); then makes the
// instrument station the from-point: BackDirection and the leg's direction :=
// InstrumentOrientation, FromPointZ := InstrumentStationZ, TargetHeight :=
// SetupInstrumentHeight, DesignatedPointZ := WorkPointZ. The work point stays.
// The copies stack: a save nested inside another is undone by its own restore.
void SaveWorkingState(App& app);

// Puts back everything the last SaveWorkingState not yet undone kept, and
// TargetHeight := SetupInstrumentHeight.
void RestoreWorkingState(App& app);

// Only with an instrument height set up: "f=" with the target height rounded
// to 1/TZ (guide 11); an answer other than Enter alone sets TargetHeight.
void InputTargetHeight(App& app);

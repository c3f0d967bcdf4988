// Points in the public plane system of the job and in the local system of the
// current base line (CoordinateDisplayMode 1 and -1): the conversion between the
// two, the commands that register converted points, and the choice of the point
// list line by the setting ZD.
//
// The local system has its origin at the base point and its x axis along
// BaseAzimuth; y is positive to the right of it. With BaseChainage and
// BaseRadius 0 the local values are those ConvertToStationOffset gives, and the
// two conversions are each other's inverse.
#pragma once

struct App;

// The point list line of the work point by ZD (rounded): 1 the plain list line,
// 2 the numbered line (CheckPointListMode), any other value nothing.
void PrintPointListByMode(App& app);

// The work point's X and Y, taken as local x and y, in public coordinates;
// PolarDistance and PolarAngle := its distance from the base point and its
// direction angle. WorkPointZ is left alone.
void ConvertLocalPublic(App& app);

// "X,Y-->x,y" (guide 289), then a point or, on the answer O, a selection of
// points: one point is registered in local coordinates through StorePoint (its
// number and name asked there); each point of a list through
// RegisterInitialPoint. An abandoned question registers nothing. Leaves
// CoordinateDisplayMode 1, PointCount and NextPointNumber recomputed.
void SwitchToLocalCoordinates(App& app);
// The same from local to public coordinates (the caller has written
// "x,y-->X,Y"); PointCount and NextPointNumber are recomputed after a list.
void SwitchToPublicCoordinates(App& app);

// Registers the converted work point of the listed point in hand
// (SelectionList at SelectionIndex - 1). For the first point of the list it asks
// "ｼｮﾃﾝﾄｳﾛｸ[U] No. n" (guide 310): Enter keeps NextPointNumber, a whole number
// from 1 to PointCapacity starts the new numbers there, U (either case) writes
// the converted X and Y over the listed points themselves. New numbers must stay
// in the table and be free for the whole list, else it says why and asks again.
// The later points follow the first one's reply. A new point takes the listed
// point's name, height and attribute; every point written is listed in
// NewPointList.
void RegisterInitialPoint(App& app);

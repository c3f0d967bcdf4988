// The three points A, B and C of a construction, asked one after another: A
// becomes the from-point, B goes to SecondLineEndX/Y (the second point of the
// line from A) and C to FirstLineStartX/Y; PointAName and PointCName keep the
// answers that named A and C. Each question leaves the work point as it was.
#pragma once

struct App;

// "Aﾃﾝ" (guide 286), "Bﾃﾝ", then all that InputPointC does. An abandoned A
// (Enter or "%") jumps to the coordinate calculations menu. An abandoned B is
// A moved by the B - A of the last B given (ABVectorX/Y, which B then keeps),
// so that a new A with Enter at B gives a line parallel to the last one.
void InputPointsABC(App& app);
// A and B of InputPointsABC alone: a new line for the same C.
void InputLinePointsAB(App& app);
// "Cﾃﾝ", then all that InputPointCNext does.
void InputPointC(App& app);
// C without its title. An abandoned C leaves RawAnswer "%" for the caller and
// C at the work point as it was.
void InputPointCNext(App& app);

// The reduction of a station set up beside the reference point (an eccentric
// station) from two sights: one to the reference point, one to the back-sight.
#pragma once

struct App;

namespace traverse {

// The direction (degrees) from the reference point A to the eccentric station
// P. `orientation` is the known direction A to B, `referenceReading` the
// horizontal reading of the sight to A (degrees), and the two sights reduced
// as if taken at A lie at (ax, ay) and (bx, by): they reproduce the triangle
// A, B, P turned by the unknown orientation of P, which the difference between
// the turned and the known direction A to B gives back. Kept positive (360 to
// 1080).
double EccentricStationAzimuthOf(double orientation, double referenceReading, double ax, double ay, double bx,
                                 double by);

}  // namespace traverse

// By the decimal digit of SubmenuChoice (the menu choice that started the
// set-up): none, nothing. Otherwise the instrument height at the eccentric
// station is asked ("ｷｶｲﾀﾞｶ="); with .1 and .2 the sights to the reference
// point ("ﾍﾝｼﾝ ｷｼﾞｭﾝﾃﾝ") and to the back-sight ("ﾍﾝｼﾝ ﾊﾞｯｸ") follow, the
// eccentric station P is computed, the check " ｻ L=" (observed minus known
// distance A to B, and "  Z=" the height of B with an instrument height) is
// shown and P is registered (StorePoint); the from-point is then P, oriented
// on A. With .2 and .3 the instrument station is set up (at P oriented on A,
// or at A oriented on B) and the from-point, orientation and distance go back
// to A, B and the known distance. The user's base line is left as it is. An
// Enter at a sight abandons the reduction: the set-up stays on A.
void ReduceEccentricObservation(App& app);

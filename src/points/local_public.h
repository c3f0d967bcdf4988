// Points in the public plane system of the job and in the local system of the
// current base line (CoordinateDisplayMode 1 and -1), and the choice of the point
// list line by the setting ZD.
#pragma once

struct App;

// The point list line of the work point by ZD (rounded): 1 the plain list line,
// 2 the numbered line (CheckPointListMode), any other value nothing.
void PrintPointListByMode(App& app);

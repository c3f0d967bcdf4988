// The parcel labels in their least form: the label table is made and filled by
// the area menu, which comes with the area subsystem; until then LabelCount
// stays 0 and there is nothing to draw.
#include "area/labels.h"

void DrawParcelLabels(App&) {}

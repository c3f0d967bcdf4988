// The paper frame in its least form: PaperFrameOn is set only by the CAD menu,
// which comes with the CAD subsystem together with the frame itself.
#include "cad/paper_frame.h"

void DrawPaperFrame(App&) {}

// Shared state of the DXF output that other subsystems reset.
#pragma once

namespace dxf {

struct State {
  double DxfPlotted = 0;
};

}  // namespace dxf

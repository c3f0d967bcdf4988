// State of the transfers and imports that other subsystems read.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace transfer {

struct State {
  // The point number under which the next received, read or digitised point
  // is stored.
  double RegistrationNumber = 0;

  // The DXF import. Its layer list is its own: slot 0 stays empty, slots 1 to
  // 16 hold the names to read (slot 16 the last of the 16th and later names),
  // 17 to 31 the names to leave out; the slot of a name is the layer its
  // entities get. DxfOverflowLayers are the listed names beyond slot 15, whose
  // entities find no slot. DxfReadMode: 0 none, 1 normal, 2 one layer, 3 the
  // layers typed, 4 all but those typed (5 once they are typed).
  std::array<std::string, 33> DxfLayerName;
  std::vector<std::string> DxfOverflowLayers;
  double DxfReadMode = 0;
  double DxfImportScale = 1;  // the typed denominator / 1000
  std::string ImportPointName;
  double ImportFirstNumber = 0;
};

}  // namespace transfer

// The entities of the DXF import: LINE, POINT, CIRCLE and ARC of a drawing
// become points of the point table and segments of the line table. Drawing x
// becomes the easting Y, drawing y the northing X, drawing z the height Z, each
// times the import's scale; points of this import with equal coordinates (to
// four decimals) are stored once.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct App;
class PointReceiver;

namespace transfer {

struct DxfDrawing;

// The line type 0 to 8 of a line-type name (group 6); 0 for CONTINUOUS and
// every name the table does not hold.
int DxfLineTypeOf(std::string_view name);

// The layer of an entity on the layer `name` (group 8): the lowest slot 0 to 15
// of `slots` holding that name (slot 0, always empty, gives layer 1), else
// layer 2 in read mode 1; read mode 2 gives `chosenLayer` to every entity.
// Empty in modes 3 and 5 for a name in no slot: the entity is passed over.
std::optional<int> DxfLayerOf(double mode, double chosenLayer,
                              const std::array<std::string, 33>& slots, std::string_view name);

// An arc about the centre (X, Y) of radius r from the drawing angle `start` to
// `end` (degrees counter-clockwise from the drawing's x axis): its start and
// end points (X, Y), unscaled, at the directions 90 - angle.
struct ArcEnds {
  double startX, startY, endX, endY;
};
ArcEnds DxfArcEnds(double centreX, double centreY, double r, double start, double end);
// The arc text of such an arc as the line table keeps it: the number text of
// -r x scale, then " 1" when it sweeps more than 180 degrees, else " 0".
std::string DxfArcText(double r, double start, double end, double scale);
// The arc text of a circle of radius r: r x scale with 9 decimals.
std::string DxfCircleText(double r, double scale);

// What an import read and what it left.
struct DxfImportSummary {
  std::vector<std::pair<std::string, int>> passedOver;  // kinds not read, in order seen
  int overflowEntities = 0;  // entities on the listed layers beyond slot 15
  int overflowLayers = 0;    // how many such layers had entities
  bool pointTableFull = false;
  bool lineTableFull = false;
};

// Reads the entities of `drawing` with the import's settings in app.transfer
// (DxfReadMode, DxfLayerName, DxfOverflowLayers, DxfImportScale,
// ImportPointName, RegistrationNumber, ImportFirstNumber) and
// app.lines.ChosenLayer, storing new points through `receiver` and appending
// segments. Each entity is taken whole or not at all: the import stops before
// an entity whose points would pass number 9999 or whose vertices would pass
// the line table's end. `progress` is told the kind of every entity read.
DxfImportSummary ImportDxfEntities(App& app, const DxfDrawing& drawing, PointReceiver& receiver,
                                   const std::function<void(const std::string&)>& progress = {});

}  // namespace transfer

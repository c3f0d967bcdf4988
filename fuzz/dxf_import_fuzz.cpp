// The DXF import: an input is a drawing read by the strict reader and, when it
// is not refused, its layer list filled and its entities imported into a fresh
// job in read mode 1 at scale 1/1000 from number 1 on.
#include <cstddef>
#include <cstdint>

#include "core/app.h"
#include "fuzz_support.h"
#include "transfer/dxf_import.h"
#include "transfer/dxf_import_entities.h"
#include "transfer/dxf_import_reader.h"
#include "transfer/link.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const transfer::DxfDrawing drawing = transfer::ReadDxfDrawing(fuzz::Bytes(data, size));
    if (!drawing.refusal.empty()) return;
    App app;
    transfer::State& t = app.transfer;
    transfer::FillDxfLayerList(drawing.layers, 1, t.DxfLayerName, t.DxfOverflowLayers);
    t.DxfReadMode = 1;
    t.DxfImportScale = 1;
    t.RegistrationNumber = 1;
    t.ImportFirstNumber = 1;
    t.ImportPointName = "D1";
    PointReceiver receiver(app);
    transfer::ImportDxfEntities(app, drawing, receiver);
  });
  return 0;
}

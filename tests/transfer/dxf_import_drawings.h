// Drawings for the DXF import tests: written by python3-ezdxf (Debian's, under
// /usr/bin/python3), a DXF writer the program has nothing to do with, and by
// hand as group-code and value lines.
#pragma once

#include <string>

#include "runtime/temp_folder.h"
#include "support/dxf_reader.h"
#include "support/u8.h"

namespace dxf_import_drawings {

// R2000 with code page 932 (texts as CP932 bytes): a DASHED line on the layer
// 道路, a line sharing its end, a circle, an arc with a colour (group 62), a
// point, a block with its INSERT and an LWPOLYLINE. Layer table: 0, Defpoints,
// 道路, 境界.
inline constexpr const char8_t* kR2000 = u8R"PY(
import sys, ezdxf
doc = ezdxf.new("R2000", setup=True)
doc.encoding = "cp932"
doc.layers.add("道路", color=3)
doc.layers.add("境界")
msp = doc.modelspace()
msp.add_line((10, 20, 1), (30, 40, 1), dxfattribs={"layer": "道路", "linetype": "DASHED"})
msp.add_line((30, 40, 1), (50, 20, 0), dxfattribs={"layer": "境界"})
msp.add_circle((100, 100, 0), 2.5, dxfattribs={"layer": "境界"})
msp.add_arc((0, 0), 10, 0, 90, dxfattribs={"layer": "道路", "color": 1})
msp.add_point((5, 6, 7), dxfattribs={"layer": "境界"})
blk = doc.blocks.new("MARK")
blk.add_line((0, 0), (1, 1))
msp.add_blockref("MARK", (200, 200), dxfattribs={"layer": "境界"})
msp.add_lwpolyline([(0, 0), (10, 0), (10, 10)], dxfattribs={"layer": "境界"})
doc.saveas(sys.argv[1])
)PY";

// R2010 (UTF-8): a line on the layer 境界é (é has no Shift-JIS form) and a
// CENTER circle on 道路. Layer table: 0, Defpoints, 境界é, 道路.
inline constexpr const char8_t* kR2010 = u8R"PY(
import sys, ezdxf
doc = ezdxf.new("R2010", setup=True)
doc.layers.add("境界é")
doc.layers.add("道路")
msp = doc.modelspace()
msp.add_line((1, 2, 0), (3, 4, 0), dxfattribs={"layer": "境界é"})
msp.add_circle((3, 4, 0), 5, dxfattribs={"layer": "道路", "linetype": "CENTER"})
doc.saveas(sys.argv[1])
)PY";

// R12 (code page 1252, ASCII names): points without height one after another,
// two arcs that sweep 270 degrees, and 20 layers L1 to L20 with a line on L3
// and one on L18.
inline constexpr const char8_t* kR12 = u8R"PY(
import sys, ezdxf
doc = ezdxf.new("R12")
for i in range(1, 21):
    doc.layers.add("L%d" % i)
msp = doc.modelspace()
msp.add_point((1, 2), dxfattribs={"layer": "L1"})
msp.add_point((3, 4), dxfattribs={"layer": "L1"})
msp.add_arc((0, 0), 10, 10, 280, dxfattribs={"layer": "L2"})
msp.add_arc((0, 0), 10, 100, 10, dxfattribs={"layer": "L2"})
msp.add_line((0, 0), (5, 5), dxfattribs={"layer": "L3"})
msp.add_line((7, 7), (9, 9), dxfattribs={"layer": "L18"})
doc.saveas(sys.argv[1])
)PY";

// Writes the drawing of `script` to `path`; what python printed (empty when
// it went well).
inline std::string Write(const char8_t* script, const std::string& path) {
  std::string printed;
  for (const std::string& line : dxf_reader::RunScript(U8(script).c_str(), path)) printed += line + "\n";
  return printed;
}

// A drawing by hand: the layer table of `layers` (names one a line) and the
// entity lines of `entities` (code and value lines, "\n" between them).
inline std::string ByHand(const std::string& entities, const std::string& layers = "") {
  std::string text = "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n";
  for (std::size_t at = 0; at < layers.size();) {
    const std::size_t end = layers.find('\n', at);
    text += "0\nLAYER\n2\n" + layers.substr(at, end - at) + "\n70\n0\n";
    at = end == std::string::npos ? layers.size() : end + 1;
  }
  return text + "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities +
         "0\nENDSEC\n0\nEOF\n";
}

}  // namespace dxf_import_drawings

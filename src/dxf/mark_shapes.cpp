#include "dxf/mark_shapes.h"

#include <cstdlib>
#include <string>

#include "cad/print_page.h"
#include "core/app.h"

namespace {

constexpr std::string_view kMarkLayer = "マ-ク";

struct ShapeEntry {
  std::string_view character;
  std::string_view code;
};

constexpr ShapeEntry kShapes[] = {
    {"・", "R0.5"},
    {"○", "R5"},
    {"●", "R5/4/3/2/1"},
    {"◎", "R5/3"},
    {"□", "L5,5/5,-5/-5,-5/-5,5/5,5"},
    {"■", "P5,5/5,-5/-5,-5/-5,5/5,5"},
    {"◇", "L0,5/5,0/0,-5/-5,0/0,5"},
    {"◆", "P0,5/5,0/0,-5/-5,0/0,5"},
    {"△", "L0,5/4.33,-2.5/-4.33,-2.5/0,5"},
    {"▽", "L4.33,2.5/0,-5/-4.33,2.5/4.33,2.5"},
    {"×", "L5,5/-5,-5/0,0/-5,5/5,-5"},
    {"＋", "L0,5/0,-5/0,0/-5,0/5,0"},
    {"＊", "L5,4/-5,-4/0,0/-5,4/5,-4/0,0/0,5/0,-5"},
};

// The number at the front of `text` (0 when none), and `text` moved past it.
double ReadNumber(std::string_view& text) {
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  text.remove_prefix(static_cast<size_t>(end - copy.c_str()));
  return value;
}

// Moves `text` past the first `separator`; false when there is none left.
bool SkipPast(std::string_view& text, char separator) {
  const size_t at = text.find(separator);
  if (at == std::string_view::npos) return false;
  text.remove_prefix(at + 1);
  return true;
}

// One trace of an outline's vertices, scaled about the point by `factor`.
void TraceOutline(dxf::Sink& out, std::string_view items, double x, double y, dxf::Height z,
                  double unit) {
  for (;;) {
    const double vx = ReadNumber(items);
    SkipPast(items, ',');
    const double vy = ReadNumber(items);
    dxf::WriteVertex(out, kMarkLayer, "", x + vx * unit, y + vy * unit, z);
    if (!SkipPast(items, '/')) return;
  }
}

}  // namespace

namespace dxf {

std::string_view MarkShapeCode(std::string_view character) {
  for (const ShapeEntry& e : kShapes) {
    if (e.character == character) return e.code;
  }
  return {};
}

void WriteMarkShapes(Sink& out, std::string_view markString, double x, double y, Height z,
                     double markSize) {
  const double unit = markSize / 10;
  for (const std::string& character : cad::CharactersOf(markString)) {
    const std::string_view code = MarkShapeCode(character);
    if (code.empty()) {
      TextRecord t;
      t.layer = kMarkLayer;
      t.x = x - markSize * 0.5;
      t.y = y - markSize * 0.5;
      t.z = z;
      t.height = markSize;
      t.widthFactor = "1";
      t.text = character;
      WriteText(out, t);
      continue;
    }
    const std::string_view items = code.substr(1);
    switch (code[0]) {
      case 'R': {
        std::string_view rest = items;
        do {
          WriteCircle(out, kMarkLayer, "", x, y, z, ReadNumber(rest) * unit);
        } while (SkipPast(rest, '/'));
        break;
      }
      case 'L':
        WritePolyline(out, kMarkLayer, "", z);
        TraceOutline(out, items, x, y, z, unit);
        WriteSeqend(out);
        break;
      default: {
        // The fill: six traces shrinking towards the point. The step is held in
        // single precision, so the sixth factor ends just below 0 and the fill
        // stops there.
        WritePolyline(out, kMarkLayer, "", z);
        double factor = 1;
        for (;;) {
          TraceOutline(out, items, x, y, z, unit * factor);
          if (!(factor > 0)) break;
          factor -= double(0.2f);
        }
        WriteSeqend(out);
        break;
      }
    }
  }
}

}  // namespace dxf

void WriteMarkShapes(App& app, dxf::Sink& out) {
  const points::Store& p = app.points;
  const dxf::State& d = app.dxf;
  const dxf::Height z = d.Output3D == 1 ? dxf::Height(p.WorkPointZ) : std::nullopt;
  dxf::WriteMarkShapes(out, d.MarkString, p.WorkPointX, p.WorkPointY, z, d.MarkSize);
}

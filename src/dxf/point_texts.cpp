#include "dxf/point_texts.h"

#include <algorithm>

#include "cad/print_page.h"
#include "cad/state.h"
#include "core/app.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace dxf {

std::string NameTextOf(const std::string& name, const std::string& separator, double start) {
  const std::string shown = cad::PrintedPointName(name, separator);
  // Names are far shorter than 1000 bytes: a larger start shows nothing.
  const size_t wanted = static_cast<size_t>(RtWhole(std::min(start, 1000.0))) - 1;
  size_t at = 0;
  while (at < wanted && at < shown.size()) {
    at += rt::IsLeadByte(static_cast<unsigned char>(shown[at])) && at + 1 < shown.size() ? 2 : 1;
  }
  if (at >= shown.size()) return {};
  return RtToFullWidth(std::string_view(shown).substr(at, 999));
}

std::string ElevationTextOf(double z, double decimals) { return cad::PrintedHeight(z, decimals); }

std::string CodeTextOf(std::string_view attribute) {
  const bool digit = attribute.size() >= 2 && attribute[1] >= '0' && attribute[1] <= '9';
  const size_t start = digit ? 2 : 1;
  if (attribute.size() <= start) return {};
  return std::string(attribute.substr(start, 99));
}

void WritePointTexts(Sink& out, const PointTexts& texts, double x, double y, Height z, double size) {
  const double left = x + size * double(0.8f);
  const auto text = [&](std::string_view layer, double at, std::string_view width, std::string_view shown) {
    TextRecord t;
    t.layer = layer;
    t.x = left;
    t.y = at;
    t.z = z;
    t.height = size;
    t.widthFactor = width;
    t.text = shown;
    WriteText(out, t);
  };
  double at = y - size / 2;
  if (texts.name) text("点名", at, "0.7", texts.nameText);
  at -= size;
  if (texts.elevation) text("標高", at, "0.5", texts.elevationText);
  at += 2 * size;
  if (texts.code) text("コ-ド", at, "0.5", texts.codeText);
}

}  // namespace dxf

void WritePointTexts(App& app, dxf::Sink& out, int number) {
  points::Store& p = app.points;
  const dxf::State& d = app.dxf;
  const double size = d.TextSize;
  dxf::PointTexts texts;
  texts.name = d.NameTextStart != 0;
  if (texts.name) texts.nameText = dxf::NameTextOf(p.PointName(number), app.lines.NameOmitSeparator, d.NameTextStart);
  if (d.ElevationDecimals != 0) {
    texts.elevationText = dxf::ElevationTextOf(p.PointZ(number), d.ElevationDecimals);
    texts.elevation = !texts.elevationText.empty();
  }
  texts.code = d.ShowCodes == 1;
  if (texts.code) texts.codeText = dxf::CodeTextOf(p.PointAttribute(number));
  const dxf::Height z = d.Output3D == 1 ? dxf::Height(p.WorkPointZ) : std::nullopt;
  dxf::WritePointTexts(out, texts, p.WorkPointX, p.WorkPointY, z, size);
  p.WorkPointX += size * double(0.8f);
  p.WorkPointY += size / 2;
}

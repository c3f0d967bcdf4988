#include "dxf/records.h"

#include "core/numeric.h"
#include "runtime/files.h"
#include "runtime/numtext.h"

namespace dxf {

void AppendNumberText(std::string& out, double v, bool round) {
  if (round) v = RoundTo6Decimals(v);
  const size_t start = out.size();
  out += RtStr(v);
  // The program's own number text writes a "D" exponent, which DXF readers take
  // for the end of the number ("5.1D-015" read as 5.1).
  for (size_t k = start; k < out.size(); ++k) {
    if (out[k] == 'D') out[k] = 'E';
  }
  out += ' ';
}

std::string NumberText(double v) {
  std::string out;
  AppendNumberText(out, v, false);
  return out;
}

std::string RoundedText(double v) {
  std::string out;
  AppendNumberText(out, v, true);
  return out;
}

void Sink::WriteToDrawing() {
  if (text_.empty()) return;
  RtPrintToFile(kDrawingFile, text_, false);
  text_.clear();
}

namespace {

void Start(Sink& out, std::string_view kind, std::string_view layer) {
  out.Group("  0", kind);
  out.Group("  8", layer);
}

void LineType(Sink& out, std::string_view lineType) {
  if (!lineType.empty()) out.Group(" 6", lineType);
}

void OptionalHeight(Sink& out, std::string_view code, Height z) {
  if (z) out.GroupRounded(code, *z);
}

}  // namespace

void WritePoint(Sink& out, std::string_view layer, double x, double y, Height z) {
  Start(out, "POINT", layer);
  out.GroupRounded(" 10", x);
  out.GroupRounded(" 20", y);
  OptionalHeight(out, " 30", z);
}

void WriteLine(Sink& out, std::string_view layer, std::string_view lineType, double x1, double y1,
               Height z1, double x2, double y2, Height z2) {
  Start(out, "LINE", layer);
  LineType(out, lineType);
  out.GroupRounded(" 10", x1);
  out.GroupRounded(" 20", y1);
  OptionalHeight(out, " 30", z1);
  out.GroupRounded(" 11", x2);
  out.GroupRounded(" 21", y2);
  OptionalHeight(out, " 31", z2);
}

void WriteCircle(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
                 Height z, double radius) {
  Start(out, "CIRCLE", layer);
  LineType(out, lineType);
  out.GroupRounded(" 10", x);
  out.GroupRounded(" 20", y);
  OptionalHeight(out, " 30", z);
  out.GroupRounded(" 40", radius);
}

void WriteArc(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
              Height z, double radius, double startAngle, double endAngle) {
  Start(out, "ARC", layer);
  out.Group(" 6", lineType);
  out.GroupRounded(" 10", x);
  out.GroupRounded(" 20", y);
  OptionalHeight(out, " 30", z);
  out.GroupRounded(" 40", radius);
  out.GroupRounded(" 50", startAngle);
  out.GroupRounded(" 51", endAngle);
}

void WriteText(Sink& out, const TextRecord& t) {
  Start(out, "TEXT", t.layer);
  if (t.fixedX.empty()) {
    out.GroupRounded(" 10", t.x);
  } else {
    out.Group(" 10", t.fixedX);
  }
  if (t.fixedY.empty()) {
    out.GroupRounded(" 20", t.y);
  } else {
    out.Group(" 20", t.fixedY);
  }
  OptionalHeight(out, " 30", t.z);
  out.GroupRounded(" 40", t.height);
  if (!t.widthFactor.empty()) out.Group(" 41", t.widthFactor);
  if (!t.fixedRotation.empty()) {
    out.Group(" 50", t.fixedRotation);
  } else if (t.rotation) {
    out.Put(" 50");
    out.PutNumber(*t.rotation);
  }
  out.Group("  1", t.text);
  if (t.style) out.Group("  7", "KANJI");
}

void WritePolyline(Sink& out, std::string_view layer, std::string_view lineType, Height z) {
  Start(out, "POLYLINE", layer);
  LineType(out, lineType);
  out.Group(" 66", "1");
  out.Group(" 10", " 0 ");
  out.Group(" 20", " 0 ");
  OptionalHeight(out, " 30", z);
}

void WriteVertex(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
                 Height z) {
  Start(out, "VERTEX", layer);
  LineType(out, lineType);
  out.GroupRounded(" 10", x);
  out.GroupRounded(" 20", y);
  OptionalHeight(out, " 30", z);
}

void WriteSeqend(Sink& out) { out.Group("  0", "SEQEND"); }

}  // namespace dxf

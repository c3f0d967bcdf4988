// The records of a DXF drawing: the text of every value written, and one writer
// per record layout (POINT, LINE, CIRCLE, ARC, TEXT, POLYLINE with its VERTEX
// and SEQEND records), each group a code line and a value line with CR LF.
//
// Records are gathered in a Sink and written to the drawing (file 6) in one
// piece; the bytes are those of one print per line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dxf {

// The drawing's file number.
inline constexpr int kDrawingFile = 6;

// The number text of a value line: a blank or "-", at most 15 significant
// digits, no "0" before the point, one blank after (" 841 ", "-.25 ", " 0 ").
// Values beyond the fixed form take the exponent with "E" (" 1E+015 "), which
// every DXF reader understands.
std::string NumberText(double v);
// NumberText of RoundTo6Decimals(v): how coordinates, heights, radii, text
// heights and arc angles are written.
std::string RoundedText(double v);
// Appends NumberText(v) (RoundedText when `round`); the fast path behind both.
void AppendNumberText(std::string& out, double v, bool round);

// An optional height group (30 or 31) is written when it holds a value.
using Height = std::optional<double>;

class Sink {
 public:
  // One line: the text and CR LF.
  void Put(std::string_view line) {
    text_.append(line);
    text_.append("\r\n");
  }
  void PutNumber(double v) {
    AppendNumberText(text_, v, false);
    text_.append("\r\n");
  }
  void PutRounded(double v) {
    AppendNumberText(text_, v, true);
    text_.append("\r\n");
  }
  void Group(std::string_view code, std::string_view value) {
    Put(code);
    Put(value);
  }
  void GroupRounded(std::string_view code, double v) {
    Put(code);
    PutRounded(v);
  }

  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }
  // Appends what was gathered to the drawing (file 6, open for append or
  // output) and empties the sink.
  void WriteToDrawing();

 private:
  std::string text_;
};

void WritePoint(Sink& out, std::string_view layer, double x, double y, Height z);
// lineType empty: no line-type group.
void WriteLine(Sink& out, std::string_view layer, std::string_view lineType, double x1, double y1,
               Height z1, double x2, double y2, Height z2);
void WriteCircle(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
                 Height z, double radius);
// The line type of an arc is always written.
void WriteArc(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
              Height z, double radius, double startAngle, double endAngle);

struct TextRecord {
  std::string_view layer;
  double x = 0, y = 0;
  Height z;
  double height = 0;
  std::string_view widthFactor;      // a text constant ("0.7", ".7"); empty: none
  std::optional<double> rotation;    // written unrounded; none: horizontal
  std::string_view text;
  bool style = true;                 // the style group "KANJI"
  // Text constants in place of the rounded insertion point (the title's "0", "5").
  std::string_view fixedX, fixedY;
  // A text constant in place of the rotation ("90" without blanks).
  std::string_view fixedRotation;
};
void WriteText(Sink& out, const TextRecord& t);

// A polyline: its POLYLINE record, then its vertices, then SEQEND.
void WritePolyline(Sink& out, std::string_view layer, std::string_view lineType, Height z);
void WriteVertex(Sink& out, std::string_view layer, std::string_view lineType, double x, double y,
                 Height z);
void WriteSeqend(Sink& out);

}  // namespace dxf

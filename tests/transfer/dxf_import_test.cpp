// The DXF import: the strict reader (pairs, refusals, texts by version and code
// page), the entities as points and segments against the geometry coded here
// (drawing x is Y, y is X, z is Z, times the scale), the layer list and read
// modes, and the command's questions.
#include "transfer/dxf_import.h"

#include <cmath>
#include <string>
#include <vector>

#include "cad/state.h"
#include "transfer/dxf_import_drawings.h"
#include "transfer/dxf_import_entities.h"
#include "transfer/dxf_import_reader.h"
#include "transfer/link.h"
#include "transfer/link_fixture.h"

namespace {

using dxf_import_drawings::ByHand;
using transfer::DxfDrawing;
using transfer::ReadDxfDrawing;

// ---------------------------------------------------------------- the reader

TEST(DxfImportReader, ReadsStrictPairsWhateverTheLineEndsAndBlanks) {
  // CR LF and LF mixed, codes behind any blanks, values with blanks around
  // them; a layer name and a text that look like group codes stay values, and
  // the colour group 62 is no line type.
  const std::string text =
      "  0\r\nSECTION\r\n  2\r\nENTITIES\n  0\r\nLINE\r\n  8\r\n 10 \r\n   1\r\n  8\r\n"
      " 62\r\n     1\r\n10\n 12.5 \n 20\r\n-3\r\n 30\r\n.5\r\n 11\r\n1e2\r\n 21\r\nabc\r\n"
      "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  const DxfDrawing d = ReadDxfDrawing(text);
  ASSERT_EQ(d.refusal, "");
  ASSERT_EQ(d.entities.size(), 1u);
  const transfer::DxfEntity& e = d.entities[0];
  EXPECT_EQ(e.kind, "LINE");
  EXPECT_EQ(e.layer, "10");
  EXPECT_FALSE(e.lineType.has_value());
  EXPECT_EQ(e.x1, 12.5);
  EXPECT_EQ(e.y1, -3);
  EXPECT_EQ(e.z1, 0.5);
  EXPECT_EQ(e.x2, 100);
  EXPECT_EQ(e.y2, 0);  // no number: 0
  EXPECT_FALSE(e.z2.has_value());
}

TEST(DxfImportReader, LayersComeFromTheLayerTableAndEntitiesFromEntitiesOnly) {
  const std::string text =
      "0\nSECTION\n2\nTABLES\n"
      "0\nTABLE\n2\nLTYPE\n0\nLTYPE\n2\nDASHED\n0\nENDTAB\n"
      "0\nTABLE\n2\nLAYER\n70\n2\n0\nLAYER\n2\nA\n70\n0\n0\nLAYER\n2\nB\n0\nENDTAB\n"
      "0\nENDSEC\n"
      "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nMARK\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
      "0\nENDBLK\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n0\nPOINT\n8\nA\n10\n1\n20\n2\n0\nENDSEC\n0\nEOF\n"
      "0\nLINE\n";  // after the end: not read
  const DxfDrawing d = ReadDxfDrawing(text);
  ASSERT_EQ(d.refusal, "");
  EXPECT_EQ(d.layers, (std::vector<std::string>{"A", "B"}));
  ASSERT_EQ(d.entities.size(), 1u);
  EXPECT_EQ(d.entities[0].kind, "POINT");
}

TEST(DxfImportReader, RefusesEmptyCutAndMalformedDrawings) {
  const struct {
    std::string text;
    std::string says;
  } cases[] = {
      {"", "空です"},
      {" \r\n\r\n", "空です"},
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1\n", "切れています"},  // no EOF
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n", "切れています"},     // a code without its value
      {"0\nSECTION\n2\nENTITIES\nLINE\n8\n0\nEOF\n", " 5 行目"},       // a value where a code belongs
      {"AutoCAD Binary DXF\r\n\x1a", " 1 行目"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const DxfDrawing d = ReadDxfDrawing(c.text);
    EXPECT_NE(d.refusal.find(c.says), std::string::npos) << d.refusal;
    EXPECT_TRUE(d.entities.empty());
  }
}

// A drawing's only layer name, written with `version` and `codePage` ("" none).
DxfDrawing WithLayer(const std::string& version, const std::string& codePage, const std::string& name) {
  std::string head = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + version + "\n";
  if (!codePage.empty()) head += "9\n$DWGCODEPAGE\n3\n" + codePage + "\n";
  return ReadDxfDrawing(head + "0\nENDSEC\n" + ByHand("", name));
}

TEST(DxfImportReader, DecodesTextsByVersionAndCodePage) {
  const struct {
    std::string version, codePage, raw;
    std::string expected;  // CP932 (plain literals are compiled to it)
    int replaced;
  } cases[] = {
      {"AC1009", "ANSI_932", "測点", "測点", 0},
      {"AC1009", "", "測点", "測点", 0},
      // 表 ends in the byte of "\": no escape starts inside it.
      {"AC1009", "ANSI_932", "表U+5883", "表U+5883", 0},
      {"AC1009", "ANSI_932", "A\\U+9053\\U+8DEF", "A道路", 0},
      {"AC1015", "ANSI_1252", "\\U+9053\\U+8def", "道路", 0},
      {"AC1015", "ANSI_1252", "caf\xE9", "caf?", 1},  // é of code page 1252
      {"AC1015", "ANSI_1252", "\\U+00E9\\U+00E8", "??", 2},
      {"AC1024", "ANSI_1252", U8(u8"境界é"), "境界?", 1},
      {"AC1027", "", U8(u8"ｶﾞｹ\\U+6E2C"), "ｶﾞｹ測", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version + " " + c.codePage + " " + c.expected);
    const DxfDrawing d = WithLayer(c.version, c.codePage, c.raw);
    ASSERT_EQ(d.refusal, "");
    ASSERT_EQ(d.layers.size(), 1u);
    EXPECT_EQ(d.layers[0], c.expected);
    EXPECT_EQ(d.replacedCharacters, c.replaced);
  }
}

// ---------------------------------------------------------------- the entities

struct Point {
  std::string name;
  double x, y, z;
};
struct Vertex {
  int point;
  int type, layer;
  std::string arc;
  bool operator==(const Vertex&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Vertex& v) {
  return out << "(" << v.point << " " << v.type << " " << v.layer << " '" << v.arc << "')";
}

class DxfImportTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    app.settings.ZA = "JOB";
    app.job.FileExtension = ".PRN";
    app.shell.JobFolder = data_.path() + "/";
  }

  // Reads `text` in read `mode` at `scale` (the denominator / 1000) from
  // number `start` on with the first name `name`, as the command leaves them.
  transfer::DxfImportSummary Import(const std::string& text, double mode = 1, double scale = 1,
                                    int start = 1, const std::string& name = "D1") {
    drawing_ = ReadDxfDrawing(text);
    EXPECT_EQ(drawing_.refusal, "");
    transfer::State& t = app.transfer;
    t.DxfLayerName = {};
    t.DxfOverflowLayers.clear();
    transfer::FillDxfLayerList(drawing_.layers, mode == 5 ? 1 : mode, t.DxfLayerName, t.DxfOverflowLayers);
    t.DxfReadMode = mode;
    t.DxfImportScale = scale;
    t.RegistrationNumber = start;
    t.ImportFirstNumber = start;
    t.ImportPointName = name;
    PointReceiver receiver(app);
    return transfer::ImportDxfEntities(app, drawing_, receiver);
  }
  Point PointAt(int n) {
    const points::Store& p = app.points;
    return {p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n)};
  }
  void ExpectPoint(int n, double x, double y, double z) {
    SCOPED_TRACE(n);
    const Point p = PointAt(n);
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, z, 1e-9);
    EXPECT_EQ(app.points.PointAttribute(n), "");
  }
  std::vector<Vertex> Vertices() {
    const cad::Lines& l = app.lines;
    std::vector<Vertex> v;
    for (int k = 1; k <= l.LineVertexCount; ++k) {
      v.push_back({l.LinePointNumber(k), l.LineType(k), l.LineLayer(k), l.LineArc(k)});
      EXPECT_EQ(l.LinePointName(k), app.points.PointName(l.LinePointNumber(k)));
    }
    return v;
  }

  DxfDrawing drawing_;
};

std::string Line(double x1, double y1, double z1, double x2, double y2, double z2,
                 const std::string& extra = "") {
  char text[256];
  std::snprintf(text, sizeof text, "0\nLINE\n%s10\n%g\n20\n%g\n30\n%g\n11\n%g\n21\n%g\n31\n%g\n",
                extra.c_str(), x1, y1, z1, x2, y2, z2);
  return text;
}

TEST_F(DxfImportTest, LineGivesTwoPointsWithTheAxesSwappedAndScaled) {
  for (const double scale : {1.0, 0.5}) {
    SCOPED_TRACE(scale);
    app.lines.LineVertexCount = 0;
    Import(ByHand(Line(10, 20, 1, 30, 40, 1, "8\nA\n"), "A"), 1, scale);
    ExpectPoint(1, 20 * scale, 10 * scale, 1 * scale);
    ExpectPoint(2, 40 * scale, 30 * scale, 1 * scale);
    EXPECT_EQ(PointAt(1).name, "D1");
    EXPECT_EQ(PointAt(2).name, "D2");
    EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 1, ""}}));
    EXPECT_EQ(app.points.PointCount, 2);
  }
}

TEST_F(DxfImportTest, EqualPointsOfThisImportAreStoredOnceAndJobPointsNeverReused) {
  SetPoint(1, 0, 0, "OLD", 0, "93");  // a job point at the first line's start
  Import(ByHand(Line(0, 0, 0, 10, 0, 0) + Line(10, 0, 0, 10, 10, 0) + Line(0, 0, 0, 10, 0, 0) +
                "0\nPOINT\n10\n20\n20\n20\n30\n0\n" + Line(20, 20, 0, 30, 30, 0)),
         1, 1, 2);
  EXPECT_EQ(PointAt(1).name, "OLD");
  ExpectPoint(2, 0, 0, 0);
  ExpectPoint(3, 0, 10, 0);
  ExpectPoint(4, 10, 10, 0);
  ExpectPoint(5, 20, 20, 0);
  ExpectPoint(6, 30, 30, 0);
  EXPECT_EQ(app.points.PointCount, 6);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{2, 9, 1, ""}, {3, 0, 1, ""}, {3, 9, 1, ""}, {4, 0, 1, ""},
                                             {2, 9, 1, ""}, {3, 0, 1, ""}, {5, 9, 1, ""}, {6, 0, 1, ""}}));
}

TEST_F(DxfImportTest, HeightsMissingAreZeroAndALineEndTakesItsStartHeight) {
  Import(ByHand("0\nPOINT\n10\n1\n20\n2\n0\nPOINT\n10\n3\n20\n4\n"
                "0\nLINE\n10\n5\n20\n6\n30\n2\n11\n7\n21\n8\n"));
  ExpectPoint(1, 2, 1, 0);
  ExpectPoint(2, 4, 3, 0);
  ExpectPoint(3, 6, 5, 2);
  ExpectPoint(4, 8, 7, 2);
}

TEST_F(DxfImportTest, CircleIsItsCentreWithTheRadiusAsArcText) {
  Import(ByHand("0\nCIRCLE\n8\nA\n10\n100\n20\n60\n30\n4\n40\n2.5\n", "A"), 1, 0.5);
  ExpectPoint(1, 30, 50, 2);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {1, 0, 1, " 1.250000000"}}));
}

TEST_F(DxfImportTest, ArcEndsAtItsAnglesWithTheSignedRadiusAndSideDigit) {
  const struct {
    double start, end;
    const char* text;
  } cases[] = {{0, 90, "-10 0"}, {10, 280, "-10 1"}, {100, 10, "-10 1"}, {350, 20, "-10 0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + std::to_string(c.start));
    app.lines.LineVertexCount = 0;
    char arc[128];
    std::snprintf(arc, sizeof arc, "0\nARC\n10\n0\n20\n0\n30\n3\n40\n10\n50\n%g\n51\n%g\n", c.start, c.end);
    Import(ByHand(arc));
    // The drawing's own polar form: (r cos a, r sin a), then x to Y and y to X.
    const double rad = 3.14159265358979 / 180;
    ExpectPoint(1, 10 * std::sin(c.start * rad), 10 * std::cos(c.start * rad), 3);
    ExpectPoint(2, 10 * std::sin(c.end * rad), 10 * std::cos(c.end * rad), 3);
    EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 1, c.text}}));
  }
  EXPECT_EQ(transfer::DxfArcText(10, 0, 90, 0.5), "-5 0");
}

TEST_F(DxfImportTest, LineTypesCarryOverAndAColourIsNoLineType) {
  Import(ByHand(Line(0, 0, 0, 1, 0, 0, "6\nDASHED\n") + Line(1, 0, 0, 2, 0, 0) +
                Line(2, 0, 0, 3, 0, 0, "62\n1\n") + Line(3, 0, 0, 4, 0, 0, "6\nPHANTOM2\n") +
                Line(4, 0, 0, 5, 0, 0, "6\nBYLAYER\n")));
  std::vector<int> types;
  for (const Vertex& v : Vertices()) {
    if (v.type != 9) types.push_back(v.type);
  }
  EXPECT_EQ(types, (std::vector<int>{3, 3, 3, 8, 0}));
  const struct {
    const char* name;
    int type;
  } names[] = {{"CONTINUOUS", 0}, {"DOTX2", 1},    {"DASHED2", 2},  {"HIDDEN", 3},   {"DASHEDX2", 4},
               {"BORDER2", 5},    {"CENTERX2", 6}, {"DIVIDE2", 7},  {"PHANTOMX2", 8}, {"dashed", 0}};
  for (const auto& n : names) EXPECT_EQ(transfer::DxfLineTypeOf(n.name), n.type) << n.name;
}

TEST(DxfImportLayers, ReadModesGiveTheLayerOrPassOver) {
  std::array<std::string, 33> slots{};
  slots[1] = "0";
  slots[2] = "A";
  slots[16] = "P";  // the 16th and later layers: found in no slot
  const struct {
    double mode;
    const char* name;
    std::optional<int> layer;
  } cases[] = {
      {1, "A", 2}, {1, "0", 1}, {1, "", 1}, {1, "Z", 2}, {1, "P", 2},
      {2, "A", 7}, {2, "Z", 7},
      {3, "A", 2}, {3, "", 1}, {3, "Z", std::nullopt}, {3, "P", std::nullopt},
      {5, "Z", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(transfer::DxfLayerOf(c.mode, 7, slots, c.name), c.layer) << c.mode << " " << c.name;
  }
}

TEST(DxfImportLayers, ListFillsFifteenSlotsAndTheLastNameIntoSlot16) {
  std::vector<std::string> names;
  for (int i = 1; i <= 20; ++i) names.push_back("L" + std::to_string(i));
  std::array<std::string, 33> slots{};
  std::vector<std::string> overflow;
  EXPECT_EQ(transfer::FillDxfLayerList(names, 1, slots, overflow), names);
  for (int k = 1; k <= 15; ++k) EXPECT_EQ(slots[k], names[k - 1]);
  EXPECT_EQ(slots[16], "L20");
  EXPECT_EQ(overflow, (std::vector<std::string>{"L16", "L17", "L18", "L19", "L20"}));

  // Leaving out "0": the others move up one slot.
  std::array<std::string, 33> thinned{};
  thinned[17] = "0";
  overflow.clear();
  EXPECT_EQ(transfer::FillDxfLayerList({"0", "A", "B"}, 5, thinned, overflow),
            (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(thinned[1], "A");
  EXPECT_EQ(thinned[2], "B");
  EXPECT_EQ(thinned[3], "");
  // While the names are typed nothing is listed.
  std::array<std::string, 33> typed{};
  EXPECT_TRUE(transfer::FillDxfLayerList(names, 3, typed, overflow).empty());
  EXPECT_EQ(typed[1], "");
}

TEST_F(DxfImportTest, EntitiesOfLayersBeyondTheFifteenSlotsAreCounted) {
  std::string layers;
  for (int i = 1; i <= 20; ++i) layers += "L" + std::to_string(i) + "\n";
  const std::string entities = Line(0, 0, 0, 1, 1, 0, "8\nL3\n") + Line(1, 1, 0, 2, 2, 0, "8\nL18\n") +
                               Line(2, 2, 0, 3, 3, 0, "8\nL19\n") + Line(3, 3, 0, 4, 4, 0, "8\nL19\n") +
                               Line(4, 4, 0, 5, 5, 0, "8\nNONE\n");
  transfer::DxfImportSummary s = Import(ByHand(entities, layers), 1);
  EXPECT_EQ(s.overflowEntities, 3);
  EXPECT_EQ(s.overflowLayers, 2);
  std::vector<int> layersOf;
  for (const Vertex& v : Vertices()) {
    if (v.type != 9) layersOf.push_back(v.layer);
  }
  EXPECT_EQ(layersOf, (std::vector<int>{3, 2, 2, 2, 2}));
  // Mode 5 (all but the typed) passes them over, and the unlisted one too.
  app.lines.LineVertexCount = 0;
  s = Import(ByHand(entities, layers), 5);
  EXPECT_EQ(s.overflowEntities, 3);
  EXPECT_EQ(Vertices().size(), 2u);
}

TEST_F(DxfImportTest, OtherKindsArePassedOverAndNamedWithTheirCounts) {
  const transfer::DxfImportSummary s =
      Import(ByHand("0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n10\n1\n20\n1\n0\nINSERT\n2\nMARK\n"
                    "0\nLWPOLYLINE\n0\nPOLYLINE\n0\nVERTEX\n0\nVERTEX\n0\nSEQEND\n0\nTEXT\n1\nA\n"
                    "0\nLINE\n10\n1\n20\n1\n"));  // a line without its second point
  EXPECT_EQ(s.passedOver, (std::vector<std::pair<std::string, int>>{
                              {"LWPOLYLINE", 2}, {"INSERT", 1}, {"POLYLINE", 1}, {"TEXT", 1}, {"LINE", 1}}));
  EXPECT_EQ(app.points.PointCount, 0);
}

TEST_F(DxfImportTest, ImportStopsWholeEntitiesAtTheTablesEnds) {
  // Point 9999 is the last: the POINT fits, the LINE's two new points do not.
  transfer::DxfImportSummary s =
      Import(ByHand("0\nPOINT\n10\n1\n20\n1\n" + Line(1, 1, 0, 2, 2, 0) + Line(5, 5, 0, 6, 6, 0)), 1, 1,
             9999);
  EXPECT_TRUE(s.pointTableFull);
  ExpectPoint(9999, 1, 1, 0);
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  // One vertex left: no segment of two fits.
  app.lines.LineVertexCount = cad::kLineCapacity - 1;
  s = Import(ByHand(Line(1, 1, 0, 2, 2, 0)), 1, 1, 10);
  EXPECT_TRUE(s.lineTableFull);
  EXPECT_EQ(app.lines.LineVertexCount, cad::kLineCapacity - 1);
  EXPECT_EQ(PointAt(10).x, 0);
}

// ---------------------------------------------------------------- the command

class DxfImportCommandTest : public DxfImportTest {
 protected:
  std::string Drawing(const std::string& text) {
    WriteHostFile(data_ / "PLAN.DXF", text);
    return "!file " + (data_ / "PLAN.DXF") + "\n";
  }
  void ExpectJobKept() {
    EXPECT_EQ(app.settings.ZA, "JOB");
    EXPECT_EQ(app.job.FileExtension, ".PRN");
    EXPECT_EQ(app.shell.JobFolder, data_.path() + "/");
  }
};

TEST_F(DxfImportCommandTest, ImportsAtTheScaleTypedAndKeepsTheJobName) {
  UseNumberedPoints(3);
  SetPoint(2, 20, 10, "007");  // a job point's name is not the import's to clean
  const std::string dxf = Drawing(ByHand(Line(10, 20, 1, 30, 40, 1, "8\nA\n"), "A"));
  // Mode 1, scale 0, -5 and a text asked again, then 500; the name and number proposed.
  EXPECT_EQ(Run(dxf + "1\n0\n-5\nabc\n500\n\n\n", DxfImport), EntryOf(Routines().PlotAllPoints));
  EXPECT_EQ(CountContaining(U8(u8"縮尺は 0 より大きい数で入れてください")), 3);
  EXPECT_EQ(app.transfer.DxfImportScale, 0.5);
  EXPECT_EQ(PointAt(4).name, "D4");
  ExpectPoint(4, 10, 5, 0.5);
  ExpectPoint(5, 20, 15, 0.5);
  EXPECT_EQ(app.points.PointCount, 5);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{4, 9, 1, ""}, {5, 0, 1, ""}}));
  EXPECT_EQ(PointAt(2).name, "007");
  ExpectJobKept();
}

TEST_F(DxfImportCommandTest, FirstNameGivesTheSeries) {
  const struct {
    const char* answer;
    std::vector<std::string> names;
  } cases[] = {
      {"P10", {"P10", "P11", "P12"}},
      // A name without a trailing number: the series goes on from D58.
      {"ABC", {"ABC", "D58", "D59"}},
      {"", {"D58", "D59", "D60"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    for (int i = 58; i <= 70; ++i) SetPoint(i, 0, 0, DefaultPointName(i));
    app.points.PointCount = 0;
    UseNumberedPoints(57);
    const std::string dxf = Drawing(ByHand(Line(0, 0, 0, 1, 0, 0) + Line(1, 0, 0, 2, 0, 0)));
    Run(dxf + "1\n\n" + c.answer + "\n\n", DxfImport);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PointAt(58 + i).name, c.names[i]);
    EXPECT_EQ(app.transfer.DxfImportScale, 1);
  }
}

TEST_F(DxfImportCommandTest, QAtTheNameEndsWithoutImporting) {
  const std::string dxf = Drawing(ByHand(Line(0, 0, 0, 1, 0, 0)));
  EXPECT_EQ(Run(dxf + "1\n\nq\n", DxfImport), EntryOf(Routines().ShowResultMenu));
  EXPECT_EQ(app.points.PointCount, 0);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
}

TEST_F(DxfImportCommandTest, NoValidModeAndCancelGoBack) {
  const std::string dxf = Drawing(ByHand(Line(0, 0, 0, 1, 0, 0)));
  for (const char* mode : {"", "0", "5", "-1", "X"}) {
    EXPECT_EQ(Run(dxf + mode + "\n", DxfImport), EntryOf(Routines().RepeatLastCommand)) << mode;
  }
  EXPECT_EQ(Run("!cancel\n", DxfImport), EntryOf(Routines().TransferMenu));
  EXPECT_EQ(app.points.PointCount, 0);
  ExpectJobKept();
}

TEST_F(DxfImportCommandTest, SelectionReadsOnlyTheLayersTyped) {
  const std::string dxf = Drawing(ByHand(Line(0, 0, 0, 1, 0, 0, "8\nB\n") + Line(1, 0, 0, 2, 0, 0, "8\nX\n") +
                                             Line(2, 0, 0, 3, 0, 0, "8\nC\n"),
                                         "X\nA\nB\nC"));
  Run(dxf + "3\nA\nB\nC\n\n\n\n\n", DxfImport);
  const transfer::State& t = app.transfer;
  EXPECT_EQ(t.DxfLayerName[1], "A");
  EXPECT_EQ(t.DxfLayerName[3], "C");
  EXPECT_EQ(t.DxfLayerName[4], "");
  // Slots 1 to 16 each followed by a comma, the scale list on the same row.
  EXPECT_EQ(CountContaining("A,B,C," + std::string(13, ',') + "[1,10,20,"), 1);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 2, ""}, {3, 9, 1, ""}, {4, 0, 3, ""}}));
}

TEST_F(DxfImportCommandTest, ThinningLeavesOutTheLayersTypedAndRenumbersTheRest) {
  const std::string dxf =
      Drawing(ByHand(Line(0, 0, 0, 1, 0, 0, "8\n0\n") + Line(1, 0, 0, 2, 0, 0, "8\nA\n"), "0\nA\nB"));
  Run(dxf + "4\n0\n\n\n\n\n", DxfImport);
  const transfer::State& t = app.transfer;
  EXPECT_EQ(t.DxfReadMode, 5);
  EXPECT_EQ(t.DxfLayerName[17], "0");
  EXPECT_EQ(t.DxfLayerName[1], "A");
  EXPECT_EQ(t.DxfLayerName[2], "B");
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 1, ""}}));
  ExpectPoint(1, 0, 1, 0);
}

TEST_F(DxfImportCommandTest, OneLayerPutsEverythingOnTheChosenLayer) {
  const std::string dxf = Drawing(ByHand(Line(0, 0, 0, 1, 0, 0, "8\nA\n") + Line(1, 0, 0, 2, 0, 0, "8\nZ\n"), "A"));
  Run(dxf + "2\n6\n\n\n\n", DxfImport);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 6, ""}, {2, 9, 1, ""}, {3, 0, 6, ""}}));
}

TEST_F(DxfImportCommandTest, EmptyOrCutDrawingIsRefusedAndLeavesTheJob) {
  UseNumberedPoints(2);
  for (const std::string& text : {std::string(), std::string("0\nSECTION\n2\nENTITIES\n") + Line(0, 0, 0, 1, 1, 0)}) {
    EXPECT_EQ(Run(Drawing(text), DxfImport), EntryOf(Routines().RepeatLastCommand));
    EXPECT_EQ(app.points.PointCount, 2);
    EXPECT_EQ(app.lines.LineVertexCount, 0);
    ExpectJobKept();
  }
  EXPECT_EQ(CountContaining(U8(u8"DXFファイルが空です")), 1);
  EXPECT_EQ(CountContaining(U8(u8"DXFファイルが途中で切れています")), 1);
}

TEST_F(DxfImportCommandTest, PassedOverKindsAndReplacedCharactersAreSaid) {
  const std::string dxf = Drawing("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1024\n0\nENDSEC\n" +
                                  ByHand("0\nINSERT\n2\nM\n" + Line(0, 0, 0, 1, 0, 0, "8\n" + U8(u8"é") + "\n") +
                                             "0\nLWPOLYLINE\n0\nINSERT\n",
                                         U8(u8"é")));
  Run(dxf + "1\n\n\n\n", DxfImport);
  EXPECT_EQ(CountContaining(U8(u8"読み込まなかった図形  INSERT 2  LWPOLYLINE 1")), 1);
  EXPECT_EQ(CountContaining(U8(u8"Shift-JIS にない 1 文字を ? にしました")), 1);
  EXPECT_EQ(app.transfer.DxfLayerName[1], "?");
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{1, 9, 1, ""}, {2, 0, 1, ""}}));
}

TEST_F(DxfImportCommandTest, AnEzdxfR12DrawingWithTwentyLayers) {
  const std::string path = data_ / "R12.DXF";
  ASSERT_EQ(dxf_import_drawings::Write(dxf_import_drawings::kR12, path), "");
  Run("!file " + path + "\n1\n\n\n\n", DxfImport);
  // Points without height; the arcs about (0, 0) of radius 10 from 10 to 280
  // and from 100 to 10 degrees. The layer table is 0, Defpoints, L1 to L20: L2
  // is layer 4, L3 layer 5, and L18 lies beyond the slots.
  const double rad = 3.14159265358979 / 180;
  ExpectPoint(1, 2, 1, 0);
  ExpectPoint(2, 4, 3, 0);
  ExpectPoint(3, 10 * std::sin(10 * rad), 10 * std::cos(10 * rad), 0);
  ExpectPoint(4, 10 * std::sin(280 * rad), 10 * std::cos(280 * rad), 0);
  ExpectPoint(5, 10 * std::sin(100 * rad), 10 * std::cos(100 * rad), 0);
  ExpectPoint(6, 0, 0, 0);
  ExpectPoint(7, 5, 5, 0);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{3, 9, 1, ""}, {4, 0, 4, "-10 1"}, {5, 9, 1, ""},
                                             {3, 0, 4, "-10 1"}, {6, 9, 1, ""}, {7, 0, 5, ""},
                                             {8, 9, 1, ""}, {9, 0, 2, ""}}));
  EXPECT_EQ(app.transfer.DxfLayerName[16], "L20");
  EXPECT_EQ(CountContaining(U8(u8"16 番目以降の 1 レイヤーの 1 図形はレイヤー 2 にしました")), 1);
}

}  // namespace

#include "dxf/head.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/records.h"
#include "profile/state.h"
#include "runtime/files.h"
#include "runtime/numtext.h"

namespace dxf {

namespace {

void PutAll(Sink& out, std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) out.Put(line);
}

void HeaderSection(Sink& out, double paperWidth, double paperHeight) {
  const std::string w = RoundedText(paperWidth * 1000);
  const std::string h = RoundedText(paperHeight * 1000);
  PutAll(out, {"  0", "SECTION", "  2", "HEADER",
               "  9", "$ACADVER", "  1", "AC1009", "  9", "$DWGCODEPAGE", "  3", "ANSI_932",
               "  9", "$PDMODE", "70", " 3", "9", "$PDSIZE", " 40", "0.1",
               "  9", "$EXTMIN", " 10", "0.0", " 20", "0.0", " 30", "0.0",
               "  9", "$EXTMAX", " 10", w, " 20", h, " 30", "0.0",
               "  9", "$PEXTMIN", " 10", "0.0", " 20", "0.0", " 30", "0.0",
               "  9", "$PEXTMAX", " 10", w, " 20", h, " 30", "0.0",
               "  9", "$PLIMMIN", " 10", "0.0", " 20", "0.0",
               "  9", "$PLIMMAX", " 10", w, " 20", h,
               "  9", "$LIMMIN", " 10", "0", " 20", "0",
               "  9", "$LIMMAX", " 10", w, " 20", h,
               "9", "$LTSCALE", " 40", "0.1",
               "  9", "$TEXTSTYLE", "  7", "STANDARD",
               "  0", "ENDSEC", "  0"});
}

struct LineTypeRecord {
  std::string_view name, flagsCode, flags, description, alignCode, align, countCode, count, total;
  std::initializer_list<std::string_view> elements;
};

// The nine line types with the irregular spacing of their code and value lines.
// The dots of the descriptions are the half-width middle dot (0xA5).
const std::array<LineTypeRecord, 9>& LineTypes() {
  static const std::array<LineTypeRecord, 9> types = {{
      {"CONTINUOUS", " 70", "    64", "Solid line", " 72", "    65", " 73", "     0", "0.0", {}},
      {"HIDDEN", " 70", "    64", "-- -- -- -- -- -- --", " 72", "    65", " 73", "     2", "20.0",
       {"15.0", "-5.0"}},
      {"HIDDEN2", " 70", "    64", "- - - - - - - -", " 72", "    65", " 73", "     2", "10.0",
       {"6.0", "-4.0"}},
      {"HIDDENX2", " 70", "    64", "----- ----- ----- -----", " 72", "    65", " 73", "     2",
       "40.0", {"34.0", "-6.0"}},
      {"DOT", " 70", "   64", "････････････････････････", "72", "   65", "73", "     2", "30",
       {"3.0", "-27.0"}},
      {"DASHDOT", " 70", "    64", "--･--･--･--･--･--･--･--", " 72", "    65", " 73", "     4",
       "35.0", {"20.0", "-6.0", "3.0", "-6.0"}},
      {"CENTER", " 70", "    64", "--- - --- - --- - ---", " 72", "    65", " 73", "     4", "70.0",
       {"50.0", "-8.0", "4.0", "-8.0"}},
      {"DIVIDE", "70", "   64", "--･･--･･--･･--･･--･･--", " 72", "   65", "73", "    6", "41.0",
       {"20.0", "-5.0", "3.0", "-5.0", "3.0", "-5.0"}},
      {"DIVIDEX2", "70", "   64", "--- - - ---- - - ----", " 72", "   65", "73", "    6", "81.0",
       {"50.0", "-8.0", "5.0", "-5.0", "5.0", "-8.0"}},
  }};
  return types;
}

void LineTypeTable(Sink& out) {
  PutAll(out, {"SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     5"});
  for (const LineTypeRecord& t : LineTypes()) {
    PutAll(out, {"  0", "LTYPE", "  2", t.name, t.flagsCode, t.flags, "  3", t.description,
                 t.alignCode, t.align, t.countCode, t.count, " 40", t.total});
    for (std::string_view element : t.elements) out.Group(" 49", element);
  }
  PutAll(out, {"  0", "ENDTAB"});
}

void Layer(Sink& out, std::string_view name, std::string_view colour) {
  PutAll(out, {"  0", "LAYER", "  2", name, " 70", "   0", " 62", colour, "  6", "CONTINUOUS"});
}

void StyleAndLayerTables(Sink& out, double profileMode) {
  PutAll(out, {"  0", "TABLE", "  2", "STYLE", " 70", "     2",
               "  0", "STYLE", "  2", "KANJI", " 70", "    64", " 40", "0.0", " 41", "1.0",
               " 50", "0.0", " 71", "     0", " 42", "0.2", "  3", "TXT", "  4", "BIGFONT",
               "  0", "ENDTAB"});
  PutAll(out, {"  0", "TABLE", "  2", "LAYER", " 70", "  10"});
  for (int n = 1; n <= 16; ++n) {
    // Layer 1 takes 252: the rule's 12 would be the colour of layer 8's family.
    const std::string colour = n == 1 ? "252" : std::to_string(n * 3 / 2) + "2";
    Layer(out, std::to_string(n), colour);
  }
  Layer(out, "ポイント", "40");
  Layer(out, "マ-ク", "232");
  Layer(out, "点名", "122");
  Layer(out, "標高", "6");
  Layer(out, "距離", "5");
  Layer(out, "方向角", "2");
  Layer(out, "コ-ド", "3");
  Layer(out, "方眼", "4");
  Layer(out, "タイトル", "7");
  const bool plan = profileMode == 0;
  Layer(out, plan ? "コンタ" : "縦断枠", "122");
  Layer(out, "結果", "13");
  Layer(out, plan ? "地番" : "縦断値", "210");
  Layer(out, plan ? "地番外" : "縦断線", "232");
  Layer(out, plan ? "三斜番号" : "計画線", RtNumText(plan ? 90 : 170));
  PutAll(out, {"  0", "ENDTAB", "  0", "ENDSEC",
               "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC",
               "  0", "SECTION", "  2", "ENTITIES"});
}

}  // namespace

std::string HeadText(double paperWidth, double paperHeight, double profileMode) {
  Sink out;
  HeaderSection(out, paperWidth, paperHeight);
  LineTypeTable(out);
  StyleAndLayerTables(out, profileMode);
  return out.Text();
}

std::string LineTypeNameOf(double number, const std::string& previous) {
  static constexpr std::array<std::string_view, 9> kNames = {
      "CONTINUOUS", "DOT", "HIDDEN2", "HIDDEN", "HIDDENX2", "DASHDOT", "CENTER", "DIVIDE", "DIVIDEX2"};
  for (int k = 0; k < 9; ++k) {
    if (number == k) return std::string(kNames[k]);
  }
  return previous;
}

}  // namespace dxf

void WriteDxfHead(App& app) {
  const std::string head =
      dxf::HeadText(app.lines.PaperWidth, app.lines.PaperHeight, app.profile.ProfileMode);
  RtPrintToFile(dxf::kDrawingFile, head, false);
}

void GetLineTypeName(App& app) {
  app.dxf.DxfLineTypeName = dxf::LineTypeNameOf(app.dxf.DxfLineTypeNumber, app.dxf.DxfLineTypeName);
}

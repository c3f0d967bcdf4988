// The head of a drawing typed line by line from the format's tables (not made
// by the program's code): HEADER with the version and code page, the nine line
// types, the style, the thirty layers, BLOCKS and the opened ENTITIES; CP932
// with CR LF.
#pragma once

#include <sstream>
#include <string>

namespace dxf_golden {

// One line of text per line of the literal, each ended with CR LF.
inline std::string Crlf(const std::string& lines) {
  std::istringstream in(lines);
  std::string out;
  for (std::string line; std::getline(in, line);) out += line + "\r\n";
  return out;
}

// w and h: the paper's value lines (" 841 ").
inline std::string Head(const std::string& w, const std::string& h, bool profile) {
  std::string header = R"(  0
SECTION
  2
HEADER
  9
$ACADVER
  1
AC1009
  9
$DWGCODEPAGE
  3
ANSI_932
  9
$PDMODE
70
 3
9
$PDSIZE
 40
0.1
  9
$EXTMIN
 10
0.0
 20
0.0
 30
0.0
  9
$EXTMAX
 10
W
 20
H
 30
0.0
  9
$PEXTMIN
 10
0.0
 20
0.0
 30
0.0
  9
$PEXTMAX
 10
W
 20
H
 30
0.0
  9
$PLIMMIN
 10
0.0
 20
0.0
  9
$PLIMMAX
 10
W
 20
H
  9
$LIMMIN
 10
0
 20
0
  9
$LIMMAX
 10
W
 20
H
9
$LTSCALE
 40
0.1
  9
$TEXTSTYLE
  7
STANDARD
  0
ENDSEC
  0
)";
  std::string filled;
  std::istringstream in(header);
  for (std::string line; std::getline(in, line);) {
    filled += (line == "W" ? w : line == "H" ? h : line) + "\n";
  }
  const std::string ltypes = R"(SECTION
  2
TABLES
  0
TABLE
  2
LTYPE
 70
     5
  0
LTYPE
  2
CONTINUOUS
 70
    64
  3
Solid line
 72
    65
 73
     0
 40
0.0
  0
LTYPE
  2
HIDDEN
 70
    64
  3
-- -- -- -- -- -- --
 72
    65
 73
     2
 40
20.0
 49
15.0
 49
-5.0
  0
LTYPE
  2
HIDDEN2
 70
    64
  3
- - - - - - - -
 72
    65
 73
     2
 40
10.0
 49
6.0
 49
-4.0
  0
LTYPE
  2
HIDDENX2
 70
    64
  3
----- ----- ----- -----
 72
    65
 73
     2
 40
40.0
 49
34.0
 49
-6.0
  0
LTYPE
  2
DOT
 70
   64
  3
････････････････････････
72
   65
73
     2
 40
30
 49
3.0
 49
-27.0
  0
LTYPE
  2
DASHDOT
 70
    64
  3
--･--･--･--･--･--･--･--
 72
    65
 73
     4
 40
35.0
 49
20.0
 49
-6.0
 49
3.0
 49
-6.0
  0
LTYPE
  2
CENTER
 70
    64
  3
--- - --- - --- - ---
 72
    65
 73
     4
 40
70.0
 49
50.0
 49
-8.0
 49
4.0
 49
-8.0
  0
LTYPE
  2
DIVIDE
70
   64
  3
--･･--･･--･･--･･--･･--
 72
   65
73
    6
 40
41.0
 49
20.0
 49
-5.0
 49
3.0
 49
-5.0
 49
3.0
 49
-5.0
  0
LTYPE
  2
DIVIDEX2
70
   64
  3
--- - - ---- - - ----
 72
   65
73
    6
 40
81.0
 49
50.0
 49
-8.0
 49
5.0
 49
-5.0
 49
5.0
 49
-8.0
  0
ENDTAB
  0
TABLE
  2
STYLE
 70
     2
  0
STYLE
  2
KANJI
 70
    64
 40
0.0
 41
1.0
 50
0.0
 71
     0
 42
0.2
  3
TXT
  4
BIGFONT
  0
ENDTAB
  0
TABLE
  2
LAYER
 70
  10
)";
  // Name and colour of the thirty layers in file order.
  const char* layers[30][2] = {
      {"1", "252"}, {"2", "32"}, {"3", "42"}, {"4", "62"}, {"5", "72"}, {"6", "92"},
      {"7", "102"}, {"8", "122"}, {"9", "132"}, {"10", "152"}, {"11", "162"}, {"12", "182"},
      {"13", "192"}, {"14", "212"}, {"15", "222"}, {"16", "242"},
      {"ポイント", "40"}, {"マ-ク", "232"}, {"点名", "122"}, {"標高", "6"}, {"距離", "5"},
      {"方向角", "2"}, {"コ-ド", "3"}, {"方眼", "4"}, {"タイトル", "7"},
      {profile ? "縦断枠" : "コンタ", "122"}, {"結果", "13"},
      {profile ? "縦断値" : "地番", "210"}, {profile ? "縦断線" : "地番外", "232"},
      {profile ? "計画線" : "三斜番号", profile ? " 170 " : " 90 "}};
  std::string layerRecords;
  for (const auto& layer : layers) {
    layerRecords += std::string("  0\nLAYER\n  2\n") + layer[0] + "\n 70\n   0\n 62\n" + layer[1] +
                    "\n  6\nCONTINUOUS\n";
  }
  const std::string tail = R"(  0
ENDTAB
  0
ENDSEC
  0
SECTION
  2
BLOCKS
  0
ENDSEC
  0
SECTION
  2
ENTITIES
)";
  return Crlf(filled + ltypes + layerRecords + tail);
}

}  // namespace dxf_golden

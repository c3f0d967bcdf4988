// The connection-line editor in whole sessions: Enter alone at the main menu,
// polylines, arcs by radius and through a third point, a bulk change, a partial
// deletion, the line file through the editor (an outside command standing in
// for the text editor), and the removal of repeated segments.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "runtime/text.h"
#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

using fixture_points::FixturePoint;

// Points with X north and Y east.
const std::vector<FixturePoint> kJob = {
    {0, 0, "C1", "11"},   {0, 10, "C2", "11"}, {10, 10, "C3", "11"},
    {20, 0, "C4", "11"},  {20, 10, "C5", "11"}, {24, 5, "C6", "11"},
};

// The records of a CP932 file with CR LF line ends that begin with `lead`.
std::vector<std::string> Records(const std::string& file, char lead) {
  std::vector<std::string> records;
  size_t at = 0;
  while (at < file.size()) {
    size_t end = file.find("\r\n", at);
    if (end == std::string::npos) end = file.size();
    const std::string line = file.substr(at, end - at);
    if (!line.empty() && line[0] == lead) records.push_back(line);
    at = end + 2;
  }
  return records;
}

// The text editor stands in as a shell script on the file it is given.
class EditorScript {
 public:
  EditorScript(const TempFolder& io, const std::string& body) {
    WriteHostFile(io / "editor.sh", "#!/bin/sh\n" + body);
    setenv("KRN_EDITOR", ("sh " + (io / "editor.sh")).c_str(), 1);
  }
  ~EditorScript() { unsetenv("KRN_EDITOR"); }
};

const char* const kClickThreePointCircle = "!click view 40 470";

// The lines of a CP932 file with CR LF line ends.
std::vector<std::string> AllLines(const std::string& file) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < file.size()) {
    size_t end = file.find("\r\n", at);
    if (end == std::string::npos) end = file.size();
    lines.push_back(file.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(ConnectionLinesSession, PolylinesArcsChangesAndTheLineFileThroughTheEditor) {
  const TempFolder data, windows, io;
  const std::string out = io.path() + "/";
  // The editor keeps a numbered copy of each file it is given.
  const EditorScript editor(
      io, "n=$(ls \"" + out + "\" | grep -c '^copy-')\ncp \"$1\" \"" + out + "copy-$n\"\n");
  // Enter alone at a point question is the "%" that ends a polyline.
  const std::string script = std::string() +
      "\n"                                     // Enter alone: the connection-line editor
      "1\nC1\nC2\nC3\n\nC4\nC5\nC4\n\n\n"      // two polylines, C4-C5 replaced by C5-C4
      "1\nC1\nC3\n" + kClickThreePointCircle + "\n\n20\n0\n"  // arc C1-C3, R 20, short
      "C2\n" + kClickThreePointCircle + "\n\n20\n1\n"         // arc C3-C2, R 20, long
      "\nC4\nC6\n" + kClickThreePointCircle + "\nC5\n\n\n"    // C4-C6 through C5
      "3\n1\n0\n7\n\n"                         // bulk change: layer 1 type 0 to layer 7
      "9\n"                                    // the line file through the editor: copy 0
      "6\nC2\n\n2\n\n"                         // partial deletion at C2, one end
      "9\n"                                    // copy 1
      "\n"                                     // Enter alone: the result menu
      "2\n";                                   // its editor: the report, copy 2
  const int status = fixture_points::Run(script, kJob, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  EXPECT_NE(transcript.find("R=-5.125"), std::string::npos) << transcript;

  // The segments moved to layer 7, the polyline starts stayed on layer 1; a
  // start followed by no segment is not written. C2-C3 went when C3-C2 was
  // drawn over it. The circle through C4, C6 and
  // C5 has its centre at (18.875, 5) and radius 5.125; C4, C6, C5 turns right.
  const std::vector<std::string> before = {
      "'    1=C1               9  1 ",       "'    2=C2               0  7 ",
      "'    5=C5               9  1 ",       "'    4=C4               0  7 ",
      "'    1=C1               9  1 ",
      "'    3=C3               0  7  20 0",  "'    2=C2               0  7 -20 1",
      "'    4=C4               9  1 ",       "'    6=C6               0  7 -5.12500000000923 1",
  };
  EXPECT_EQ(Records(ReadHostFile(io / "copy-0"), '\''), before);
  // At C2 the segments C1-C2 and C3-C2 are gone.
  const std::vector<std::string> after = {
      "'    5=C5               9  1 ",       "'    4=C4               0  7 ",
      "'    1=C1               9  1 ",       "'    3=C3               0  7  20 0",
      "'    4=C4               9  1 ",       "'    6=C6               0  7 -5.12500000000923 1",
  };
  EXPECT_EQ(Records(ReadHostFile(io / "copy-1"), '\''), after);

  // The report: the point lines, and after each of them the line type of the
  // step (" 9 " at a polyline's start), an empty line after each polyline.
  std::vector<std::string> steps;
  for (const std::string& line : AllLines(ReadHostFile(io / "copy-2"))) {
    if (line.size() <= 3) steps.push_back(line);
  }
  EXPECT_EQ(steps, (std::vector<std::string>{" 9 ", " 0 ", " 0 ", "", " 9 ", " 0 ", " 0 ", "",
                                             " 9 ", " 0 ", " 0 ", " 0 ", " 0 ", "", " 9 ",
                                             " 0 ", " 0 ", ""}));
}

TEST(ConnectionLinesSession, RepeatedSegmentsOfALineFileAreRemoved) {
  const TempFolder data, windows, io;
  const std::string out = io.path() + "/";
  // First call: the file's vertices twice over (two polylines C1-C2); second
  // call: a copy of the file as saved then.
  const EditorScript editor(io,
      "if [ -e \"" + out + "once\" ]; then cp \"$1\" \"" + out + "final.SEN\"; exit 0; fi\n"
      "touch \"" + out + "once\"\n"
      "{ grep '^\\*' \"$1\"; grep \"^'\" \"$1\"; grep \"^'\" \"$1\"; grep -v \"^[*']\" \"$1\"; }"
      " > \"$1.new\" && mv \"$1.new\" \"$1\"\n");
  const int status = fixture_points::Run("\n1\nC1\nC2\n\n\n9\n7\n9\n", kJob, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  EXPECT_NE(transcript.find(" 2             4             0\n"), std::string::npos) << transcript;
  const std::vector<std::string> vertices = Records(ReadHostFile(io / "final.SEN"), '\'');
  // The second C1-C2 is gone; a polyline start with no segment after it is not
  // written.
  EXPECT_EQ(vertices, (std::vector<std::string>{"'    1=C1               9  1 ",
                                                "'    2=C2               0  1 "}));
}

TEST(ConnectionLinesSession, TheEditorReachedFromTheCadMenuComesBackToIt) {
  const TempFolder data, windows, io;
  // Command 9, choice 1, Enter at the editor, Enter at the CAD menu.
  const int status = fixture_points::Run("9\n1\n\n\n", kJob, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::string cadMenu = U8(u8" 1:線編集  2:縦断設定  3:ﾌﾟﾛｯﾄ  4:図面設定  5:ﾌﾟﾘﾝﾄ  6:DXF ?");
  const size_t first = transcript.find(cadMenu);
  ASSERT_NE(first, std::string::npos) << transcript;
  const size_t editor = transcript.find(U8(u8" 9:ｴﾃﾞｨﾀ ?"), first);
  ASSERT_NE(editor, std::string::npos) << transcript;
  EXPECT_NE(transcript.find(cadMenu, editor), std::string::npos) << transcript;
  // Enter at the CAD menu: through the result menu (nothing to handle) to the
  // main menu.
  EXPECT_NE(transcript.rfind(U8(u8"プログラムＮＯ=")), std::string::npos);
  EXPECT_GT(transcript.rfind(U8(u8"プログラムＮＯ=")), transcript.rfind(cadMenu)) << transcript;
}

}  // namespace

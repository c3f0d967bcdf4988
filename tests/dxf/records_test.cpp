// The text of the values and records of a drawing, the mapping of ground to
// paper, the title and the DXF menu's choices: against the format's worked
// examples and references computed here from first principles.
#include "dxf/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "core/numeric.h"
#include "dxf/dxf_menu.h"
#include "dxf/head.h"
#include "dxf/mapping.h"
#include "runtime/errors.h"
#include "runtime/text.h"
#include "support/u8.h"

namespace {

// The number text from the exact binary value: its decimal expansion cut after
// the 16th significant digit, rounded at that digit to 15, trailing zeros
// dropped; fixed form while it fits in 15 places, else "d.dddE+eee".
std::string Reference(double v) {
  if (v == 0) return " 0 ";
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.60e", std::fabs(v));  // glibc prints the exact expansion
  std::string sixteen = std::string(1, buf[0]) + std::string(buf + 2, 15);
  int e = std::atoi(std::strchr(buf, 'e') + 1);
  std::string kept = sixteen.substr(0, 15);
  if (sixteen[15] >= '5') {
    int k = 14;
    while (k >= 0 && kept[k] == '9') kept[k--] = '0';
    if (k < 0) {
      kept = "1" + kept.substr(0, 14);
      ++e;
    } else {
      ++kept[k];
    }
  }
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
  const int n = static_cast<int>(kept.size());
  std::string digits;
  if (e >= 0 && e <= 14) {
    digits = kept.substr(0, std::min(n, e + 1)) + std::string(std::max(0, e + 1 - n), '0');
    if (n > e + 1) digits += "." + kept.substr(e + 1);
  } else if (e < 0 && (-e - 1) + n <= 15) {
    digits = "." + std::string(-e - 1, '0') + kept;
  } else {
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "E%c%03d", e < 0 ? '-' : '+', std::abs(e));
    digits = kept.substr(0, 1) + (n > 1 ? "." + kept.substr(1) : "") + exponent;
  }
  return (v < 0 ? "-" : " ") + digits + " ";
}

TEST(DxfNumberText, TheFormatsExamples) {
  struct Case {
    double value;
    bool rounded;
    const char* text;
  } cases[] = {
      {0.5, true, " .5 "},
      {-0.25, true, "-.25 "},
      {841, true, " 841 "},
      {123.456789, true, " 123.456789 "},
      {-0.0000004, true, " 0 "},
      {-0.0000006, true, "-.000001 "},
      {-0.000001, false, "-.000001 "},
      {0, false, " 0 "},
      {33.690067525979785, false, " 33.6900675259798 "},
      {359.99999999999994, false, " 360 "},
      {1e15, false, " 1E+015 "},
      {5.1e-15, false, " 5.1E-015 "},
      {double(0.841f) * 1000, true, " 841.000021 "},
      {double(0.594f) * 1000, true, " 593.999982 "},
      {double(0.198f) * 1000, true, " 197.999999 "},
      {double(0.279f) * 1000, true, " 279.000014 "},
      {100 * double(0.7f), true, " 69.999999 "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.rounded ? dxf::RoundedText(c.value) : dxf::NumberText(c.value), c.text) << c.value;
  }
}

TEST(DxfNumberText, MatchesTheExactExpansionOnARandomTable) {
  std::mt19937_64 random(38);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> power(-20, 20);
  for (int k = 0; k < 20000; ++k) {
    const double v = mantissa(random) * std::pow(10.0, power(random));
    ASSERT_EQ(dxf::NumberText(v), Reference(v)) << v;
    const double r = RoundTo6Decimals(v);
    ASSERT_EQ(dxf::RoundedText(v), Reference(r)) << v;
  }
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  return out;
}

TEST(DxfRecords, EachLayoutWithAndWithoutItsOptionalGroups) {
  dxf::Sink out;
  dxf::WritePoint(out, "ポイント", 10.25, -3, 1.5);
  EXPECT_EQ(out.Text(), Lines({"  0", "POINT", "  8", "ポイント", " 10", " 10.25 ", " 20", "-3 ", " 30", " 1.5 "}));
  out.Clear();
  dxf::WriteLine(out, "3", "HIDDEN", 1, 2, std::nullopt, 3, 4, std::nullopt);
  EXPECT_EQ(out.Text(), Lines({"  0", "LINE", "  8", "3", " 6", "HIDDEN", " 10", " 1 ", " 20", " 2 ",
                               " 11", " 3 ", " 21", " 4 "}));
  out.Clear();
  dxf::WriteLine(out, "方眼", "", 0, 5, 0.0, 7, 8, 0.0);
  EXPECT_EQ(out.Text(), Lines({"  0", "LINE", "  8", "方眼", " 10", " 0 ", " 20", " 5 ", " 30", " 0 ",
                               " 11", " 7 ", " 21", " 8 ", " 31", " 0 "}));
  out.Clear();
  dxf::WriteCircle(out, "三斜番号", "CONTINUOUS", 1.0000004, 2, std::nullopt, 0.9);
  EXPECT_EQ(out.Text(), Lines({"  0", "CIRCLE", "  8", "三斜番号", " 6", "CONTINUOUS", " 10", " 1 ",
                               " 20", " 2 ", " 40", " .9 "}));
  out.Clear();
  dxf::WriteArc(out, "1", "DOT", 1, 2, 3.0, 4, 350.5, 10);
  EXPECT_EQ(out.Text(), Lines({"  0", "ARC", "  8", "1", " 6", "DOT", " 10", " 1 ", " 20", " 2 ", " 30",
                               " 3 ", " 40", " 4 ", " 50", " 350.5 ", " 51", " 10 "}));
  out.Clear();
  dxf::TextRecord distance;
  distance.layer = "距離";
  distance.x = 1;
  distance.y = 2;
  distance.z = 0.5;
  distance.height = 1.8;
  distance.widthFactor = "0.6";
  distance.rotation = 33.690067525979785;
  distance.text = "１２．３４";
  dxf::WriteText(out, distance);
  EXPECT_EQ(out.Text(), Lines({"  0", "TEXT", "  8", "距離", " 10", " 1 ", " 20", " 2 ", " 30", " .5 ",
                               " 40", " 1.8 ", " 41", "0.6", " 50", " 33.6900675259798 ", "  1",
                               "１２．３４", "  7", "KANJI"}));
  out.Clear();
  dxf::TextRecord contour;
  contour.layer = "コンタ";
  contour.x = 1;
  contour.y = 2;
  contour.height = 2;
  contour.widthFactor = "0.5";
  contour.style = false;
  dxf::WriteText(out, contour);
  EXPECT_EQ(out.Text(), Lines({"  0", "TEXT", "  8", "コンタ", " 10", " 1 ", " 20", " 2 ", " 40", " 2 ",
                               " 41", "0.5", "  1", ""}));
  out.Clear();
  dxf::WritePolyline(out, "マ-ク", "", 2.0);
  dxf::WriteVertex(out, "マ-ク", "", -1, 1, 2.0);
  dxf::WriteSeqend(out);
  EXPECT_EQ(out.Text(), Lines({"  0", "POLYLINE", "  8", "マ-ク", " 66", "1", " 10", " 0 ", " 20", " 0 ",
                               " 30", " 2 ", "  0", "VERTEX", "  8", "マ-ク", " 10", "-1 ", " 20", " 1 ",
                               " 30", " 2 ", "  0", "SEQEND"}));
}

TEST(DxfLineTypes, NumbersZeroToEightNameTheTypesOthersKeepThePrevious) {
  const char* names[] = {"CONTINUOUS", "DOT", "HIDDEN2", "HIDDEN", "HIDDENX2",
                         "DASHDOT", "CENTER", "DIVIDE", "DIVIDEX2"};
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(dxf::LineTypeNameOf(n, "X"), names[n]) << n;
  for (double n : {9.0, 12.0, 1.5, -1.0}) EXPECT_EQ(dxf::LineTypeNameOf(n, "CENTER"), "CENTER") << n;
}

TEST(DxfFullWidth, TheFormatsExamples) {
  EXPECT_EQ(RtToFullWidth("A-1"), "Ａ－１");
  EXPECT_EQ(RtToFullWidth("ｶﾞｹ"), "ガケ");
  EXPECT_EQ(RtToFullWidth("ｳﾞ"), "ウ゛");
  EXPECT_EQ(RtToFullWidth("漢字"), "漢字");
  EXPECT_EQ(RtToFullWidth("\t"), "■");
}

TEST(DxfMapping, ScaleOriginRotationAndVerticalRatio) {
  // 1:500, origin X 1000 Y 2000: a point 10 m north and 20 m east of it.
  const double X = 1010, Y = 2020, Z = 12.5;
  struct Case {
    double rotation, ratio;
  } cases[] = {{0, 1}, {90, 1}, {30, 1}, {30.3015, 1}, {0, 0.2}, {30, 0.2}};
  for (const Case& c : cases) {
    const dxf::DrawingFrame frame{500, 1000, 2000, c.rotation, c.ratio};
    const dxf::PaperPoint p = dxf::GroundToPaper(frame, X, Y, Z);
    const double x = 20.0 / 500 * 1000, y = 10.0 / 500 * 1000 / c.ratio;
    // dd.mmss: 30.3015 is 30 degrees 30 minutes 15 seconds.
    const double deg = c.rotation == 30.3015 ? 30 + 30.0 / 60 + 15.0 / 3600 : c.rotation;
    const double r = deg * M_PI / 180;
    EXPECT_NEAR(p.x, x * std::cos(r) - y * std::sin(r), 1e-9) << c.rotation << " " << c.ratio;
    EXPECT_NEAR(p.y, x * std::sin(r) + y * std::cos(r), 1e-9) << c.rotation << " " << c.ratio;
    EXPECT_DOUBLE_EQ(p.z, 25);
  }
  // Turned by 90 degrees, the point at (10, 0) stands at x 0 once rounded.
  const dxf::PaperPoint p = dxf::GroundToPaper({1000, 0, 0, 90, 1}, 0, 10, 0);
  EXPECT_EQ(dxf::RoundedText(p.x), " 0 ");
  EXPECT_EQ(dxf::RoundedText(p.y), " 10 ");
}

TEST(DxfMapping, AScaleOrRatioOfZeroIsADivisionByZero) {
  for (const dxf::DrawingFrame frame : {dxf::DrawingFrame{0, 0, 0, 0, 1}, dxf::DrawingFrame{500, 0, 0, 0, 0}}) {
    try {
      dxf::GroundToPaper(frame, 1, 1, 1);
      ADD_FAILURE() << "no error";
    } catch (const RtError& e) {
      EXPECT_EQ(e.number(), kErrDivisionByZero);
    }
  }
}

TEST(DxfTitle, TheFormatsExample) {
  const std::string title = dxf::TitleTextOf("04/04/15", "KOJI1", 500, -1234.5, 567.25, "    0-00-00");
  EXPECT_EQ(title, "０４／０４／１５　Ｊｏｂ＝ＫＯＪＩ１　　Ｓ＝１／　５００" +
                       std::string("  原点  X=-1234.500 Y= 567.250  回転角=0-00-00"));
}

TEST(DxfMenu, AnswersRoundHalfAwayFromZeroAndAnythingOutsideOneToFourLeaves) {
  struct Case {
    double answer;
    int choice;
  } cases[] = {{0, 0}, {5, 0}, {0.4, 0}, {0.5, 1}, {4.5, 0}, {-1, 0}, {4.49, 4},
               {2, 2}, {1e300, 0}, {std::nan(""), 0}, {-0.5, 0}};
  for (const Case& c : cases) EXPECT_EQ(dxf::MenuChoiceOf(c.answer), c.choice) << c.answer;
}

TEST(DxfMenu, AChangedDrawingIsKeptUnderItsOwnName) {
  EXPECT_EQ(dxf::CadCopyPath("/job/KOJI1.DXF"), "/job/KOJI1_CAD.DXF");
  EXPECT_EQ(dxf::CadCopyPath("/job/a.b/PLAN.dxf"), "/job/a.b/PLAN_CAD.dxf");
}

}  // namespace

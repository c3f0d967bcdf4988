#include "points/name_replacement.h"

#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/tool_palette.h"

namespace {

constexpr double kGuideSearchText = 239;
constexpr double kGuideReplacementText = 240;
constexpr double kGuideChangeMarks = 111;

// Asks the text to replace, offering the selection's stem; Enter takes the stem.
std::string AskSearchText(App& app) {
  std::string& stem = app.area.LastStrippedAnswer;
  if (RtUcase(stem) == "L") stem.clear();
  RtPrintStr("置換前文字＝ " + stem + " ", false);
  app.input.GuideNumber = kGuideSearchText;
  InputPointName(app);
  return app.input.Answer.empty() ? stem : app.input.Answer;
}

std::string AskReplacementText(App& app) {
  RtPrintStr("置換後文字＝ ", false);
  app.input.GuideNumber = kGuideReplacementText;
  InputPointName(app);
  return app.input.Answer;
}

void ReplaceInSelectedNames(App& app, const std::string& search, const std::string& replacement) {
  points::Store& p = app.points;
  for (int k = 0; k <= p.SelectionLast; ++k) {
    std::string& name = p.PointName(p.SelectionList(k));
    RtPrintUsingNum(" &              & ---> ", {name}, false);
    name = points::ReplacedPointName(name, search, replacement);
    RtPrintStr(name, true);
  }
}

void ChangeSelectedMarks(App& app) {
  points::Store& p = app.points;
  for (int k = 0; k <= p.SelectionLast; ++k) {
    const int n = p.SelectionList(k);
    p.PointAttribute(n) = points::AttributeWithMark(p.PointAttribute(n), p.CurrentMark);
    RtPrintStr(p.PointName(n), false);
    RtPrintZone();
    RtPrintNum(p.CurrentMark, true);
  }
}

}  // namespace

namespace points {

std::string ReplacedPointName(const std::string& name, const std::string& search,
                              const std::string& replacement) {
  if (search.empty()) return replacement + name;
  const int at = RtInstr(name, search);
  if (at == 0) return name;
  return name.substr(0, at - 1) + replacement + name.substr(at - 1 + search.size());
}

std::string AttributeWithMark(const std::string& attribute, double mark) {
  const std::string a = attribute.empty() ? "90" : attribute;
  return a.substr(0, 1) + rt::Digits(mark) + (a.size() > 2 ? a.substr(2) : "");
}

}  // namespace points

Jump ReplacePointNameText(App& app) {
  points::Store& p = app.points;
  for (;;) {
    p.SelectionLast = -1;
    app.area.LastStrippedAnswer.clear();
    RtPrintStr("変更対象", true);
    SelectPoints(app);
    if (p.SelectionLast == -1) break;
    const std::string search = AskSearchText(app);
    const std::string replacement = AskReplacementText(app);
    ReplaceInSelectedNames(app, search, replacement);
  }
  // The copies follow the names as they are finally kept, normalised.
  NormalizePointNames(app);
  RefreshLineVertexNames(app);
  return {EntryOf(Routines().NormalizeNamesThenPlot)};
}

Jump ChangeMarks(App& app) {
  points::Store& p = app.points;
  for (;;) {
    app.settings.ZEG = 1;
    app.input.ViewRedrawPending = 1;
    p.LineConnectMode = 2;
    p.SelectionLast = -1;
    DrawToolPalette(app);
    app.input.GuideNumber = kGuideChangeMarks;
    ShowGuide(app);
    SelectPoints(app);
    if (p.SelectionLast == -1) return {EntryOf(Routines().RepeatLastCommand)};
    ChangeSelectedMarks(app);
    app.input.ViewRedrawPending = 1;
  }
}

void RefreshLineVertexNames(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const int count = RtWhole(l.LineVertexCount);
  for (int i = 1; i <= count; ++i) {
    const int n = l.LinePointNumber(i);
    if (n >= 1 && n <= p.PointCapacity) l.LinePointName(i) = p.PointName(n);
  }
}

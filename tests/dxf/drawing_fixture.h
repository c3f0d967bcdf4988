// A job and its open drawing for the writers of lines: points added by hand,
// the drawing made with its head and open for appending, its entities read back
// as written or through python3-ezdxf, and the console's transcript kept.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "dxf/dxf_menu.h"
#include "dxf/records.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "dxf/drawing_entities.h"
#include "support/dxf_reader.h"

class DrawingFixture : public ::testing::Test {
 protected:
  // Scale 1:500, origin X 1000, Y 2000, paper 400 x 300 mm, no rotation: ground
  // (X, Y) lies at paper (2 (Y - 2000), 2 (X - 1000)).
  DrawingFixture() {
    app.shell.DataFolder = folder / "";
    app.settings.ZA = "JOB";
    app.dxf.DrawingPath = Path();
    app.lines.PaperWidth = 0.4;
    app.lines.PaperHeight = 0.3;
    app.lines.ScaleDenominator = 500;
    app.view.PlotOriginX = 1000;
    app.view.PlotOriginY = 2000;
    app.view.VerticalRatio = 1;
    app.dxf.DxfPlotted = 1;  // the drawing's plot counts as made
    app.dxf.MarkAnswer = "10";
    app.dxf.MarkSize = 1.0;
    app.dxf.TextSize = 1.8;
    app.dxf.Output3D = 0;
    app.shell.DistanceDecimals = 3;
    app.output.ResultsPlaced = 1;
    rt::SetTranscriptSink([this](std::string_view line) { transcript += std::string(line) + "\n"; });
    CreateDxfFile(app);
    ReopenDxfForAppend(app);
  }
  ~DrawingFixture() override {
    RtClose(dxf::kDrawingFile);
    rt::SetTranscriptSink(nullptr);
  }

  std::string Path() const { return folder / "JOB.DXF"; }

  void AddPoint(int n, std::string name, double x, double y, double z, std::string attribute) {
    points::Store& p = app.points;
    p.PointName(n) = std::move(name);
    p.PointX(n) = x;
    p.PointY(n) = y;
    p.PointZ(n) = z;
    p.PointAttribute(n) = std::move(attribute);
    if (n > p.PointCount) p.PointCount = n;
  }
  void Plotted(std::initializer_list<int> numbers) {
    for (int n : numbers) {
      if (app.dxf.PlottedPointFlag.size() <= static_cast<size_t>(n)) app.dxf.PlottedPointFlag.resize(n + 1, 0);
      app.dxf.PlottedPointFlag[static_cast<size_t>(n)] = 1;
    }
  }

  // The entities written so far; the drawing stays open for more.
  std::vector<drawing_entities::Entity> Entities() {
    RtClose(dxf::kDrawingFile);
    const std::vector<drawing_entities::Entity> all = drawing_entities::Read(ReadHostFile(Path()));
    ReopenDxfForAppend(app);
    return all;
  }

  // The drawing finished and read by ezdxf.
  std::vector<std::string> FinishedByEzdxf() {
    FinishDxfFile(app);
    return dxf_reader::Read(Path());
  }

  int TimesShown(std::string_view utf8) {
    rt::FlushTranscript();
    int n = 0;
    for (size_t at = 0; (at = transcript.find(utf8, at)) != std::string::npos; at += utf8.size()) ++n;
    return n;
  }

  TempFolder folder;
  App app;
  std::string transcript;
};

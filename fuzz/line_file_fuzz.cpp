// The connection-line file: an input is JOB.SEN beside a job holding the points
// of the sample job (the names its lines refer to). The file is read as a job
// load reads it, then saved again as the next full save would write it.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "files/line_file.h"
#include "files/point_list.h"
#include "fuzz_support.h"
#include "core/app.h"

namespace {

// The points of data/SAMPLE.PRN, read once.
const std::vector<files::PointListEntry>& SamplePoints() {
  static const std::vector<files::PointListEntry> points = [] {
    std::vector<files::PointListEntry> read;
    std::ifstream in(KRN_SOURCE_ROOT "/data/SAMPLE.PRN", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (files::IsSkippedPointListLine(line)) continue;
      read.push_back(files::ParsePointListLine(line, files::PointListDelimiter::Blanks));
    }
    return read;
  }();
  return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    fuzz::WriteFile(fuzz::Scratch::Get() / "JOB.SEN", data, size);
    App app;
    fuzz::UseScratchJob(app);
    int k = 0;
    for (const files::PointListEntry& point : SamplePoints()) {
      ++k;
      app.points.PointName(k) = point.name;
      app.points.PointX(k) = point.x;
      app.points.PointY(k) = point.y;
      app.points.PointZ(k) = point.z;
    }
    app.points.PointCount = k;
    app.job.FileMenuChoice = 3;
    LoadConnectionLineFileUnlessAppending(app);
    app.job.FileMenuChoice = 1;
    SaveConnectionLineFile(app);
  });
  return 0;
}

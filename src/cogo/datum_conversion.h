// Kind 11 of the coordinate transformations: the plane coordinates of the job
// converted from the Tokyo datum to the 2000 datum by the outside converter.
// The program writes the converter's input, starts it and takes over its
// output; it does not convert by itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control.h"

struct App;

namespace cogo {

// The converter's exchange file: the two header lines, then one line per
// point "#######.##### #######.##### @" (X, Y, the name as stored); nothing at
// all for a job without points. Nothing when a coordinate does not fit.
struct ExchangePoint {
  double x = 0;
  double y = 0;
  std::string name;
};
std::optional<std::vector<std::string>> DatumInputLines(const std::vector<ExchangePoint>& points);

// The data lines of the converter's output, in order: a line whose text does
// not begin with a number other than 0 is passed over (headers, blank lines);
// X is its first blank-separated item, Y the second. A data line whose X or Y
// is no number makes the whole output unusable: nothing, with `badLine` the
// number of that line (from 1).
struct ConvertedPoint {
  double x = 0;
  double y = 0;
};
std::optional<std::vector<ConvertedPoint>> ReadDatumOutput(std::string_view text, int* badLine = nullptr);

// A converter is configured (KRN_DATUM_CONVERTER) and its program can be started.
bool DatumConverterAvailable();

}  // namespace cogo

// Writes JobFolder + ZA + ".in" (a ".out" of before is removed), runs the
// converter on the base path and waits for it, or, with none configured, asks
// the user to run it by hand and press a key; then takes the ".out": only when
// it was written and holds one data line per point are the points moved (the
// k-th data line is point k). The ".out" becomes the report in the print
// buffer (open for appending again), the view is fitted, and the two files are
// deleted unless the user answers "N". Back to the menu.
Jump DatumConversion(App& app);

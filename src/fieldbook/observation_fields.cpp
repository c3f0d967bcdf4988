#include "fieldbook/observation_fields.h"

#include "core/app.h"
#include "core/numeric.h"

std::string fieldbook::ColumnWindow(double value, int before, int width) {
  // Three blanks ahead of the sign leave room for the window of a short number.
  const std::string text = "   " + Format4Decimals(value);
  const size_t point = text.find('.');
  const size_t start = point == std::string::npos ? text.size() : point - before;
  return text.substr(start, width);
}

void FormatObservationFields(App& app) {
  fieldbook::State& f = app.fieldbook;
  f.DistanceColumn = "'" + fieldbook::ColumnWindow(f.MeasuredDistance, 4, 8);
  f.VerticalColumn = fieldbook::ColumnWindow(f.MeasuredVerticalAngle, 4, 9);
  f.HorizontalColumn = fieldbook::ColumnWindow(f.MeasuredHorizontalAngle, 4, 9);
  f.ObservationHeightField = fieldbook::ColumnWindow(f.ObservationTargetHeight, 3, f.FieldBookMode == 0 ? 7 : 8);
}

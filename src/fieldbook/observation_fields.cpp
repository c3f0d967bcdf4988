#include "fieldbook/observation_fields.h"

#include "core/app.h"
#include "core/columns.h"

void FormatObservationFields(App& app) {
  fieldbook::State& f = app.fieldbook;
  f.DistanceColumn = "'" + columns::DecimalWindow(f.MeasuredDistance, 4, 8);
  f.VerticalColumn = columns::DecimalWindow(f.MeasuredVerticalAngle, 4, 9);
  f.HorizontalColumn = columns::DecimalWindow(f.MeasuredHorizontalAngle, 4, 9);
  f.ObservationHeightField = columns::DecimalWindow(f.ObservationTargetHeight, 3, f.FieldBookMode == 0 ? 7 : 8);
}

// The column texts of a sight, against the record layout's own examples.
#include "fieldbook/observation_fields.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/app.h"

namespace {

TEST(FormatObservationFields, TraverseSightMakesTheObservationColumns) {
  auto app = std::make_unique<App>();
  fieldbook::State& f = app->fieldbook;
  f.MeasuredDistance = 123.4567;
  f.MeasuredVerticalAngle = 90.1234;
  f.MeasuredHorizontalAngle = 45;
  f.ObservationTargetHeight = 1.5;
  FormatObservationFields(*app);
  // The sight named A1 by the field-book entry: a record of 37 columns.
  const std::string record =
      f.DistanceColumn + f.VerticalColumn + f.HorizontalColumn + f.ObservationHeightField + " A1";
  EXPECT_EQ(record, "' 123.456  90.1234  45.0000  1.500 A1");
  EXPECT_EQ(record.size(), 37u);

  // The level modes give the height (a staff reading) four decimals.
  f.FieldBookMode = 1;
  f.ObservationTargetHeight = 1.2345;
  FormatObservationFields(*app);
  EXPECT_EQ(f.ObservationHeightField, "  1.2345");
}

}  // namespace

#include "fieldbook/records.h"

#include "core/columns.h"
#include "core/numeric.h"
#include "runtime/text.h"

using columns::Columns;
using columns::PadTo;

std::string fieldbook::StationRecord(std::string_view station, std::string_view backsight,
                                      std::string_view heightText) {
  return "*" + PadTo(station, 17) + PadTo(backsight, 17) + PadTo(heightText, 7);
}

std::string fieldbook::LevelRunRecord(std::string_view startName, double startHeight) {
  return "*_" + PadTo(startName, 20) + "H= " + Format4Decimals(startHeight);
}

std::string fieldbook::EndedLevelRunRecord(std::string_view runRecord, std::string_view endName) {
  return Columns(runRecord, 1, 10) + "-->" + Columns(endName, 1, 8) + Columns(runRecord, 20, 39);
}

std::string fieldbook::LevelReadingRecord(std::string_view kind, std::string_view name,
                                           std::string_view distanceColumn, std::string_view heightField) {
  return std::string(kind) + PadTo(name, 10) + RtRight(distanceColumn, 7) + std::string(heightField);
}

std::string fieldbook::TraverseSightRecord(std::string_view distanceColumn, std::string_view verticalColumn,
                                            std::string_view horizontalColumn, std::string_view heightField,
                                            std::string_view name) {
  return std::string(distanceColumn) + std::string(verticalColumn) + std::string(horizontalColumn) +
         std::string(heightField) + " " + std::string(name);
}

std::string fieldbook::TurningRecord(std::string_view sightRecord, double instrumentHeight) {
  return "T" + PadTo(Columns(sightRecord, 2, 44), 43) + Format3Decimals(instrumentHeight);
}

std::string fieldbook::NoteRecord(std::string_view text) { return "N " + std::string(text); }

std::string fieldbook::LevelName(std::string_view record) { return Columns(record, 2, 9); }

double fieldbook::LevelReading(std::string_view record) { return columns::ColumnValue(record, 20, 27); }

bool fieldbook::IsLevelRunRecord(std::string_view record) { return record.starts_with("*_"); }

bool fieldbook::IsEndedLevelRun(std::string_view record) {
  return IsLevelRunRecord(record) && Columns(record, 11, 13) == "-->";
}

std::string fieldbook::KindOf(std::string_view record) { return Columns(record, 1, 1); }

// The spreadsheet point file: an input is x.csv as the spreadsheet program left
// it, read by the round trip's reader into the points it would store.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/app.h"
#include "fuzz_support.h"
#include "points/spreadsheet_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const App app;  // the runtime that records a number's error
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const points::SpreadsheetRead read = points::ReadSpreadsheetPoints(bytes, 9999);
    if (read.points.size() > 9999) __builtin_trap();
    if (read.error.empty() != (read.errorLine == 0)) __builtin_trap();
  });
  return 0;
}

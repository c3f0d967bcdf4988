// The datum converter's output: an input is JOB.out as the outside converter
// wrote it, read into the plane coordinates it would give the points.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cogo/datum_conversion.h"
#include "core/app.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const App app;  // the runtime that records a number's error
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int badLine = 0;
    const auto points = cogo::ReadDatumOutput(bytes, &badLine);
    if (!points && badLine < 1) __builtin_trap();
    if (points && points->size() > size) __builtin_trap();
  });
  return 0;
}

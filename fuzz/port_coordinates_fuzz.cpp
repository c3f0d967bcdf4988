// The coordinate lines a peer sends over the transfer link: each line of an
// input as the receive reads it (a whole line up to CR, LF dropped), split into
// name and numbers, and as the port's input field.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "runtime/serial.h"
#include "transfer/coordinate_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    std::string line;
    for (char c : fuzz::Bytes(data, size)) {
      if (c == '\n') continue;
      if (c != '\r') {
        line += c;
        continue;
      }
      if (!transfer::EndsCoordinateReceive(line)) transfer::ParsePortCoordinateLine(line);
      rt::PortFieldOfLine(line);
      line.clear();
    }
    transfer::ParsePortCoordinateLine(line);
    rt::PortFieldOfLine(line);
  });
  return 0;
}

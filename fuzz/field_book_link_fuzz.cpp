// Field-book lines as the transfer link's receive takes them: each line of an
// input classed (data, skipped, end) and split both ways.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "transfer/fieldbook_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    std::string line;
    auto take = [&] {
      if (transfer::KindOfReceivedLine(line) == transfer::ReceivedLine::Data) {
        transfer::SplitReceivedFieldBookLine(line, false);
        transfer::SplitReceivedFieldBookLine(line, true);
      }
      line.clear();
    };
    for (char c : fuzz::Bytes(data, size)) {
      if (c == '\r') {
        take();
      } else if (c != '\n') {
        line += c;
      }
    }
    take();
  });
  return 0;
}

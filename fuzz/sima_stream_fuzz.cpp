// A SIMA stream as the transfer link's receive reads it, one byte at a time, up
// to its A99 record.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "transfer/sima_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    transfer::SimaStreamReader reader;
    for (char c : fuzz::Bytes(data, size)) {
      if (reader.Feed(c) == transfer::SimaStreamReader::Event::End) break;
    }
  });
  return 0;
}

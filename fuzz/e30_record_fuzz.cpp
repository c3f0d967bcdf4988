// E30 records from a data collector: each line of an input parsed as the
// coordinate receive parses it; a record that reads is written again and must
// read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "transfer/fieldbook_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    std::string line;
    auto parse = [&] {
      const std::optional<transfer::E30Point> p = transfer::ParseE30Record(line);
      line.clear();
      if (!p || p->name.find(',') != std::string::npos) return;
      const std::string again = transfer::E30Record(p->name, p->x, p->y, p->z, p->attribute);
      const std::optional<transfer::E30Point> back = transfer::ParseE30Record(again);
      if (!back || back->name != p->name || back->attribute != p->attribute) std::abort();
    };
    for (char c : fuzz::Bytes(data, size)) {
      if (c == '\r') {
        parse();
      } else if (c != '\n') {
        line += c;
      }
    }
    parse();
  });
  return 0;
}

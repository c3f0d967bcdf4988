// The data-collector files: an input is an SD file, read both ways (the
// collector's attribute as a point code and as a whole attribute) into the book,
// and the book written again as SD and SDR3P lines; the same bytes are loaded as
// an SDR3P file's lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app.h"
#include "fieldbook/book_file.h"
#include "fieldbook/collector_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    App app;
    fuzz::UseScratchFolders(app);
    const std::string path = fuzz::Scratch::Get().path() + "/FIELD.SD";
    fuzz::WriteFile(path, data, size);
    std::vector<std::string> lines;
    if (!fieldbook::ReadAllLines(path, lines)) return;
    for (const bool withConnections : {false, true}) {
      const fieldbook::SdRead read = fieldbook::ParseSdFile(lines, path, withConnections);
      if (!read.refusal.empty()) continue;
      RtTable<std::string> records, attributes;
      records.Dimension(static_cast<double>(read.records.size()));
      attributes.Dimension(static_cast<double>(read.records.size()));
      for (size_t i = 0; i < read.records.size(); ++i) {
        records(static_cast<double>(i)) = read.records[i];
        attributes(static_cast<double>(i)) = read.attributes[i];
      }
      const int count = static_cast<int>(read.records.size()) - 1;
      fieldbook::SdFileLines(records, attributes, count, "JOB", {"04/04/15", "12:34:56"});
      fieldbook::Sdr3pFileLines(records, count, "JOB", {"04/04/15", "12:34:56"});
    }
  });
  return 0;
}

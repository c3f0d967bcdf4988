// The field-book file: an input is a ".Y" file, read in place of the book and
// saved again, and the same bytes as the editor copy "T.D", read back as the
// editor round trip reads it and written again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "fieldbook/book_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const std::string folder = fuzz::Scratch::Get().path() + "/";
    fuzz::WriteFile(folder + "BOOK.Y", data, size);
    fuzz::WriteFile(folder + "T.D", data, size);
    App app;
    fuzz::UseScratchFolders(app);
    app.job.ChosenFilePath = folder + "BOOK.Y";
    ReadFieldBookFile(app, false);
    app.job.ChosenFilePath = folder + "OUT.Y";
    WriteFieldBookFile(app);
    app.job.ChosenFilePath = folder + "T.D";
    ReadFieldBookFile(app, true);
    WriteFieldBookFile(app);
  });
  return 0;
}

#include "runtime/headless.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"

namespace {

void Report(std::string_view message) {
  std::fprintf(stderr, "krn: %.*s\n", static_cast<int>(message.size()), message.data());
}

std::string ReadStandardInput() {
  std::string text;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text.append(buffer, got);
  return text;
}

void WriteLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

// Writes the cursor's row when the program leaves, however it leaves.
struct TranscriptFlush {
  ~TranscriptFlush() { rt::FlushTranscript(); }
};

int RunProgram(Runtime& runtime, const std::function<int(Runtime&)>& program) {
  TranscriptFlush flush;
  try {
    return program(runtime);
  } catch (const RtScriptEnded&) {
    return 0;
  } catch (const rt::ScriptError& e) {
    rt::FlushTranscript();
    Report(e.what());
    return rt::kStatusScriptError;
  } catch (const std::exception& e) {
    rt::FlushTranscript();
    Report(e.what());
    return rt::kStatusFailure;
  } catch (...) {
    rt::FlushTranscript();
    Report("the program stopped with an unknown failure");
    return rt::kStatusFailure;
  }
}

}  // namespace

int rt::RunHeadless(int argc, char** argv, std::function<int(Runtime&)> program) {
  if (argc < 2 || argc > 3 || std::string_view(argv[1]) != "--headless") {
    Report("usage: krn --headless [FILE] < SCRIPT");
    return kStatusScriptError;
  }
  const std::string script = ReadStandardInput();
  Runtime runtime;
  RuntimeScope current(runtime);
  runtime.headless = true;
  try {
    LoadScript(script);
  } catch (const ScriptError& e) {
    Report(e.what());
    return kStatusScriptError;
  }
  SetTranscriptSink(WriteLine);
  int status = RunProgram(runtime, program);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Report("the transcript could not be written to standard output");
    if (status == 0) status = kStatusFailure;
  }
  return status;
}



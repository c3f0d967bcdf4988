#include "runtime/headless.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/termination.h"
#include "runtime/text.h"

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

// ---- A person at a terminal ----
//
// The script's lines are read one at a time as the program waits for them. The
// row the cursor is on is shown as the prompt of the line to type; the
// transcript's line for that row, once the program has echoed the answer, is not
// written again when it reads exactly as the terminal already shows it.

struct Terminal {
  std::string shownRow;  // the prompt row with the typed line, as the terminal shows it
};

Terminal& TheTerminal() {
  static Terminal terminal;
  return terminal;
}

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The cursor's row up to the cursor, as the person sees it (UTF-8).
std::string PromptRow() {
  const int row = RtCsrlin();
  std::string cp932;
  for (int column = 0; column < RtPos(); ++column) {
    const int c = RtScreenChar(column, row);
    cp932 += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
  }
  return rt::Cp932ToUtf8(cp932);
}

void WriteTerminalLine(std::string_view line) {
  std::string& shown = TheTerminal().shownRow;
  const bool alreadyShown = !shown.empty() && line == shown;
  shown.clear();
  if (!alreadyShown) WriteLine(line);
}

void ShowWhatIsAwaited(std::string_view waitingFor) {
  const bool dialog = waitingFor.ends_with("dialog");
  std::printf("(%.*s is waiting: type !ok%s or !cancel)\n", static_cast<int>(waitingFor.size()),
              waitingFor.data(), dialog ? ", !file PATH" : "");
}

bool ReadTerminalLine(std::string& line, std::string_view waitingFor) {
  std::string prompt;
  if (waitingFor == "a key") {
    prompt = PromptRow();
  } else {
    ShowWhatIsAwaited(waitingFor);
  }
  std::fputs(prompt.c_str(), stdout);
  std::fflush(stdout);
  char* buffer = nullptr;
  size_t capacity = 0;
  const ssize_t got = getline(&buffer, &capacity, stdin);
  if (got >= 0) line.assign(buffer, static_cast<size_t>(got));
  std::free(buffer);
  if (got < 0) {
    std::fputc('\n', stdout);
    return false;
  }
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  TheTerminal().shownRow = WithoutTrailingBlanks(prompt + line);
  return true;
}

void RefuseTerminalLine(const std::string& message) {
  Report(message + " (the line is ignored)");
}

// A message box or dialog waits for the person's answer: its question comes
// first, after the row the cursor is on, so that it is read before it is answered.
void ShowWaitingQuestion(std::string_view shown) { rt::TranscriptLine(shown); }

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
  // A person at a terminal types the script as the program goes; a script from
  // a file or a pipe is read and checked whole before the program runs.
  InstallTerminationHandlers();
  const bool terminal = isatty(STDIN_FILENO) == 1;
  const std::string script = terminal ? std::string() : ReadStandardInput();
  Runtime runtime;
  RuntimeScope current(runtime);
  runtime.headless = true;
  if (terminal) {
    SetScriptSource({ReadTerminalLine, RefuseTerminalLine, ShowWaitingQuestion});
  } else {
    try {
      LoadScript(script);
    } catch (const ScriptError& e) {
      Report(e.what());
      return kStatusScriptError;
    }
  }
  SetTranscriptSink(terminal ? WriteTerminalLine : WriteLine);
  int status = RunProgram(runtime, program);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Report("the transcript could not be written to standard output");
    if (status == 0) status = kStatusFailure;
  }
  return status;
}



// Start-up: the program started as a person starts it in a fresh folder that
// holds the files it ships (so the navigator draws its menu picture), until it
// waits at the main menu's first prompt. The script is empty, so the program
// ends right there: the time is that of the whole run, start-up and the
// program's end, as a new process (loading the libraries included).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A folder of its own with a copy of the shipped files and a Windows folder,
// removed at the end.
struct StartFolder {
  StartFolder() {
    char name[] = "/tmp/bench_startup.XXXXXX";
    path = mkdtemp(name);
    std::filesystem::copy(KRN_DATA, path, std::filesystem::copy_options::recursive);
    std::filesystem::create_directory(path + "/windows");
  }
  ~StartFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

// Runs `krn --headless` in the folder on an empty script; its exit status.
int RunProgram(const StartFolder& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.path.c_str());
  std::vector<std::string> variables = {"KRN_WINDOWS_DIR=" + folder.path + "/windows",
                                        "KRN_CLOCK=2026-12-10T09:30:00"};
  for (char** e = environ; *e; ++e) {
    const std::string_view v(*e);
    if (!v.starts_with("KRN_") && !v.starts_with("DISPLAY=") && !v.starts_with("WAYLAND_DISPLAY=")) {
      variables.emplace_back(v);
    }
  }
  std::vector<char*> env;
  for (std::string& v : variables) env.push_back(v.data());
  env.push_back(nullptr);
  char program[] = KRN_PROGRAM;
  char headless[] = "--headless";
  char* argv[] = {program, headless, nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_StartUpToFirstPrompt(benchmark::State& state) {
  StartFolder folder;
  for (auto _ : state) {
    if (RunProgram(folder) != 0) state.SkipWithError("the program did not end cleanly");
  }
}
BENCHMARK(BM_StartUpToFirstPrompt)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

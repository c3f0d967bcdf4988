#include "runtime/sound.h"

#include <dirent.h>
#include <sys/stat.h>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "runtime/desktop.h"
#include "runtime/desktop_sound.h"
#include "runtime/folders.h"
#include "runtime/programs.h"
#include "runtime/runtime.h"
#include "runtime/sound_state.h"
#include "runtime/text.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

// The file of a "play <path>" command (the path may stand in double quotes);
// nothing for any other command.
std::optional<std::string_view> PlayedFile(std::string_view command) {
  command = Trimmed(command);
  constexpr std::string_view kVerb = "play ";
  if (command.size() <= kVerb.size() ||
      !rt::EqualsIgnoringCase(command.substr(0, kVerb.size()), kVerb)) {
    return std::nullopt;
  }
  std::string_view path = Trimmed(command.substr(kVerb.size()));
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = path.substr(1, path.size() - 2);
  }
  if (path.empty()) return std::nullopt;
  return path;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The wave file itself, or the file of its folder whose name differs only in
// case ("CHORD.WAV" for "chord.wav", as Windows would find it); empty when none.
std::string ExistingFile(const std::string& hostPath) {
  if (Exists(hostPath)) return hostPath;
  const size_t slash = hostPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash + 1);
  const std::string name = std::filesystem::path(hostPath).filename().string();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (rt::EqualsIgnoringCase(entry->d_name, name)) {
      found = (slash == std::string::npos ? std::string() : folder) + entry->d_name;
      if (Exists(found)) break;
      found.clear();
    }
  }
  closedir(dir);
  return found;
}

std::vector<std::string> PlayerCommand(const std::string& file) {
  if (std::string player = rt::FindOnPath("paplay"); !player.empty()) return {player, file};
  if (std::string player = rt::FindOnPath("aplay"); !player.empty()) return {player, "-q", file};
  return {};
}

// On the desktop a wave is its event sound of the user's sound theme; otherwise,
// and when the desktop cannot play that, the wave file itself.
void Play(SoundState& state, const std::string& hostPath, std::string_view name) {
  if (rt::DesktopActive() && rt::PlayEventSound(state, name)) return;
  const std::string file = ExistingFile(hostPath);
  if (file.empty()) return;
  const std::vector<std::string> command = PlayerCommand(file);
  if (command.empty()) return;
  if (const pid_t pid = rt::StartProcess(command, true); pid > 0) state.players.push_back(pid);
}

}  // namespace

void RtMciCommand(std::string_view command) {
  SoundState& state = *CurrentRuntime().sound;
  state.commands.emplace_back(command);
  rt::CollectEnded(state.players);
  const auto file = PlayedFile(command);
  if (!file) return;
  try {
    const std::string hostPath = rt::HostPath(*file);
    const std::string name = std::filesystem::path(hostPath).filename().string();
    RtNote("[sound] " + name);
    Play(state, hostPath, name);
  } catch (const std::exception&) {
    // A sound that cannot be played is silence, never a failure of the program.
  }
}

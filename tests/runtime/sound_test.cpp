#include "runtime/sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "process_fixture.h"
#include "runtime/programs.h"
#include "runtime/runtime.h"
#include "runtime/sound_state.h"

namespace {

using testing_support::ScopedEnv;
using testing_support::TempFolder;
using testing_support::Utf8;
using Words = std::vector<std::string>;

// A fake player on a private PATH writes what it was asked to play.
class SoundTest : public ::testing::Test {
 protected:
  void InstallPlayer(const std::string& name) {
    folder_.Script("bin/" + name, "printf '%s\\n' \"$@\" > '" + (folder_ / "played.txt") + "'");
  }

  // The played file's arguments, once the player has ended.
  Words Played() {
    for (pid_t pid : rt_.sound->players) rt::WaitForProcess(pid);
    return folder_.Lines("played.txt");
  }

  // " play " + the folder in Windows style + "\media\" + name, as the program sends it.
  std::string Command(const std::string& name) {
    std::string folder = folder_.path();
    for (char& c : folder) {
      if (c == '/') c = '\\';
    }
    return " play " + folder + "\\media\\" + name;
  }

  TempFolder folder_;
  ScopedEnv path_{"PATH", folder_ / "bin"};
  Runtime rt_;
  RuntimeScope scope_{rt_};
};

TEST_F(SoundTest, PlaysAnExistingWaveWithTheFirstPlayerFound) {
  const std::string wave = folder_.Write("media/ding.wav", "RIFF");
  InstallPlayer("paplay");
  InstallPlayer("aplay");
  RtMciCommand(Command("ding.wav"));
  EXPECT_EQ(Played(), Words{wave});
  EXPECT_EQ(rt_.notes, Words{"[sound] ding.wav"});
  EXPECT_EQ(rt_.sound->commands, Words{Command("ding.wav")});
}

TEST_F(SoundTest, FallsBackToAplay) {
  const std::string wave = folder_.Write("media/notify.wav", "RIFF");
  InstallPlayer("aplay");
  RtMciCommand(Command("notify.wav"));
  EXPECT_EQ(Played(), (Words{"-q", wave}));
}

TEST_F(SoundTest, FindsTheFileWhateverTheCaseOfItsName) {
  const std::string wave = folder_.Write("media/chord.wav", "RIFF");
  InstallPlayer("paplay");
  RtMciCommand(Command("CHORD.WAV"));
  EXPECT_EQ(Played(), Words{wave});
  EXPECT_EQ(rt_.notes, Words{"[sound] CHORD.WAV"});
}

TEST_F(SoundTest, SlashSeparatorsAndDoubleByteNames) {
  const std::string wave = folder_.Write(Utf8(u8"media/チャイム.wav"), "RIFF");
  InstallPlayer("paplay");
  RtMciCommand(" play " + folder_.path() + "/media/チャイム.wav");
  EXPECT_EQ(Played(), Words{wave});
  EXPECT_EQ(rt_.notes, Words{Utf8(u8"[sound] チャイム.wav")});
}

TEST_F(SoundTest, MissingFileOrPlayerIsSilence) {
  InstallPlayer("paplay");
  RtMciCommand(Command("tada.wav"));  // no such file
  EXPECT_TRUE(rt_.sound->players.empty());
  EXPECT_TRUE(Played().empty());

  folder_.Write("media/tada.wav", "RIFF");
  ScopedEnv noPlayer("PATH", folder_ / "empty");
  RtMciCommand(Command("tada.wav"));
  EXPECT_TRUE(rt_.sound->players.empty());
  EXPECT_EQ(rt_.notes, (Words{"[sound] tada.wav", "[sound] tada.wav"}));
}

TEST_F(SoundTest, OtherCommandsAreRecordedOnly) {
  InstallPlayer("paplay");
  const Words commands = {"", " play ", "close all", "stop x.wav", "playx.wav"};
  for (const std::string& command : commands) RtMciCommand(command);
  EXPECT_EQ(rt_.sound->commands, commands);
  EXPECT_TRUE(rt_.notes.empty());
  EXPECT_TRUE(rt_.sound->players.empty());
}

TEST_F(SoundTest, QuotedPath) {
  const std::string wave = folder_.Write("media/recycle.wav", "RIFF");
  InstallPlayer("paplay");
  RtMciCommand("PLAY \"" + wave + "\"  ");
  EXPECT_EQ(Played(), Words{wave});
  EXPECT_EQ(rt_.notes, Words{"[sound] recycle.wav"});
}

TEST_F(SoundTest, EndedPlayersAreCollectedAtTheNextCommand) {
  folder_.Write("media/ding.wav", "RIFF");
  InstallPlayer("paplay");
  RtMciCommand(Command("ding.wav"));
  ASSERT_EQ(rt_.sound->players.size(), 1u);
  // Until the player has ended, a later command keeps it in the list.
  for (int i = 0; i < 500 && !rt_.sound->players.empty(); ++i) {
    usleep(10000);
    RtMciCommand(Command("missing.wav"));
  }
  EXPECT_TRUE(rt_.sound->players.empty());
}

}  // namespace

#include "runtime/desktop_sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "process_fixture.h"
#include "runtime/desktop.h"
#include "runtime/programs.h"
#include "runtime/runtime.h"
#include "runtime/sound.h"
#include "runtime/sound_state.h"
#include "test_display.h"

namespace {

using testing_support::InChildProcess;
using testing_support::ScopedEnv;
using testing_support::TempFolder;

TEST(EventSoundIdTest, EachWaveOfTheProgramHasItsEvent) {
  const struct {
    std::string_view wave;
    std::string_view event;
  } cases[] = {
      {"start.wav", "button-pressed"}, {"ding.wav", "message"},
      {"notify.wav", "complete"},      {"recycle.wav", "trash-empty"},
      {"chord.wav", "dialog-error"},   {"tada.wav", "service-logout"},
      {"chimes.wav", "complete"},      {"CHORD.WAV", "dialog-error"},
      {"Tada.Wav", "service-logout"},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::EventSoundId(c.wave), c.event) << c.wave;
}

TEST(EventSoundIdTest, OtherNamesHaveNone) {
  for (std::string_view name : {"", "ding", "ding.wav ", "xding.wav", "ding.wav.bak", "ding.oga",
                                "media/ding.wav", "missing.wav"}) {
    EXPECT_EQ(rt::EventSoundId(name), "") << name;
  }
}

// A sound theme of our own with one event, played by the ALSA driver on ALSA's
// null device: the service plays it without sound hardware, and nothing of the
// machine's own sound set-up takes part. The sound library refuses to work in a
// process forked after it was used, so every test that plays runs in a child
// process of its own and this test program never uses it itself.
class EventSoundTest : public ::testing::Test {
 protected:
  EventSoundTest() {
    folder_.Write("sounds/freedesktop/index.theme",
                  "[Sound Theme]\nName=freedesktop\nDirectories=stereo\n\n"
                  "[stereo]\nOutputProfile=stereo\n");
    folder_.Write("sounds/freedesktop/stereo/message.wav", ShortWave());
  }

  // 50 ms of silence as a mono 8 kHz 16-bit wave.
  static std::string ShortWave() {
    constexpr uint32_t kSamples = 400;
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    auto u32 = [&](uint32_t v) { return u16(uint16_t(v)) + u16(uint16_t(v >> 16)); };
    return "RIFF" + u32(36 + 2 * kSamples) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(8000) +
           u32(16000) + u16(2) + u16(16) + "data" + u32(2 * kSamples) +
           std::string(2 * kSamples, '\0');
  }

  TempFolder folder_;
  ScopedEnv dataHome_{"XDG_DATA_HOME", folder_.path()};
  ScopedEnv dataDirs_{"XDG_DATA_DIRS", folder_ / "none"};
  ScopedEnv driver_{"CANBERRA_DRIVER", "alsa"};
  ScopedEnv device_{"CANBERRA_DEVICE", "null"};
  SoundState state_;
};

TEST_F(EventSoundTest, AnEventOfTheThemeIsPlayedByTheService) {
  InChildProcess([&] {
    EXPECT_TRUE(rt::PlayEventSound(state_, "ding.wav"));
    EXPECT_TRUE(rt::PlayEventSound(state_, "DING.WAV"));
  });
}

TEST_F(EventSoundTest, AnEventTheThemeLacksLeavesTheFileToTheCaller) {
  InChildProcess([&] {
    EXPECT_FALSE(rt::PlayEventSound(state_, "start.wav"));
    EXPECT_FALSE(rt::PlayEventSound(state_, "chord.wav"));
  });
}

TEST_F(EventSoundTest, AWaveWithoutEventNeverReachesTheService) {
  EXPECT_FALSE(rt::PlayEventSound(state_, "other.wav"));
  EXPECT_EQ(state_.eventSounds, nullptr);
}

TEST_F(EventSoundTest, AServiceThatCannotBeReachedLeavesTheFileToTheCaller) {
  ScopedEnv noDriver("CANBERRA_DRIVER", "no-such-driver");
  InChildProcess([&] { EXPECT_FALSE(rt::PlayEventSound(state_, "ding.wav")); });
}

// RtMciCommand with the desktop backend running: a wave whose event the theme has
// is that event sound; any other is played from its file as headless.
TEST_F(EventSoundTest, OnTheDesktopAWaveIsItsEventSoundElseItsFile) {
  if (!testing_support::TestDisplay::Ready()) GTEST_SKIP() << "no display server can be started";
  folder_.Script("bin/paplay", "printf '%s\\n' \"$@\" >> '" + (folder_ / "played.txt") + "'");
  ScopedEnv path("PATH", folder_ / "bin");
  const std::string ding = folder_.Write("media/ding.wav", ShortWave());
  const std::string chord = folder_.Write("media/chord.wav", ShortWave());
  InChildProcess([&] {
    ASSERT_TRUE(rt::DesktopAvailable());
    rt::RunDesktop([&](Runtime& desktop) {
      RtMciCommand(" play " + ding);
      RtMciCommand(" play " + chord);
      for (pid_t player : desktop.sound->players) rt::WaitForProcess(player);
      EXPECT_EQ(folder_.Lines("played.txt"), std::vector<std::string>{chord});
      EXPECT_EQ(desktop.notes, (std::vector<std::string>{"[sound] ding.wav", "[sound] chord.wav"}));
      return 0;
    });
  });
}

}  // namespace

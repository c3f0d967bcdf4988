#include "runtime/desktop_sound.h"

#include <canberra.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <string>
#include <utility>

#include "runtime/sound_state.h"
#include "runtime/text.h"

namespace rt {

struct EventSounds {
  ca_context* context = nullptr;
  // Sounds started and not yet finished; the service reports their end on a
  // thread of its own.
  std::atomic<int> playing{0};
};

namespace {

// How long the end of the program waits for a sound still playing (the one at
// exit would otherwise be cut off).
constexpr int kLastSoundWaitMs = 3000;
constexpr int kWaitStepMs = 10;

constexpr char kApplicationName[] = "krn";

// The program's waves and the events of the freedesktop sound naming that carry
// their meaning to the user's sound theme.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kEventSounds{{
    {"start.wav", "button-pressed"},   // a mouse pick taken
    {"ding.wav", "message"},           // a point stored, a file saved
    {"notify.wav", "complete"},        // a read or send finished
    {"recycle.wav", "trash-empty"},    // a deletion
    {"chord.wav", "dialog-error"},     // an error
    {"tada.wav", "service-logout"},    // the program ends
    {"chimes.wav", "complete"},        // a calculation or renaming pass finished
}};

// The theme the user chose for event sounds and whether they are on, as the
// desktop's settings say; nothing is changed without a display.
void ApplyDesktopSettings(ca_context* context) {
  GtkSettings* settings = gdk_display_get_default() ? gtk_settings_get_default() : nullptr;
  if (!settings) return;
  gchar* theme = nullptr;
  gboolean enabled = TRUE;
  g_object_get(settings, "gtk-sound-theme-name", &theme, "gtk-enable-event-sounds", &enabled,
               nullptr);
  if (theme && *theme) {
    ca_context_change_props(context, CA_PROP_CANBERRA_XDG_THEME_NAME, theme, nullptr);
  }
  ca_context_change_props(context, CA_PROP_CANBERRA_ENABLE, enabled ? "1" : "0", nullptr);
  g_free(theme);
}

// The state's connection to the sound service, made at the first use; null when
// the service cannot be reached.
EventSounds* Open(SoundState& state) {
  if (!state.eventSounds) {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return nullptr;
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, kApplicationName, nullptr);
    ApplyDesktopSettings(context);
    state.eventSounds.reset(new EventSounds);
    state.eventSounds->context = context;
  }
  return state.eventSounds.get();
}

void Finished(ca_context*, uint32_t, int, void* userdata) {
  --static_cast<EventSounds*>(userdata)->playing;
}

int Play(EventSounds& sounds, std::string_view eventId) {
  ca_proplist* properties = nullptr;
  if (ca_proplist_create(&properties) != CA_SUCCESS) return CA_ERROR_OOM;
  ca_proplist_sets(properties, CA_PROP_EVENT_ID, std::string(eventId).c_str());
  const int result = ca_context_play_full(sounds.context, 0, properties, Finished, &sounds);
  ca_proplist_destroy(properties);
  if (result == CA_SUCCESS) ++sounds.playing;
  return result;
}

}  // namespace

void EventSoundsDeleter::operator()(EventSounds* sounds) const {
  for (int waited = 0; sounds->playing > 0 && waited < kLastSoundWaitMs; waited += kWaitStepMs) {
    usleep(kWaitStepMs * 1000);
  }
  ca_context_destroy(sounds->context);
  delete sounds;
}

std::string_view EventSoundId(std::string_view waveFileName) {
  for (const auto& [wave, event] : kEventSounds) {
    if (rt::EqualsIgnoringCase(waveFileName, wave)) return event;
  }
  return {};
}

bool PlayEventSound(SoundState& state, std::string_view waveFileName) {
  const std::string_view eventId = EventSoundId(waveFileName);
  if (eventId.empty()) return false;
  EventSounds* sounds = Open(state);
  if (!sounds) return false;
  const int result = Play(*sounds, eventId);
  return result == CA_SUCCESS || result == CA_ERROR_DISABLED;
}

}  // namespace rt

#include "runtime/desktop_keys.h"

#include <gdk/gdkkeysyms.h>

#include "runtime/events.h"

namespace rt {

namespace {

struct KeyCode {
  unsigned keyval;
  int code;
};

// The special keys, on the main block and on the keypad.
constexpr KeyCode kSpecialKeys[] = {
    {GDK_KEY_Return, kKeyEnter},        {GDK_KEY_KP_Enter, kKeyEnter},
    {GDK_KEY_ISO_Enter, kKeyEnter},     {GDK_KEY_BackSpace, kKeyBackspace},
    {GDK_KEY_Tab, kKeyTab},             {GDK_KEY_KP_Tab, kKeyTab},
    {GDK_KEY_ISO_Left_Tab, kKeyTab},    {GDK_KEY_Escape, kKeyEscape},
    {GDK_KEY_Clear, kKeyClear},         {GDK_KEY_KP_Begin, kKeyClear},
    {GDK_KEY_Insert, kKeyInsert},       {GDK_KEY_KP_Insert, kKeyInsert},
    {GDK_KEY_Page_Up, kKeyPageUp},      {GDK_KEY_KP_Page_Up, kKeyPageUp},
    {GDK_KEY_Page_Down, kKeyPageDown},  {GDK_KEY_KP_Page_Down, kKeyPageDown},
    {GDK_KEY_End, kKeyEnd},             {GDK_KEY_KP_End, kKeyEnd},
    {GDK_KEY_Right, kKeyRight},         {GDK_KEY_KP_Right, kKeyRight},
    {GDK_KEY_Left, kKeyLeft},           {GDK_KEY_KP_Left, kKeyLeft},
    {GDK_KEY_Up, kKeyUp},               {GDK_KEY_KP_Up, kKeyUp},
    {GDK_KEY_Down, kKeyDown},           {GDK_KEY_KP_Down, kKeyDown},
    {GDK_KEY_Delete, kKeyDelete},       {GDK_KEY_KP_Delete, kKeyDelete},
};

}  // namespace

DesktopKey DesktopKeyFor(unsigned keyval, bool shift) {
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) {
    return {DesktopKey::Kind::FunctionKey, static_cast<int>(keyval - GDK_KEY_F1) + 1};
  }
  if (keyval == GDK_KEY_Home || keyval == GDK_KEY_KP_Home) {
    return {DesktopKey::Kind::Code, shift ? kKeyClear : kKeyHome};
  }
  for (const KeyCode& key : kSpecialKeys) {
    if (key.keyval == keyval) return {DesktopKey::Kind::Code, key.code};
  }
  return {};
}

}  // namespace rt

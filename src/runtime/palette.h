// The 16 colours of the console and the graphics windows, and the colours the
// printer page gives the same 16 numbers.
//
// Windows and console: a base colour 0-7 (black, blue, red, magenta, green, cyan,
// yellow, white) in a dark variant, and its bright variant at the number + 8. The
// normal text colour 7 is a light grey, 15 a pure white, 8 a dark grey.
//
// Printer page: the numbers run through the same colours in pairs, dark then
// bright: page colour 2k is window colour k, page colour 2k + 1 is window colour
// k + 8 (0 black, 1 grey, 2 navy, 3 blue, ... 14 silver, 15 white). The layer
// colour chart of the console shows the layers in exactly these pairs.
#pragma once

#include <array>
#include <cstdint>

namespace rt {

// 0xRRGGBB of window and console colour `colour`; numbers outside 0-15 wrap
// into that range (only the low four bits count).
constexpr uint32_t PaletteRgb(int colour) {
  constexpr std::array<uint32_t, 16> kRgb = {
      0x000000, 0x000080, 0x800000, 0x800080, 0x008000, 0x008080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF,
  };
  return kRgb[static_cast<unsigned>(colour) & 15u];
}

// 0xRRGGBB of printer page colour `colour` (same wrapping).
constexpr uint32_t PrinterPaletteRgb(int colour) {
  const unsigned n = static_cast<unsigned>(colour) & 15u;
  return PaletteRgb(static_cast<int>(n / 2 + (n % 2) * 8));
}

// Red, green and blue of an 0xRRGGBB value as fractions 0-1 (for cairo).
struct RgbFractions {
  double red, green, blue;
};
constexpr RgbFractions Fractions(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

}  // namespace rt

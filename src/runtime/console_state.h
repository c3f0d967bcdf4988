#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// One text cell of the console.
struct ConsoleCell {
  // Which part of a character the cell holds.
  enum class Part : uint8_t { Single, Lead, Trail };

  uint8_t byte = ' ';
  uint8_t foreground = 7;
  uint8_t background = 0;
  bool reverse = false;
  Part part = Part::Single;
};

struct ConsoleState {
  static constexpr int kColumns = 63;
  static constexpr int kRows = 39;

  std::array<ConsoleCell, kColumns * kRows> cells{};
  int column = 0;
  int row = 0;

  // Colours and attribute of what is printed next.
  uint8_t foreground = 7;
  uint8_t background = 0;
  bool reverse = false;

  // Scrolling text area: rows areaTop .. areaTop + areaRows - 1.
  int areaTop = 0;
  int areaRows = kRows;

  // Something was printed on the cursor's row since the transcript last had it.
  bool rowWritten = false;
  // The transcript had the cursor's row just before another line (a note), and
  // nothing was printed on it since.
  bool rowFlushed = false;
  std::function<void(std::string_view)> transcript;

  ConsoleCell& at(int col, int r) { return cells[static_cast<size_t>(r * kColumns + col)]; }
  const ConsoleCell& at(int col, int r) const {
    return cells[static_cast<size_t>(r * kColumns + col)];
  }
};

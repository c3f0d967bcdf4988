#include "runtime/window_id.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 4> kNames = {"main", "view", "nav", "printer"};
}

std::string_view RtWindowName(RtWindowId id) { return kNames.at(static_cast<size_t>(id)); }

std::optional<RtWindowId> RtWindowFromName(std::string_view name) {
  for (size_t i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<RtWindowId>(i);
  return std::nullopt;
}

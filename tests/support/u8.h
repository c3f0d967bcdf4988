// Test helper: a UTF-8 literal as a std::string, for comparing with what the
// program writes to the host (the transcript, file names, window captions).
#pragma once

#include <string>

inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

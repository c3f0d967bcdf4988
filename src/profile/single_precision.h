// The section's decimal constants are single-precision numbers used in double
// arithmetic: 0.2 is 0.20000000298023224, and results carry that small error
// (a datum level of 115 m comes out as 114.99999821186069). Every such constant
// is written through this one helper, never as a double literal.
#pragma once

namespace profile {

// The single-precision value of a constant, widened to double.
constexpr double SinglePrecision(float value) { return static_cast<double>(value); }

}  // namespace profile

// Conversions of doubles to integers that hold for every input: truncation toward zero, values
// beyond the integer's range give its nearest extreme, and NaN gives 0.
#pragma once

#include "platform.h"

namespace tl {

template <class Int> constexpr Int saturatingTrunc(double value) {
  constexpr unsigned long long kTop = 1ull << (sizeof(Int) * 8 - 1);
  constexpr Int kMax = static_cast<Int>(kTop - 1);
  constexpr Int kMin = static_cast<Int>(-kMax - 1);
  constexpr double kLimit = static_cast<double>(kTop); // 2^(bits-1), exact in a double
  if (value != value) return 0;                        // NaN
  if (value >= kLimit) return kMax;
  if (value < -kLimit) return kMin;
  return static_cast<Int>(value);
}

} // namespace tl

// Names of the language compare without regard to ASCII case: "Double" and "double", "PointF"
// and "pointf" are the same.
#pragma once

#include <algorithm>
#include <string_view>

namespace host {

inline char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline bool sameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// Orders names as sameName compares them, for maps keyed by name.
struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return std::ranges::lexicographical_compare(
        a, b, [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
  }
};

} // namespace host

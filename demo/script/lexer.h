// Splits a script into tokens: names, number and string literals, operators, line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"

namespace script {

struct Token {
  enum class Kind { Name, Integer, Double, String, Symbol, EndOfLine, EndOfFile };
  Kind kind;
  std::string text; // a name as written, a literal's digits, a string's contents, a symbol
  Position at;

  bool is(Kind k) const { return kind == k; }
  bool isSymbol(std::string_view s) const { return kind == Kind::Symbol && text == s; }
  // A keyword: a name, compared without regard to case as the language does.
  bool isWord(std::string_view word) const;
  // For messages: 'Rotate', '(', "abc", end of line (also for the end of the script).
  std::string describe() const;
};

// Throws ScriptError on a character no token starts with or an unterminated string.
std::vector<Token> tokenize(std::string_view source);

// Names of the language ignore ASCII case: "pointf" is "PointF".
bool sameName(std::string_view a, std::string_view b);

} // namespace script

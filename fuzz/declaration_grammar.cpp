#include "declaration_grammar.h"

#include <regex>

namespace fuzzing {

bool grammatical(const std::string& text) {
  static const std::regex declaration = [] {
    const std::string blank = "[ \\t\\n\\v\\f\\r]";
    const std::string name = "[A-Za-z_][A-Za-z0-9_]*";
    const std::string type = name + "(?:\\." + name + ")*";
    const std::string as = "[aA][sS]";
    // After a parameter's name, blanks or the empty parentheses of an array keep "as" apart.
    const std::string parameter = blank + "*" + name + "(?:" + blank + "+|" + blank + "*\\(" +
                                  blank + "*\\)" + blank + "*)" + as + blank + "+" + type;
    const std::string list = "\\((?:" + blank + "*\\)|" + parameter + "(?:" + blank + "*," +
                             parameter + ")*" + blank + "*\\))";
    return std::regex(blank + "*" + name + blank + "*" + list + "(?:" + blank + "*" + as + blank +
                      "+" + type + ")?" + blank + "*");
  }();
  return std::regex_match(text, declaration);
}

} // namespace fuzzing

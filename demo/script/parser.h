// Reads a script into a Program, or throws ScriptError at the first syntax error, naming the
// line, the column and what was expected.
#pragma once

#include <string_view>

#include "ast.h"

namespace script {

Program parse(std::string_view source);

} // namespace script

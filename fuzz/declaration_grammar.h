// The grammar of Xojo declarations as the plug-ins write them, stated as a regular expression,
// for the declaration fuzzer to hold the host's parser against:
//
//   declaration := name "(" [ parameter { "," parameter } ] ")" [ "as" type ]
//   parameter   := name [ "(" ")" ] "as" type
//   type        := name { "." name }
//
// with blanks (the C locale's white space) allowed between any two tokens and required where
// two words would otherwise run together; names are ASCII letters, digits and underscores not
// starting with a digit, and "as" may be written in any case.
#pragma once

#include <string>

namespace fuzzing {

bool grammatical(const std::string& text);

} // namespace fuzzing

// Where a script went wrong: a position in its text and a message that reads like a compiler's.
#pragma once

#include <stdexcept>
#include <string>

namespace script {

struct Position {
  int line = 0;
  int column = 0;
};

// A syntax error, a name or call that does not resolve, a type mismatch, or an exception the
// program did not handle (`runtime`). what() reads "line 3, column 6: PolygonF has no method
// Rotate(String)", with "runtime error: " in front of the message of a runtime error.
class ScriptError : public std::runtime_error {
public:
  ScriptError(Position at, const std::string& message, bool runtime = false);
  Position at() const { return at_; }
  const std::string& message() const { return message_; }
  bool runtime() const { return runtime_; }

private:
  Position at_;
  std::string message_;
  bool runtime_;
};

} // namespace script

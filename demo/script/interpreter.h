// Runs a parsed script against the classes registered in a host: declarations, assignments,
// calls, Print, Render and For loops. The variables hold host objects, so the interpreter must
// be destroyed before the host.
#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "ast.h"
#include "host/host.h"

namespace script {

class Interpreter {
public:
  Interpreter(host::Host& host, std::ostream& out);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // Throws ScriptError at the first statement that fails; what ran before it stays done.
  void run(const Program& program);
  // The PolygonF objects the variables hold, in the order the variables were declared.
  std::vector<host::Value> polygons() const;

private:
  struct State;
  std::unique_ptr<State> state_;
};

// Render's report: "Render: 2 polygons into tour.png (320 x 240)".
std::string renderReport(size_t polygons, const std::string& path, int width, int height);

} // namespace script

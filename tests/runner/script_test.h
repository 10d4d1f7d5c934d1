// Scripts run in-process against a host with the libraries tessaline loads, so that each test
// also checks that a script leaves no host object or string alive.
#pragma once

#include <sstream>
#include <string>

#include "script/interpreter.h"
#include "script/parser.h"
#include "script/plugins.h"
#include "support/plugin_test.h"

namespace runner_testing {

class ScriptTest : public testing_support::PluginTest {
protected:
  void SetUp() override {
    host::Host& h = start({});
    for (const std::string& library : script::librariesToLoad(script::kDefaultVectorLibrary))
      h.load(library);
  }

  // Whether the classes a case needs are registered ("" needs none).
  bool registered(const std::string& cls) { return cls.empty() || host().findClass(cls); }

  struct Outcome {
    std::string output;
    std::string error; // ScriptError::what(), "" when the script ran
    bool runtime = false;
  };

  Outcome run(const std::string& source) {
    Outcome o;
    std::ostringstream out;
    try {
      const script::Program program = script::parse(source);
      script::Interpreter interpreter(host(), out);
      interpreter.run(program);
    } catch (const script::ScriptError& e) {
      o.error = e.what();
      o.runtime = e.runtime();
    }
    o.output = out.str();
    return o;
  }
};

} // namespace runner_testing

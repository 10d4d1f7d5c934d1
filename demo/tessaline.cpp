// tessaline: runs Xojo-flavoured scripts against the plug-ins, loaded into the stand-in host.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "script/interpreter.h"
#include "script/parser.h"
#include "script/plugins.h"
#include "script/render.h"

namespace {

const char* const kUsage = R"(usage: tessaline [OPTIONS] run SCRIPT
       tessaline [OPTIONS] render OUT.png SCRIPT
       tessaline [OPTIONS] classes

Loads the built plug-in libraries (Tessaline1, Tessaline2 and one build of VectorF_3D) into
the stand-in host and
  run SCRIPT              runs the Xojo-flavoured script SCRIPT;
  render OUT.png SCRIPT   runs SCRIPT, then fills every PolygonF its variables hold with the
                          plug-in's own raster fill and writes the picture to OUT.png;
  classes                 lists every registered class with its properties and methods.

Options:
  --version N        the host version the stand-in host reports (default 2019; "none": the
                     host has no version entry), to see what an older host gets
  --vector LIBRARY   the VectorF_3D build to load: Tessaline3 (default), Tessaline3Mac,
                     Tessaline3Linux, or none
  --size WxH         the size of the picture of render (default 256x256)
  --help             this text

Scripts: Var/Dim declarations (Var p As New PointF(1, 2), Var r As RectF, Var d As Double = 2),
assignments (p.x = 5, poly.PointX(2) = 5.0), method calls with or without parentheses, New,
the operators + - * / and unary - (through the classes' Operator_ methods for objects),
= <> < > <= >= (through Operator_Compare), Is, True, False, Nil, numbers, "strings",
// and ' comments, For i As Integer = 1 To n [Step s] ... Next, and
  Print a, b, ...                    prints the values separated by a blank
  Render "file.png", W, H [, poly...] fills the polygons given, or every PolygonF the
                                     variables hold, into a W x H picture written to file.png

Exit status: 0 when the script ran, 1 on an error in it (reported with its line and column),
2 on a usage error.
)";

struct Arguments {
  host::Options host;
  std::string vectorLibrary = script::kDefaultVectorLibrary;
  int width = 256, height = 256;
  std::vector<std::string> words; // the command and its operands
};

[[noreturn]] void usageError(const std::string& message) {
  std::cerr << "tessaline: " << message << "\n(tessaline --help shows the usage)\n";
  std::exit(2);
}

Arguments parseArguments(int argc, char** argv) {
  Arguments a;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto operand = [&]() -> std::string {
      if (i + 1 >= argc) usageError(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      std::exit(0);
    } else if (arg == "--version") {
      const std::string v = operand();
      if (v == "none") {
        a.host.version = std::nullopt;
      } else {
        std::istringstream in(v);
        double version;
        if (!(in >> version) || !in.eof()) usageError("--version takes a number or none");
        a.host.version = version;
      }
    } else if (arg == "--vector") {
      a.vectorLibrary = operand();
    } else if (arg == "--size") {
      const std::string v = operand();
      char x = 0;
      std::istringstream in(v);
      if (!(in >> a.width >> x >> a.height) || x != 'x' || !in.eof())
        usageError("--size takes WIDTHxHEIGHT, e.g. 320x240");
    } else if (arg.starts_with("--")) {
      usageError("unknown option " + arg);
    } else {
      a.words.push_back(arg);
    }
  }
  return a;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void loadLibraries(host::Host& h, const Arguments& a) {
  for (const std::string& library : script::librariesToLoad(a.vectorLibrary)) h.load(library);
}

// Runs the script; for render, then writes the picture of its polygons to `picture`.
int runScript(const Arguments& a, const std::string& path, const std::string* picture) {
  script::Program program;
  try {
    program = script::parse(readFile(path));
  } catch (const script::ScriptError& e) {
    std::cerr << path << ": " << e.what() << "\n";
    return 1;
  }
  host::Host h(a.host);
  loadLibraries(h, a);
  script::Interpreter interpreter(h, std::cout);
  try {
    interpreter.run(program);
  } catch (const script::ScriptError& e) {
    std::cout.flush();
    std::cerr << path << ": " << e.what() << "\n";
    return 1;
  }
  if (picture) {
    const std::vector<host::Value> polygons = interpreter.polygons();
    script::writePng(*picture, script::renderPolygons(h, polygons, a.width, a.height));
    std::cout << script::renderReport(polygons.size(), *picture, a.width, a.height) << "\n";
  }
  return 0;
}

int listClasses(const Arguments& a) {
  host::Host h(a.host);
  loadLibraries(h, a);
  std::cout << "Host version ";
  if (a.host.version)
    std::cout << *a.host.version;
  else
    std::cout << "none";
  std::cout << "; libraries:";
  for (const std::string& library : script::librariesToLoad(a.vectorLibrary))
    std::cout << " " << library;
  std::cout << "\n\n";
  script::listClasses(h, std::cout);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const Arguments a = parseArguments(argc, argv);
  const std::vector<std::string>& w = a.words;
  try {
    if (w.size() == 2 && w[0] == "run") return runScript(a, w[1], nullptr);
    if (w.size() == 3 && w[0] == "render") return runScript(a, w[2], &w[1]);
    if (w.size() == 1 && w[0] == "classes") return listClasses(a);
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "tessaline: " << e.what() << "\n";
    return 1;
  }
  usageError(w.empty() ? "no command" : "unknown command or operands: " + w[0]);
}

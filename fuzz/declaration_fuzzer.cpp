// The stand-in host's reading of Xojo declarations and its overload resolution, which every test
// trusts. Three kinds of input:
//   - any text: the parser accepts exactly what the grammar of declarations allows (checked
//     against a regular expression of it), keeps the text, and what it reads back renders to a
//     declaration of the same method;
//   - a declaration built from parts and written with any blanks and letter case: it parses to
//     exactly those parts;
//   - candidate declarations and call arguments (numbers, truth values, texts, Nil, objects of
//     host classes): each argument's conversion cost, and the overload chosen (or the ambiguity
//     or mismatch reported), agree with a plain statement of the language's rules.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "declaration_grammar.h"
#include "failure.h"
#include "host/declaration.h"
#include "host/host.h"

namespace {

using fuzzing::fail;
using host::Declaration;
using host::Parameter;
using host::Value;

bool sameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string render(const Declaration& d) {
  std::string text = d.name + "(";
  for (size_t i = 0; i < d.params.size(); ++i) {
    const Parameter& p = d.params[i];
    text += (i ? "," : "") + p.name + (p.array ? "()" : "") + " as " + p.type;
  }
  text += ")";
  if (!d.result.empty()) text += " as " + d.result;
  return text;
}

void samePartsOrFail(const Declaration& a, const Declaration& b, const std::string& text) {
  bool same = a.name == b.name && a.result == b.result && a.params.size() == b.params.size();
  for (size_t i = 0; same && i < a.params.size(); ++i)
    same = a.params[i].name == b.params[i].name && a.params[i].type == b.params[i].type &&
           a.params[i].array == b.params[i].array;
  if (!same) fail("\"" + text + "\" reads back as \"" + render(b) + "\"");
}

// --- any text ---------------------------------------------------------------------------------

void anyText(const std::string& text) {
  std::string error;
  std::optional<Declaration> d = host::parseDeclaration(text, &error);
  const bool grammatical = fuzzing::grammatical(text);
  if (d.has_value() != grammatical) {
    fail("\"" + text + "\" is " +
         (grammatical ? "grammatical but rejected: " + error : "not grammatical but accepted"));
  }
  if (!d) {
    if (error.find(" at offset ") == std::string::npos) fail("a rejection without its place");
    return;
  }
  if (d->text != text) fail("the declaration's text differs from what was parsed");
  std::string again = render(*d);
  std::optional<Declaration> reread = host::parseDeclaration(again);
  if (!reread) fail("\"" + again + "\", rendered from \"" + text + "\", does not parse");
  samePartsOrFail(*d, *reread, again);
  if (!host::sameMethod(*d, *reread) || !host::sameMethod(*reread, *d))
    fail("\"" + text + "\" and its rendering are not the same method");
}

// --- declarations from parts ------------------------------------------------------------------

std::string blanks(FuzzedDataProvider& in, bool required) {
  static const char kBlanks[] = {' ', '\t', '\n', '\v', '\f', '\r'};
  std::string out(required ? 1 : 0, ' ');
  for (int n = in.ConsumeIntegralInRange(0, 2); n > 0; --n) out += in.PickValueInArray(kBlanks);
  return out;
}

std::string identifier(FuzzedDataProvider& in) {
  static const char kStart[] = "abcXYZ_";
  static const char kPart[] = "azAZ09_";
  std::string out(1, kStart[in.ConsumeIntegralInRange<size_t>(0, sizeof kStart - 2)]);
  for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n)
    out += kPart[in.ConsumeIntegralInRange<size_t>(0, sizeof kPart - 2)];
  return out;
}

std::string typeName(FuzzedDataProvider& in) {
  static const char* const kTypes[] = {"Double", "integer",         "BOOLEAN", "String",
                                       "PointF", "Xojo.Core.Point", "Graphics"};
  if (in.ConsumeBool()) return in.PickValueInArray(kTypes);
  std::string out = identifier(in);
  for (int n = in.ConsumeIntegralInRange(0, 2); n > 0; --n) out += "." + identifier(in);
  return out;
}

std::string asWord(FuzzedDataProvider& in) {
  static const char* const kAs[] = {"as", "As", "AS", "aS"};
  return in.PickValueInArray(kAs);
}

void fromParts(FuzzedDataProvider& in) {
  Declaration parts;
  parts.name = identifier(in);
  std::string text = blanks(in, false) + parts.name + blanks(in, false) + "(";
  const int count = in.ConsumeIntegralInRange(0, 5);
  for (int i = 0; i < count; ++i) {
    Parameter p{identifier(in), typeName(in), in.ConsumeIntegralInRange(0, 7) == 0};
    if (i > 0) text += blanks(in, false) + ",";
    text += blanks(in, false) + p.name;
    text += p.array ? blanks(in, false) + "(" + blanks(in, false) + ")" + blanks(in, false)
                    : blanks(in, true);
    text += asWord(in) + blanks(in, true) + p.type;
    parts.params.push_back(p);
  }
  text += blanks(in, false) + ")";
  if (in.ConsumeBool()) {
    parts.result = typeName(in);
    text += blanks(in, false) + asWord(in) + blanks(in, true) + parts.result;
  }
  text += blanks(in, false);
  std::string error;
  std::optional<Declaration> d = host::parseDeclaration(text, &error);
  if (!d) fail("\"" + text + "\" does not parse: " + error);
  samePartsOrFail(parts, *d, text);
  anyText(text);
}

// --- overload resolution ----------------------------------------------------------------------

// The host objects arguments may be, one of each class, made once.
struct Objects {
  host::Host h;
  std::vector<Value> values;
  std::vector<std::string> classes;
  Objects() {
    for (const char* cls : {"Graphics", "WebGraphics", "Xojo.Core.Point"}) {
      values.push_back(h.createInstance(cls));
      classes.push_back(cls);
    }
  }
};
Objects* gObjects = nullptr;

struct Argument {
  Value value;
  std::string objectClass; // for objects
};

Argument argument(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
  case 0:
    return {Value(in.ConsumeIntegral<int64_t>()), ""};
  case 1:
    return {Value(in.ConsumeFloatingPoint<double>()), ""};
  case 2:
    return {Value(in.ConsumeBool()), ""};
  case 3:
    return {Value(in.ConsumeRandomLengthString(8)), ""};
  case 4:
    return {Value::nil(), ""};
  case 5:
    return {Value(), ""}; // Nothing: what a method without a result gives
  default: {
    size_t k = in.ConsumeIntegralInRange<size_t>(0, gObjects->values.size() - 1);
    return {gObjects->values[k], gObjects->classes[k]};
  }
  }
}

std::string parameterType(FuzzedDataProvider& in) {
  static const char* const kTypes[] = {
      "Double",          "double",          "Integer",  "INTEGER",     "Boolean",
      "String",          "Graphics",        "graphics", "WebGraphics", "PointF",
      "Xojo.Core.Point", "xojo.core.point", "Xojo.Core"};
  return in.PickValueInArray(kTypes);
}

// The language's conversions, stated plainly: a number to its own type costs nothing, an
// Integer to a Double 1, a Double to an Integer 2; a truth value or a text only to its own
// type; Nil to any class; an object to its own class. Type names ignore case; no value is an
// array.
std::optional<int> expectedCost(const Argument& a, const Parameter& p) {
  if (p.array) return std::nullopt;
  const std::string& t = p.type;
  const bool scalar = sameText(t, "Double") || sameText(t, "Integer") || sameText(t, "Boolean") ||
                      sameText(t, "String");
  switch (a.value.kind()) {
  case Value::Kind::Integer:
    if (sameText(t, "Integer")) return 0;
    if (sameText(t, "Double")) return 1;
    return std::nullopt;
  case Value::Kind::Double:
    if (sameText(t, "Double")) return 0;
    if (sameText(t, "Integer")) return 2;
    return std::nullopt;
  case Value::Kind::Boolean:
    return sameText(t, "Boolean") ? std::optional(0) : std::nullopt;
  case Value::Kind::String:
    return sameText(t, "String") ? std::optional(0) : std::nullopt;
  case Value::Kind::Nil:
    return scalar ? std::nullopt : std::optional(0);
  case Value::Kind::Object:
    return !scalar && sameText(t, a.objectClass) ? std::optional(0) : std::nullopt;
  case Value::Kind::Nothing:
    return std::nullopt;
  }
  return std::nullopt;
}

void overloads(FuzzedDataProvider& in) {
  std::vector<Declaration> candidates(in.ConsumeIntegralInRange(0, 6));
  for (Declaration& d : candidates) {
    d.name = "Rotate";
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n)
      d.params.push_back({"p", parameterType(in), in.ConsumeIntegralInRange(0, 15) == 0});
    d.text = render(d);
  }
  std::vector<Argument> args(in.ConsumeIntegralInRange(0, 3));
  for (Argument& a : args) a = argument(in);
  std::vector<Value> values;
  for (const Argument& a : args) values.push_back(a.value);

  int best = -1, bestCost = 0, tied = 0;
  for (size_t c = 0; c < candidates.size(); ++c) {
    const Declaration& d = candidates[c];
    if (d.params.size() != args.size()) continue;
    int cost = 0;
    bool fits = true;
    for (size_t a = 0; a < args.size(); ++a) {
      std::optional<int> expected = expectedCost(args[a], d.params[a]);
      if (host::conversionCost(values[a], d.params[a]) != expected)
        fail("the cost of passing " + values[a].describe() + " as " + d.params[a].type);
      fits = fits && expected.has_value();
      cost += expected.value_or(0);
    }
    if (!fits) continue;
    if (best < 0 || cost < bestCost) {
      best = static_cast<int>(c);
      bestCost = cost;
      tied = 1;
    } else if (cost == bestCost) {
      ++tied;
    }
  }
  const int expected = tied == 1 ? best : -1;

  std::vector<const Declaration*> pointers;
  for (const Declaration& d : candidates) pointers.push_back(&d);
  std::string error;
  int chosen = host::resolveOverload(pointers, values, &error);
  if (chosen != expected)
    fail("resolving " + host::callShape("Rotate", values) + " chose " + std::to_string(chosen) +
         ", not " + std::to_string(expected));
  if (chosen < 0 && error.empty()) fail("no message for a call that resolves to nothing");
  if (chosen < 0 && tied > 1 && error.find("ambiguous") == std::string::npos)
    fail("an ambiguous call reported as \"" + error + "\"");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static Objects objects;
  gObjects = &objects;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FuzzedDataProvider in(data + 1, size - 1);
  switch (data[0] % 3) {
  case 0:
    anyText(in.ConsumeRemainingBytesAsString());
    break;
  case 1:
    fromParts(in);
    break;
  default:
    overloads(in);
  }
  return 0;
}

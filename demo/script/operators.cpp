#include "operators.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace script {

namespace {

struct OperatorMethod {
  const char* op;
  const char* method;
};

constexpr OperatorMethod kArithmetic[] = {
    {"+", "Operator_Add"},
    {"-", "Operator_Subtract"},
    {"*", "Operator_Multiply"},
    {"/", "Operator_Divide"},
};

std::string shown(const std::string& type) {
  return type.empty() ? "Nil" : type;
}

// An object, or Nil: what Is and the reference comparison take.
bool isReference(const Operand& o) {
  return !isScalarType(o.type);
}

double number(const Operand& o) {
  return o.type == "Integer" ? static_cast<double>(o.value.asInteger()) : o.value.asDouble();
}

// Integer arithmetic wraps around, as the language's 64-bit Integer does; / always gives a
// Double.
Operand arithmetic(const std::string& op, const Operand& a, const Operand& b) {
  if (a.type == "Integer" && b.type == "Integer" && op != "/") {
    const auto x = static_cast<uint64_t>(a.value.asInteger());
    const auto y = static_cast<uint64_t>(b.value.asInteger());
    const uint64_t r = op == "+" ? x + y : op == "-" ? x - y : x * y;
    return Operand::of(host::Value(static_cast<XojoInteger>(static_cast<int64_t>(r))));
  }
  const double x = number(a), y = number(b);
  const double r = op == "+" ? x + y : op == "-" ? x - y : op == "*" ? x * y : x / y;
  return Operand::of(host::Value(r));
}

template <class T> bool holds(const std::string& op, const T& x, const T& y) {
  if (op == "=") return x == y;
  if (op == "<>") return x != y;
  if (op == "<") return x < y;
  if (op == ">") return x > y;
  if (op == "<=") return x <= y;
  return x >= y;
}

std::string folded(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

Operand truth(bool b) {
  return Operand::of(host::Value(b));
}

Operand compare(Runtime& rt, Position at, const std::string& op, const Operand& a,
                const Operand& b) {
  if (op == "Is") {
    if (!isReference(a) || !isReference(b))
      throw ScriptError(at, "Is compares objects, not " + shown(a.type) + " and " + shown(b.type));
    return truth(a.value.object() == b.value.object());
  }
  if (a.isNumber() && b.isNumber()) {
    if (a.type == "Integer" && b.type == "Integer")
      return truth(holds(op, a.value.asInteger(), b.value.asInteger()));
    return truth(holds(op, number(a), number(b)));
  }
  if (a.isString() && b.isString())
    return truth(holds(op, folded(a.value.asString()), folded(b.value.asString())));
  const bool equality = op == "=" || op == "<>";
  if (a.isBoolean() && b.isBoolean() && equality)
    return truth(holds(op, a.value.asBoolean(), b.value.asBoolean()));

  // Operator_Compare answers below zero, zero or above zero; on the right operand the answer
  // is read the other way round.
  std::string why;
  auto order = [&](const Operand& r) {
    if (!r.isNumber()) throw ScriptError(at, "Operator_Compare gave " + shown(r.type));
    return number(r);
  };
  if (rt.hasMethod(a, "Operator_Compare", {b}, &why))
    return truth(holds(op, order(rt.callMethod(at, a, "Operator_Compare", {b})), 0.0));
  if (rt.hasMethod(b, "Operator_Compare", {a}))
    return truth(holds(op, 0.0, order(rt.callMethod(at, b, "Operator_Compare", {a}))));
  // Without Operator_Compare, = and <> compare references.
  if (equality && isReference(a) && isReference(b))
    return truth(holds(op, a.value.object(), b.value.object()));
  if (rt.classOf(a)) throw ScriptError(at, why);
  throw ScriptError(at, "operator " + op + " cannot compare " + shown(a.type) + " and " +
                            shown(b.type));
}

} // namespace

Operand binary(Runtime& rt, Position at, const std::string& op, const Operand& a,
               const Operand& b) {
  const OperatorMethod* arithmeticOp = nullptr;
  for (const OperatorMethod& m : kArithmetic)
    if (op == m.op) arithmeticOp = &m;
  if (!arithmeticOp) return compare(rt, at, op, a, b);

  if (a.isNumber() && b.isNumber()) return arithmetic(op, a, b);
  if (op == "+" && a.isString() && b.isString())
    return Operand::of(host::Value(a.value.asString() + b.value.asString()));

  const std::string method = arithmeticOp->method;
  std::string why;
  if (rt.hasMethod(a, method, {b}, &why)) return rt.callMethod(at, a, method, {b});
  if (rt.hasMethod(b, method + "Right", {a})) return rt.callMethod(at, b, method + "Right", {a});
  // "p = " + p: the object converts to a String.
  if (op == "+" && (a.isString() || b.isString())) {
    const Operand& other = a.isString() ? b : a;
    if (rt.convertsToString(other)) {
      const std::string left = rt.convert(at, a, "String").value.asString();
      return Operand::of(host::Value(left + rt.convert(at, b, "String").value.asString()));
    }
    if (const host::ClassInfo* c = rt.classOf(other))
      throw ScriptError(at, c->name + " has no Operator_Convert() as String to join it to a "
                                      "String");
  }
  if (rt.classOf(a)) throw ScriptError(at, why);
  if (rt.classOf(b)) {
    rt.hasMethod(b, method + "Right", {a}, &why);
    throw ScriptError(at, why);
  }
  throw ScriptError(at, "operator " + op + " cannot combine " + shown(a.type) + " and " +
                            shown(b.type));
}

Operand negate(Runtime& rt, Position at, const Operand& a) {
  if (a.type == "Integer")
    return Operand::of(host::Value(static_cast<XojoInteger>(
        static_cast<int64_t>(0 - static_cast<uint64_t>(a.value.asInteger())))));
  if (a.type == "Double") return Operand::of(host::Value(-a.value.asDouble()));
  std::string why;
  if (rt.hasMethod(a, "Operator_Negate", {}, &why))
    return rt.callMethod(at, a, "Operator_Negate", {});
  if (rt.classOf(a)) throw ScriptError(at, why);
  throw ScriptError(at, "operator - cannot negate " + shown(a.type));
}

} // namespace script

#include "runtime.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "lexer.h"

namespace script {

namespace {

constexpr const char* kScalarTypes[] = {"Double", "Integer", "Boolean", "String"};

// A declared type in the spelling the language uses for its own types: "double" is "Double".
std::string canonical(const std::string& type) {
  for (const char* t : kScalarTypes)
    if (sameName(type, t)) return t;
  return type;
}

// For messages: the literal Nil has no type of its own.
std::string shown(const std::string& type) {
  return type.empty() ? "Nil" : type;
}

std::vector<host::Value> valuesOf(const std::vector<Operand>& args) {
  std::vector<host::Value> values;
  for (const Operand& a : args) values.push_back(a.value);
  return values;
}

const host::PropertyInfo* propertyNamed(const host::ClassInfo& c, const std::string& name) {
  for (const host::PropertyInfo& p : c.properties)
    if (sameName(p.name, name)) return &p;
  return nullptr;
}

bool hasMethodNamed(const host::ClassInfo& c, const std::string& name) {
  for (const host::MethodInfo& m : c.methods)
    if (sameName(m.declaration.name, name)) return true;
  return false;
}

// The method of `c` that a call of `name` with `args` means, by the host's resolution; null
// with the reason in `why` when there is none or the call is ambiguous.
const host::MethodInfo* findMethod(const host::ClassInfo& c, const std::string& name,
                                   const std::vector<Operand>& args, bool assignable,
                                   std::string* why) {
  std::vector<const host::MethodInfo*> candidates;
  std::vector<const host::Declaration*> declarations;
  for (const host::MethodInfo& m : c.methods) {
    if (!sameName(m.declaration.name, name) || (assignable && !m.setter)) continue;
    candidates.push_back(&m);
    declarations.push_back(&m.declaration);
  }
  const std::vector<host::Value> values = valuesOf(args);
  if (candidates.empty()) {
    if (why)
      *why = c.name + " has no " + (assignable ? "assignable method " : "method ") +
             host::callShape(name, values);
    return nullptr;
  }
  std::string error;
  int chosen = host::resolveOverload(declarations, values, &error);
  if (chosen < 0) {
    if (why) *why = c.name + " has " + error;
    return nullptr;
  }
  return candidates[static_cast<size_t>(chosen)];
}

// Every digit a Double needs to be read back exactly: 0.6000000000000001, 5, 1e+20, -inf.
// A NaN is "nan" whatever its sign bit, which differs between processors.
std::string shortest(double d) {
  if (std::isnan(d)) return "nan";
  char text[40];
  auto [end, ec] = std::to_chars(text, text + sizeof text, d);
  return std::string(text, end);
}

XojoInteger truncated(double d) {
  if (std::isnan(d)) return 0;
  if (d <= static_cast<double>(std::numeric_limits<XojoInteger>::min()))
    return std::numeric_limits<XojoInteger>::min();
  if (d >= static_cast<double>(std::numeric_limits<XojoInteger>::max()))
    return std::numeric_limits<XojoInteger>::max();
  return static_cast<XojoInteger>(d);
}

} // namespace

bool isScalarType(const std::string& type) {
  for (const char* t : kScalarTypes)
    if (sameName(type, t)) return true;
  return false;
}

const host::ClassInfo* Runtime::classOf(const Operand& o) const {
  if (o.type.empty() || isScalarType(o.type)) return nullptr;
  return host_.findClass(o.type);
}

std::string Runtime::typeNamed(Position at, const std::string& type) const {
  if (isScalarType(type)) return canonical(type);
  if (const host::ClassInfo* c = host_.findClass(type)) return c->name;
  throw ScriptError(at, "there is no type " + type);
}

Operand Runtime::create(Position at, const std::string& cls, const std::vector<Operand>& args) {
  host::Value made;
  try {
    made = host_.create(cls, valuesOf(args));
  } catch (const host::Error& e) {
    throw ScriptError(at, e.what());
  }
  const std::string name = typeNamed(at, cls);
  settle(at, name + "." + host::callShape("Constructor", valuesOf(args)));
  return {std::move(made), name};
}

Operand Runtime::typed(host::Value v, const std::string& declared) const {
  std::string type = canonical(declared);
  if (type == "String" && v.isNil()) v = host::Value(""); // the host's null string
  if (const host::ClassInfo* c = isScalarType(type) ? nullptr : host_.findClass(type))
    type = c->name;
  return {std::move(v), std::move(type)};
}

Operand Runtime::member(Position at, const Operand& self, const std::string& name,
                        const std::vector<Operand>& args, bool parens) {
  const host::ClassInfo* c = classOf(self);
  if (!c) throw ScriptError(at, shown(self.type) + " has no property or method " + name);
  const host::PropertyInfo* p = parens ? nullptr : propertyNamed(*c, name);
  if (p) {
    if (self.value.isNil())
      throw ScriptError(at, "NilObjectException: " + p->name + " read from a Nil " + c->name, true);
    host::Value v;
    try {
      v = host_.get(self.value, p->name);
    } catch (const host::Error& e) {
      throw ScriptError(at, e.what());
    }
    settle(at, c->name + "." + p->name);
    return typed(std::move(v), p->type);
  }
  if (!parens && !hasMethodNamed(*c, name))
    throw ScriptError(at, c->name + " has no property or method " + name);
  return invoke(at, self, resolve(at, *c, name, args, false), args);
}

void Runtime::assignMember(Position at, const Operand& self, const std::string& name,
                           const std::vector<Operand>& args, bool parens, const Operand& value,
                           Position valueAt) {
  const host::ClassInfo* c = classOf(self);
  if (!c) throw ScriptError(at, shown(self.type) + " has no property or method " + name);
  const host::PropertyInfo* p = parens ? nullptr : propertyNamed(*c, name);
  if (!p && !parens && !hasMethodNamed(*c, name))
    throw ScriptError(at, c->name + " has no property or method " + name);
  if (p && p->readOnly()) throw ScriptError(at, c->name + "." + p->name + " is read-only");
  const host::MethodInfo* m = p ? nullptr : &resolve(at, *c, name, args, true);
  const Operand v = convert(valueAt, value, canonical(p ? p->type : m->declaration.result));
  const std::string& member = p ? p->name : m->declaration.name;
  if (self.value.isNil())
    throw ScriptError(at, "NilObjectException: " + member + " assigned on a Nil " + c->name, true);
  const std::string what = c->name + "." + member;
  try {
    if (p)
      host_.set(self.value, p->name, v.value);
    else
      host_.assign(self.value, m->declaration.name, valuesOf(args), v.value);
  } catch (const host::Error& e) {
    throw ScriptError(at, e.what());
  }
  settle(at, what);
}

bool Runtime::hasProperty(const Operand& self, const std::string& name) const {
  const host::ClassInfo* c = classOf(self);
  return c && propertyNamed(*c, name);
}

bool Runtime::hasMethod(const Operand& self, const std::string& name,
                        const std::vector<Operand>& args, std::string* why) const {
  const host::ClassInfo* c = classOf(self);
  if (!c) {
    if (why) *why = shown(self.type) + " has no method " + name;
    return false;
  }
  return findMethod(*c, name, args, false, why) != nullptr;
}

Operand Runtime::callMethod(Position at, const Operand& self, const std::string& name,
                            const std::vector<Operand>& args) {
  const host::ClassInfo* c = classOf(self);
  if (!c) throw ScriptError(at, shown(self.type) + " has no method " + name);
  return invoke(at, self, resolve(at, *c, name, args, false), args);
}

Operand Runtime::convert(Position at, const Operand& value, const std::string& type) {
  if (value.value.isNothing()) throw ScriptError(at, "expected a value of type " + type);
  if (sameName(value.type, type)) return {value.value, type};
  if (type == "Double" && value.type == "Integer")
    return {host::Value(static_cast<double>(value.value.asInteger())), type};
  if (type == "Integer" && value.type == "Double")
    return {host::Value(truncated(value.value.asDouble())), type};
  if (type == "String" && convertsToString(value))
    return callMethod(at, value, "Operator_Convert", {});
  if (value.type.empty() && !isScalarType(type)) return {host::Value::nil(), type};
  throw ScriptError(at, "type mismatch: expected " + type + ", got " + shown(value.type));
}

bool Runtime::convertsToString(const Operand& value) const {
  const host::ClassInfo* c = classOf(value);
  if (!c) return false;
  for (const host::MethodInfo& m : c->methods)
    if (sameName(m.declaration.name, "Operator_Convert") && m.declaration.params.empty() &&
        canonical(m.declaration.result) == "String")
      return true;
  return false;
}

std::string Runtime::text(Position at, const Operand& o) {
  const host::Value& v = o.value;
  switch (v.kind()) {
  case host::Value::Kind::String:
    return v.asString();
  case host::Value::Kind::Integer:
    return std::to_string(v.asInteger());
  case host::Value::Kind::Double:
    return shortest(v.asDouble());
  case host::Value::Kind::Boolean:
    return v.asBoolean() ? "True" : "False";
  case host::Value::Kind::Object:
    break;
  default:
    return "Nil";
  }
  if (convertsToString(o)) {
    const Operand s = callMethod(at, o, "Operator_Convert", {});
    return s.value.isNil() ? "" : s.value.asString();
  }
  // A class without a conversion to String shows its properties of the language's types.
  const host::ClassInfo* c = classOf(o);
  std::string shownText = c->name + "{";
  bool first = true;
  for (const host::PropertyInfo& p : c->properties) {
    if (!isScalarType(p.type)) continue;
    shownText += (first ? "" : ", ") + p.name + "=" + text(at, member(at, o, p.name, {}, false));
    first = false;
  }
  return shownText + "}";
}

const host::MethodInfo& Runtime::resolve(Position at, const host::ClassInfo& c,
                                         const std::string& name, const std::vector<Operand>& args,
                                         bool assignable) const {
  std::string why;
  const host::MethodInfo* m = findMethod(c, name, args, assignable, &why);
  if (!m) throw ScriptError(at, why);
  return *m;
}

Operand Runtime::invoke(Position at, const Operand& self, const host::MethodInfo& m,
                        const std::vector<Operand>& args) {
  const std::string what = self.type + "." + host::callShape(m.declaration.name, valuesOf(args));
  if (self.value.isNil())
    throw ScriptError(
        at, "NilObjectException: " + m.declaration.name + " called on a Nil " + self.type, true);
  host::Value result;
  try {
    result = host_.invoke(self.value, m, valuesOf(args));
  } catch (const host::Error& e) {
    throw ScriptError(at, e.what());
  }
  settle(at, what);
  if (m.declaration.result.empty()) return {host::Value(), ""};
  return typed(std::move(result), m.declaration.result);
}

void Runtime::settle(Position at, const std::string& what) const {
  const std::string& raised = host_.lastException();
  if (!raised.empty()) throw ScriptError(at, raised + " raised by " + what, true);
}

} // namespace script

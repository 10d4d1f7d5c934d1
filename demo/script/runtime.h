// The host as a script sees it: values with their declared types, and the members of the
// registered classes, reached by the host's own overload resolution and calls. Every failure is
// a ScriptError at the position the caller gives.
#pragma once

#include <string>
#include <vector>

#include "error.h"
#include "host/host.h"

namespace script {

// A value and its type: "Double", "Integer", "Boolean", "String", a class name, or "" for the
// literal Nil. A Nil keeps the class it was declared with, so that a method called on it is
// found, and raises NilObjectException as it does in Xojo, rather than not resolving.
struct Operand {
  host::Value value;
  std::string type;

  static Operand of(host::Value v) { // typed by what it holds
    std::string t = v.isNil() ? "" : v.typeName();
    return {std::move(v), std::move(t)};
  }
  bool isNumber() const { return type == "Integer" || type == "Double"; }
  bool isString() const { return type == "String"; }
  bool isBoolean() const { return type == "Boolean"; }
};

// True for the types the language itself has; every other type names a class.
bool isScalarType(const std::string& type);

class Runtime {
public:
  explicit Runtime(host::Host& host) : host_(host) {}
  host::Host& host() const { return host_; }

  // The class of an object operand (also of a Nil declared with a class); null otherwise.
  const host::ClassInfo* classOf(const Operand& o) const;
  // The registered class or the language type named `type`, in its registered spelling; throws
  // "unknown type" at `at`.
  std::string typeNamed(Position at, const std::string& type) const;

  // New cls(args).
  Operand create(Position at, const std::string& cls, const std::vector<Operand>& args);
  // self.name or self.name(args): a property when there are no parentheses and the class has
  // one of that name, otherwise the method the host's resolution picks.
  Operand member(Position at, const Operand& self, const std::string& name,
                 const std::vector<Operand>& args, bool parens);
  // self.name = value, or self.name(args) = value; a value of the wrong type is reported at
  // `valueAt`.
  void assignMember(Position at, const Operand& self, const std::string& name,
                    const std::vector<Operand>& args, bool parens, const Operand& value,
                    Position valueAt);

  // Whether the class of `self` has a property `name`.
  bool hasProperty(const Operand& self, const std::string& name) const;
  // Whether `self` has a method `name` that takes `args` (for operators, which fall back to
  // other meanings); when not, says why in `why`.
  bool hasMethod(const Operand& self, const std::string& name, const std::vector<Operand>& args,
                 std::string* why = nullptr) const;
  Operand callMethod(Position at, const Operand& self, const std::string& name,
                     const std::vector<Operand>& args);

  // `value` made into a value of `type`, as an assignment does: an Integer widens to a Double,
  // a Double is truncated to an Integer, an object converts to a String through its
  // "Operator_Convert() as String"; anything else of another type is a type mismatch.
  Operand convert(Position at, const Operand& value, const std::string& type);
  // True when the class of `value` declares "Operator_Convert() as String".
  bool convertsToString(const Operand& value) const;
  // The text of a value, as Print shows it.
  std::string text(Position at, const Operand& value);

private:
  const host::MethodInfo& resolve(Position at, const host::ClassInfo& c, const std::string& name,
                                  const std::vector<Operand>& args, bool assignable) const;
  Operand invoke(Position at, const Operand& self, const host::MethodInfo& m,
                 const std::vector<Operand>& args);
  // A result of a method or property declared as `declared`.
  Operand typed(host::Value v, const std::string& declared) const;
  // After a call into a plug-in: an exception it raised ends the script.
  void settle(Position at, const std::string& what) const;

  host::Host& host_;
};

} // namespace script

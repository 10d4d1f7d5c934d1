// Xojo code's side: creating objects, calling methods by name with overload resolution,
// reading and assigning properties, and the exception a call leaves behind.
#include <algorithm>
#include <cstring>
#include <utility>

#include "native_call.h"
#include "state.h"

namespace host {

namespace {

struct Receiver {
  REALobjectStruct* handle;
  const ClassInfo* cls;
};

// The object a member is used on: a live one of a class, or an Error.
Receiver receiverOf(Host::State& s, const Value& self, std::string_view member) {
  const std::string name(member);
  if (self.isNil()) throw Error("NilObjectException: " + name + " used on Nil");
  if (!self.isObject()) throw Error(name + " used on " + self.describe() + ", not an object");
  std::lock_guard lock(s.mutex);
  ObjectRecord* r = s.liveObject(self.object(), name);
  if (!r) throw Error(name + " used on a dead object");
  if (r->isArray()) throw Error(name + " used on an array");
  return {self.object(), r->cls};
}

const ClassInfo& classNamed(const Host& h, std::string_view name) {
  const ClassInfo* c = h.findClass(name);
  if (!c) throw Error("no class named " + std::string(name));
  return *c;
}

std::vector<const MethodInfo*> methodsNamed(const ClassInfo& c, std::string_view name,
                                            bool assignable = false) {
  std::vector<const MethodInfo*> found;
  for (const MethodInfo& m : c.methods)
    if (sameName(m.declaration.name, name) && (!assignable || m.setter)) found.push_back(&m);
  return found;
}

// The overload of `candidates` that takes `args`, as the language picks it.
const MethodInfo& choose(const ClassInfo& c, std::string_view name,
                         const std::vector<const MethodInfo*>& candidates,
                         const std::vector<Value>& args) {
  if (candidates.empty()) throw Error(c.name + " has " + noMatchMessage(name, args));
  std::vector<const Declaration*> declarations;
  for (const MethodInfo* m : candidates) declarations.push_back(&m->declaration);
  std::string error;
  int chosen = resolveOverload(declarations, args, &error);
  if (chosen < 0) throw Error(c.name + " has " + error);
  return *candidates[static_cast<size_t>(chosen)];
}

const PropertyInfo& propertyOf(const ClassInfo& c, std::string_view name) {
  for (const PropertyInfo& p : c.properties)
    if (sameName(p.name, name)) return p;
  throw Error(c.name + " has no property " + std::string(name));
}

char* dataOf(const Receiver& r) {
  return reinterpret_cast<char*>(r.handle) + r.cls->dataOffset;
}

// The host reads and writes stored properties itself, at their offset in the class data.
Value readStored(const Receiver& r, const PropertyInfo& p) {
  const char* at = dataOf(r) + p.param;
  switch (typeKind(p.type)) {
  case TypeKind::Double: {
    double d;
    std::memcpy(&d, at, sizeof d);
    return d;
  }
  case TypeKind::Integer: {
    XojoInteger i;
    std::memcpy(&i, at, sizeof i);
    return i;
  }
  default:
    throw Error(r.cls->name + "." + p.name + " is stored as " + p.type);
  }
}

void writeStored(const Receiver& r, const PropertyInfo& p, const Value& value) {
  char* at = dataOf(r) + p.param;
  switch (typeKind(p.type)) {
  case TypeKind::Double: {
    double d = doubleOf(value);
    std::memcpy(at, &d, sizeof d);
    return;
  }
  case TypeKind::Integer: {
    XojoInteger i = integerOf(value);
    std::memcpy(at, &i, sizeof i);
    return;
  }
  default:
    throw Error(r.cls->name + "." + p.name + " is stored as " + p.type);
  }
}

Value callMethod(REALobjectStruct* self, const MethodInfo& m, const std::vector<Value>& args) {
  NativeCall call(self);
  for (size_t i = 0; i < args.size(); ++i) call.add(args[i], m.declaration.params[i].type);
  return call.run(m.function, m.declaration.result);
}

void requireConvertible(const Value& value, const std::string& type, const std::string& target) {
  if (type.empty() || !conversionCost(value, Parameter{"value", type}))
    throw Error(target + " cannot take " + value.describe());
}

// Ends every call from Xojo code: the exception the call raised, if any, becomes
// lastException() and the host gives back its reference to it.
class ExceptionSettler {
public:
  explicit ExceptionSettler(Host::State& s) : s_(s) {}
  ExceptionSettler(const ExceptionSettler&) = delete;
  ExceptionSettler& operator=(const ExceptionSettler&) = delete;
  ~ExceptionSettler() {
    REALobjectStruct* raised;
    {
      std::lock_guard lock(s_.mutex);
      PendingException& p = s_.exceptions[std::this_thread::get_id()];
      raised = std::exchange(p.object, nullptr);
      p.lastClass = raised ? s_.objects.at(raised)->className() : "";
    }
    if (raised) releaseReference(raised, "RuntimeRaiseException");
  }

private:
  Host::State& s_;
};

} // namespace

Value Host::create(std::string_view cls, const std::vector<Value>& args) {
  ExceptionSettler settler(*state_);
  const ClassInfo& c = classNamed(*this, cls);
  std::vector<const MethodInfo*> constructors = methodsNamed(c, "Constructor");
  const MethodInfo* constructor = constructors.empty() && args.empty()
                                      ? nullptr
                                      : &choose(c, "Constructor", constructors, args);
  Value made = Value::adopt(instantiate(c));
  if (constructor) callMethod(made.object(), *constructor, args);
  return made;
}

Value Host::createInstance(std::string_view cls) {
  ExceptionSettler settler(*state_);
  return Value::adopt(instantiate(classNamed(*this, cls)));
}

Value Host::call(const Value& self, std::string_view method, const std::vector<Value>& args) {
  ExceptionSettler settler(*state_);
  Receiver r = receiverOf(*state_, self, method);
  return callMethod(r.handle, choose(*r.cls, method, methodsNamed(*r.cls, method), args), args);
}

Value Host::invoke(const Value& self, const MethodInfo& method, const std::vector<Value>& args) {
  ExceptionSettler settler(*state_);
  Receiver r = receiverOf(*state_, self, method.declaration.name);
  if (std::ranges::none_of(r.cls->methods, [&](const MethodInfo& m) { return &m == &method; }))
    throw Error(r.cls->name + " has no method " + method.declaration.text);
  return callMethod(r.handle, choose(*r.cls, method.declaration.name, {&method}, args), args);
}

Value Host::get(const Value& self, std::string_view property) {
  ExceptionSettler settler(*state_);
  Receiver r = receiverOf(*state_, self, property);
  const PropertyInfo& p = propertyOf(*r.cls, property);
  if (p.directGet()) return readStored(r, p);
  NativeCall call(r.handle);
  call.addInteger(p.param);
  return call.run(p.getter, p.type);
}

void Host::set(const Value& self, std::string_view property, const Value& value) {
  ExceptionSettler settler(*state_);
  Receiver r = receiverOf(*state_, self, property);
  const PropertyInfo& p = propertyOf(*r.cls, property);
  const std::string target = r.cls->name + "." + p.name;
  if (p.readOnly()) throw Error(target + " is read-only");
  requireConvertible(value, p.type, target);
  if (p.directSet()) return writeStored(r, p, value);
  NativeCall call(r.handle);
  call.addInteger(p.param);
  call.add(value, p.type);
  call.run(p.setter, "");
}

void Host::assign(const Value& self, std::string_view method, const std::vector<Value>& args,
                  const Value& value) {
  ExceptionSettler settler(*state_);
  Receiver r = receiverOf(*state_, self, method);
  const MethodInfo& m = choose(*r.cls, method, methodsNamed(*r.cls, method, true), args);
  requireConvertible(value, m.declaration.result,
                     r.cls->name + "." + callShape(m.declaration.name, args));
  NativeCall call(r.handle);
  for (size_t i = 0; i < args.size(); ++i) call.add(args[i], m.declaration.params[i].type);
  call.add(value, m.declaration.result);
  call.run(m.setter, "");
}

void* Host::classData(const Value& object) const {
  Receiver r = receiverOf(*state_, object, "classData");
  return dataOf(r);
}

const std::string& Host::lastException() const {
  std::lock_guard lock(state_->mutex);
  return state_->exceptions[std::this_thread::get_id()].lastClass;
}

} // namespace host

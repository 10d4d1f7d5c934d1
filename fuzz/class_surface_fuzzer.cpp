// Every class through the stand-in host, as Xojo code reaches it: an input is a host (its version,
// entries it lacks, methods its graphics and global scope lack, which libraries it loads and in
// what order) and then a sequence of operations on up to eight variables: creating objects of
// the six classes and of the host's own classes, calling every method with every overload,
// reading and assigning properties and assignable methods, passing Nil in every object position,
// the same object as receiver and argument, extreme Doubles and Integers, corner indexes 0, -1
// and beyond the count, and rasterising polygons through their data blocks.
//
// After every operation: the host saw no misuse (no dead or foreign handle, no reference given
// back twice, no wrong class's data asked), the only exception raised is NilObjectException,
// no host string is alive, the live host objects are exactly those the variables hold (nothing
// leaked), each result has its declared type, every polygon keeps 0 <= CornerCount <= capacity
// with its fill routine and method table in place, and the fill writes only its image. At the
// end nothing is left alive.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "failure.h"
#include "guarded_image.h"
#include "host/host.h"
#include "host/names.h"
#include "lines/polygon_data.h"
#include "resident_plugins.h"

namespace {

using fuzzing::fail;
using host::ClassInfo;
using host::MethodInfo;
using host::PropertyInfo;
using host::TypeKind;
using host::Value;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Kinds of host, by the entries they lack. Each kind has its own copies of the libraries (see
// resident_plugins.h). "REALUnlockObject" and "REALUnlockString" are never missing: without them
// the libraries cannot give back what the host hands them, and every count of live objects
// would be off.
const std::vector<std::vector<std::string>> kMissingEntries = {
    {},
    {"CreateInstance"},
    {"pluginObjectType"},
    {"PluginGetPluginData"},
    {"RuntimeRaiseException", "REALLoadObjectMethod"},
    {"REALLoadGlobalMethod", "RuntimeAddString", "REALBuildString"},
    {"RuntimeArrayCreateSingleDimBoundedArray", "PluginDoubleArraySetProc",
     "PluginIntegerArraySetProc"},
    {"REALGetPropValueDouble", "RegisterPluginVersion", "REALGetRBVersion"},
};

// Methods the host may withhold from its graphics objects and global scope.
struct Withheld {
  const char* cls; // null: a global method
  const char* declaration;
};
const Withheld kWithheld[] = {
    {nullptr, "Str(number as Double) as String"},
    {"Graphics", "DrawRect(x as Double,y as Double,width as Double,height as Double)"},
    {"Graphics", "FillRect(x as Integer,y as Integer,width as Integer,height as Integer)"},
    {"Graphics", "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)"},
    {"Graphics", "DrawPolygon(point() as Double)"},
    {"Graphics", "FillPolygon(point() as Integer)"},
    {"WebGraphics", "DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)"},
    {"WebGraphics", "DrawPolygon(point() as Integer)"},
};

const double kVersions[] = {0.0,   2009.0, 2010.04, 2014.99, 2015.0, 2018.01, 2018.02,
                            100.0, 2019.0, kNaN,    -1.0,    kInf,   1e308};

const char* const kVectorBuilds[] = {"Tessaline3", "Tessaline3Mac", "Tessaline3Linux"};

constexpr size_t kVariables = 8;
constexpr int kMaxOperations = 64;
constexpr int kMaxDepth = 2; // objects made to serve as arguments of objects made as arguments

bool sameName(const std::string& a, const std::string& b) {
  return host::sameName(a, b);
}

class Session {
public:
  Session(FuzzedDataProvider& in, host::Options options, int hostKind)
      : in_(in), h_(options), hostKind_(hostKind) {}

  void prepare() {
    for (const std::string& entry : kMissingEntries[hostKind_]) h_.removeEntry(entry);
    for (const Withheld& w : kWithheld) {
      if (in_.ConsumeIntegralInRange(0, 7) != 0) continue;
      if (w.cls)
        h_.removeObjectMethod(w.cls, w.declaration);
      else
        h_.removeGlobalMethod(w.declaration);
    }
    std::vector<std::string> libraries;
    switch (in_.ConsumeIntegralInRange(0, 5)) {
    case 0:
      libraries = {"Tessaline2", "Tessaline1"};
      break;
    case 1:
      libraries = {"Tessaline1"};
      break;
    case 2:
      libraries = {"Tessaline2"};
      break;
    case 3:
      libraries = {};
      break;
    default:
      libraries = {"Tessaline1", "Tessaline2"};
    }
    if (in_.ConsumeIntegralInRange(0, 3) != 0)
      libraries.push_back(in_.PickValueInArray(kVectorBuilds));
    for (const std::string& library : libraries)
      h_.loadFrom(fuzzing::residentPlugin(library, hostKind_), library);
    checkHost("loading");
  }

  void run() {
    for (int n = 0; n < kMaxOperations && in_.remaining_bytes() > 0; ++n) {
      operation();
      checkAfterOperation();
    }
    variables_.assign(kVariables, Value());
    if (h_.liveObjects() != 0) fail(std::to_string(h_.liveObjects()) + " objects left alive");
    if (h_.liveStrings() != 0) fail(std::to_string(h_.liveStrings()) + " strings left alive");
    checkHost("the end");
  }

private:
  // --- operations -------------------------------------------------------------------------

  void operation() {
    switch (in_.ConsumeIntegralInRange(0, 15)) {
    case 0:
    case 1:
      return store(made(pluginClass(), 0));
    case 2:
      return store(hostObject(in_.PickValueInArray(
          {"Graphics", "WebGraphics", "Xojo.Core.Point", "Xojo.Core.Size", "Xojo.Core.Rect"})));
    case 3:
      variable() = Value();
      return;
    case 4:
      return store(variable()); // the same object in two variables
    case 5:
      return getProperty();
    case 6:
      return setProperty();
    case 7:
      return assignMethod();
    case 8:
      return fillPolygon();
    case 9:
      return h_.clearDrawLog();
    default:
      return callMethod();
    }
  }

  Value& variable() { return variables_[in_.ConsumeIntegralInRange<size_t>(0, kVariables - 1)]; }
  void store(Value v) { variable() = std::move(v); }

  // An object of a plug-in class held by a variable, or null.
  const ClassInfo* receiver(Value*& self) {
    self = &variable();
    if (!self->isObject()) return nullptr;
    const ClassInfo* c = h_.findClass(self->typeName());
    return c && c->record ? c : nullptr;
  }

  const ClassInfo* pluginClass() {
    std::vector<const ClassInfo*> classes = h_.registrationOrder();
    if (classes.empty()) return nullptr;
    return classes[in_.ConsumeIntegralInRange<size_t>(0, classes.size() - 1)];
  }

  // `New cls(...)` with one of its constructors, or the class constructor alone.
  Value made(const ClassInfo* cls, int depth) {
    if (!cls) return Value();
    std::vector<const MethodInfo*> constructors;
    for (const MethodInfo& m : cls->methods)
      if (sameName(m.declaration.name, "Constructor")) constructors.push_back(&m);
    Value object = h_.createInstance(cls->name);
    if (!constructors.empty() && in_.ConsumeIntegralInRange(0, 7) != 0) {
      const MethodInfo& c =
          *constructors[in_.ConsumeIntegralInRange<size_t>(0, constructors.size() - 1)];
      invoke(object, c, arguments(c, object, depth));
    }
    checkPolygon(object);
    return object;
  }

  Value hostObject(const std::string& cls) {
    if (cls == "Graphics") return h_.newGraphics();
    if (cls == "WebGraphics") return h_.newWebGraphics();
    static const char* const kNames[] = {"X", "Y", "Left", "Top", "Width", "Height"};
    std::map<std::string, double> properties;
    for (const char* name : kNames)
      if (in_.ConsumeIntegralInRange(0, 3) != 0) properties[name] = doubleArgument();
    return h_.newCoreObject(cls, properties);
  }

  void callMethod() {
    Value* self;
    const ClassInfo* cls = receiver(self);
    if (!cls || cls->methods.empty()) return;
    const MethodInfo& m =
        cls->methods[in_.ConsumeIntegralInRange<size_t>(0, cls->methods.size() - 1)];
    Value result = invoke(*self, m, arguments(m, *self, 0));
    if (result.isObject()) store(result);
  }

  Value invoke(const Value& self, const MethodInfo& m, const std::vector<Value>& args) {
    Value result = guarded(m.declaration.text, [&] { return h_.invoke(self, m, args); });
    checkResult(result, m.declaration.result, m.declaration.text);
    return result;
  }

  void getProperty() {
    Value* self;
    const ClassInfo* cls = receiver(self);
    if (!cls || cls->properties.empty()) return;
    const PropertyInfo& p =
        cls->properties[in_.ConsumeIntegralInRange<size_t>(0, cls->properties.size() - 1)];
    Value value = guarded(p.name, [&] { return h_.get(*self, p.name); });
    checkResult(value, p.type, cls->name + "." + p.name);
    if (value.isObject()) store(value);
  }

  void setProperty() {
    Value* self;
    const ClassInfo* cls = receiver(self);
    if (!cls || cls->properties.empty()) return;
    const PropertyInfo& p =
        cls->properties[in_.ConsumeIntegralInRange<size_t>(0, cls->properties.size() - 1)];
    if (p.readOnly()) return;
    Value value = argument(p.type, *self, 0);
    guarded(p.name, [&] {
      h_.set(*self, p.name, value);
      return Value();
    });
  }

  void assignMethod() {
    Value* self;
    const ClassInfo* cls = receiver(self);
    if (!cls) return;
    std::vector<const MethodInfo*> assignable;
    for (const MethodInfo& m : cls->methods)
      if (m.setter) assignable.push_back(&m);
    if (assignable.empty()) return;
    const MethodInfo& m = *assignable[in_.ConsumeIntegralInRange<size_t>(0, assignable.size() - 1)];
    std::vector<Value> args = arguments(m, *self, 0);
    Value value = argument(m.declaration.result, *self, 0);
    guarded(m.declaration.text, [&] {
      h_.assign(*self, m.declaration.name, args, value);
      return Value();
    });
  }

  // Native code rasterising a polygon through its data block, into a small image of any row
  // layout.
  void fillPolygon() {
    Value* self;
    const ClassInfo* cls = receiver(self);
    if (!cls || cls->name != "PolygonF") return;
    const auto& data = h_.data<lines::PolygonFData>(*self);
    const int32_t width = in_.ConsumeIntegralInRange(-1, 40),
                  height = in_.ConsumeIntegralInRange(-1, 40);
    const int32_t strides[] = {4 * width, -4 * width - 8, 0, 4 * width + 3};
    fuzzing::ImageLayout layout(width, height, in_.PickValueInArray(strides));
    fuzzing::GuardedImage image(layout, in_.ConsumeIntegralInRange<size_t>(0, 3));
    data.fillToBuffer(&data, image.first(), layout.width, layout.height, layout.stride, 0xC0FFEEu);
    image.checkConfined();
  }

  // --- arguments --------------------------------------------------------------------------

  std::vector<Value> arguments(const MethodInfo& m, const Value& self, int depth) {
    std::vector<Value> args;
    for (const host::Parameter& p : m.declaration.params)
      args.push_back(argument(p.type, self, depth));
    return args;
  }

  Value argument(const std::string& type, const Value& self, int depth) {
    switch (host::typeKind(type)) {
    case TypeKind::Double:
      // Now and then an Integer, which the host converts.
      return in_.ConsumeIntegralInRange(0, 15) == 0 ? Value(integerArgument(self))
                                                    : Value(doubleArgument());
    case TypeKind::Integer:
      return in_.ConsumeIntegralInRange(0, 15) == 0 ? Value(doubleArgument())
                                                    : Value(integerArgument(self));
    case TypeKind::Boolean:
      return in_.ConsumeBool();
    case TypeKind::String:
      return in_.ConsumeRandomLengthString(16);
    case TypeKind::Class:
      return objectArgument(type, depth);
    }
    return Value();
  }

  double doubleArgument() {
    static const double kSpecial[] = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.0,
                                      0.5,
                                      90.0,
                                      -90.0,
                                      180.0,
                                      360.0,
                                      1e-300,
                                      -1e-300,
                                      1e308,
                                      -1e308,
                                      kNaN,
                                      kInf,
                                      -kInf,
                                      std::numeric_limits<double>::denorm_min(),
                                      std::numeric_limits<double>::max(),
                                      9.2233720368547758e18,
                                      -9.2233720368547758e18,
                                      2147483648.0,
                                      4503599627370497.0};
    switch (in_.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return in_.PickValueInArray(kSpecial);
    case 1:
      return in_.ConsumeFloatingPoint<double>();
    default:
      return in_.ConsumeIntegralInRange(-64, 64) / 4.0;
    }
  }

  // Corner numbers around the receiver's corner count, and the extremes.
  XojoInteger integerArgument(const Value& self) {
    XojoInteger count = 3;
    if (self.isObject() && self.typeName() == "PolygonF")
      count = static_cast<XojoInteger>(h_.data<lines::PolygonFData>(self).count);
    const XojoInteger kSpecial[] = {0,
                                    -1,
                                    1,
                                    2,
                                    3,
                                    count - 1,
                                    count,
                                    count + 1,
                                    std::numeric_limits<XojoInteger>::max(),
                                    std::numeric_limits<XojoInteger>::min(),
                                    std::numeric_limits<int32_t>::max(),
                                    std::numeric_limits<int32_t>::min()};
    if (in_.ConsumeIntegralInRange(0, 7) == 0) return in_.ConsumeIntegral<XojoInteger>();
    return in_.PickValueInArray(kSpecial);
  }

  // Nil, an object a variable holds (perhaps the receiver itself), or a new one.
  Value objectArgument(const std::string& type, int depth) {
    if (in_.ConsumeIntegralInRange(0, 3) == 0) return Value::nil();
    std::vector<const Value*> held;
    for (const Value& v : variables_)
      if (v.isObject() && sameName(v.typeName(), type)) held.push_back(&v);
    if (!held.empty() && in_.ConsumeBool())
      return *held[in_.ConsumeIntegralInRange<size_t>(0, held.size() - 1)];
    const ClassInfo* cls = h_.findClass(type);
    if (!cls || depth >= kMaxDepth) return Value::nil();
    if (!cls->record) {
      if (cls->name == "NilObjectException") return Value::nil();
      return hostObject(cls->name);
    }
    return made(cls, depth + 1);
  }

  // --- invariants -------------------------------------------------------------------------

  // A host::Error is Xojo code the compiler would refuse; this fuzzer writes none, so one here
  // means the host or the fuzzer is wrong.
  template <class Call> Value guarded(const std::string& what, Call call) {
    try {
      return call();
    } catch (const std::exception& e) {
      fail(what + ": the host refused the call: " + e.what());
    }
  }

  void checkResult(const Value& v, const std::string& type, const std::string& what) {
    bool fits = false;
    if (type.empty()) {
      fits = v.isNothing();
    } else {
      switch (host::typeKind(type)) {
      case TypeKind::Double:
        fits = v.kind() == Value::Kind::Double;
        break;
      case TypeKind::Integer:
        fits = v.kind() == Value::Kind::Integer;
        break;
      case TypeKind::Boolean:
        fits = v.kind() == Value::Kind::Boolean;
        break;
      case TypeKind::String:
        fits = v.kind() == Value::Kind::String || v.isNil();
        break;
      case TypeKind::Class:
        fits = v.isNil() || (v.isObject() && sameName(v.typeName(), type));
        break;
      }
    }
    if (!fits) fail(what + " gave " + v.describe() + " for a " + (type.empty() ? "nothing" : type));
  }

  void checkHost(const std::string& when) {
    std::vector<std::string> violations = h_.violations();
    if (!violations.empty()) fail("host misuse during " + when + ": " + violations.front());
  }

  void checkPolygon(const Value& v) {
    if (!v.isObject() || v.typeName() != "PolygonF") return;
    const auto& p = h_.data<lines::PolygonFData>(v);
    if (p.count < 0 || p.count > p.capacity) fail("a polygon's corner count exceeds its capacity");
    if (p.capacity > 0 && !p.corners) fail("a polygon has capacity but no corners");
    if (!p.fillToBuffer || !p.methods) fail("a polygon lost its fill routine or method table");
    if (!fill_) fill_ = p.fillToBuffer;
    if (p.fillToBuffer != fill_) fail("polygons disagree on their fill routine");
  }

  void checkAfterOperation() {
    checkHost("an operation");
    const std::string& raised = h_.lastException();
    if (!raised.empty() && raised != "NilObjectException") fail("raised " + raised);
    if (h_.liveStrings() != 0) fail("a host string left alive");
    std::set<REALobjectStruct*> held;
    for (const Value& v : variables_) {
      if (v.isObject()) held.insert(v.object());
      checkPolygon(v);
    }
    if (h_.liveObjects() != held.size())
      fail(std::to_string(h_.liveObjects()) + " live objects where the variables hold " +
           std::to_string(held.size()));
    for (const host::DrawCall& d : h_.drawLog()) {
      if (d.array.empty()) continue;
      if (d.array.size() % 2 != 1) fail(d.declaration + " got an array of even size");
      if (hostKind_ == 6) continue; // without element setters the array stays empty
      for (size_t i = 1; i < d.array.size(); ++i)
        if (d.array[i].isNothing()) fail(d.declaration + " got an array with a hole");
    }
  }

  FuzzedDataProvider& in_;
  host::Host h_;
  int hostKind_;
  std::vector<Value> variables_ = std::vector<Value>(kVariables);
  lines::PolygonFFillFn fill_ = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int hostKind = in.ConsumeIntegralInRange<int>(0, kMissingEntries.size() - 1);
  host::Options options;
  if (in.ConsumeIntegralInRange(0, 7) == 0)
    options.version = std::nullopt;
  else
    options.version = in.PickValueInArray(kVersions);
  Session session(in, options, hostKind);
  session.prepare();
  session.run();
  return 0;
}

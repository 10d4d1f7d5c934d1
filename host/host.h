// The stand-in host: a small Xojo runtime written from what the plug-ins expect of the host.
//
// Tests, the demo and the benchmarks load the built plug-in libraries into it with dlopen and
// call REALPluginMain with its resolver, exactly as the real host does. It then serves the entry
// points the plug-ins look up by name, keeps the classes they register, creates and counts
// objects and strings, calls registered methods by their Xojo declarations, and records what
// the plug-ins ask of it (lookups, drawing calls, raised exceptions) so that tests can check it.
//
// One Host is alive at a time: the resolver handed to the plug-ins has no context argument, so
// it serves the current Host. Destroying the Host unloads its libraries, so the next Host loads
// them afresh with every lazy cache empty.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "../bridge/class_records.h"
#include "declaration.h"
#include "value.h"

namespace host {

// An error of the Xojo program rather than of the plug-in: no such class, no method matching the
// arguments, a property that cannot be assigned. The message reads like a compiler's, e.g.
// "PolygonF has no method Rotate(String)".
struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct PropertyInfo {
  std::string name;
  std::string type;
  XojoInteger flags = 0;
  REALproc getter = nullptr;
  REALproc setter = nullptr;
  XojoInteger param = 0;
  bool directGet() const { return getter == TL_DIRECT_ACCESS; }
  bool directSet() const { return setter == TL_DIRECT_ACCESS; }
  bool readOnly() const { return setter == nullptr; }
};

struct MethodInfo {
  Declaration declaration; // parsed from the record's declaration text
  XojoInteger flags = 0;
  REALproc function = nullptr;
  REALproc setter = nullptr; // assignable method
};

struct ClassInfo {
  std::string name;
  std::string library;                   // deliverable that registered it; "" for host classes
  REALclassDefinition* record = nullptr; // null for host classes
  uint32_t flagsAtRegistration = 0;
  XojoInteger dataSize = 0;
  XojoInteger dataOffset = 0;
  std::vector<PropertyInfo> properties; // as registered, in order
  std::vector<MethodInfo> methods;      // as registered (methodCount records), in order
};

// A call a plug-in made on a graphics object, or through a legacy drawing entry.
struct DrawCall {
  std::string target;      // "Graphics", "WebGraphics"
  std::string declaration; // the method's declaration, or the legacy entry's name
  std::vector<Value> args; // scalar arguments after the graphics object: Integer or Double
  // The contents of a point array argument, index 0 upward; an element never set is Nothing.
  std::vector<Value> array;
  int arrayType = 0; // element type code of that array: 2 Double, 11 Integer
};

struct Options {
  // The host version "REALGetRBVersion" reports; nullopt: the host has no such entry.
  std::optional<double> version = 2019.0;
};

class Host {
public:
  explicit Host(Options options = {});
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  static Host& current();

  // --- the resolver -------------------------------------------------------------------
  void setVersion(std::optional<double> version);
  void removeEntry(const std::string& name);             // the resolver answers null
  void offerEntry(const std::string& name, REALproc fn); // add or replace an entry
  void restoreEntry(const std::string& name);            // back to the host's own
  int lookups(std::string_view name) const;              // times the resolver was asked
  std::vector<std::string> lookupLog() const;            // every name asked, in order
  void clearLookups();
  static REALproc resolve(const char* name); // the resolver handed to REALPluginMain

  // Global methods ("Str(number as Double) as String", "LenB( s as string ) as integer") and
  // methods of host objects that REALLoadGlobalMethod / REALLoadObjectMethod can hand out.
  void removeGlobalMethod(const std::string& declaration);
  void removeObjectMethod(const std::string& className, const std::string& declaration);

  // --- libraries ----------------------------------------------------------------------
  // Loads <plugin dir>/<deliverable>.so and runs REALPluginMain. The plug-in directory is the
  // build's, or $TESSALINE_PLUGIN_DIR when set.
  void load(std::string_view deliverable);
  // Loads a library by path under a name of the caller's choice (test fixtures).
  void loadFrom(const std::string& path, std::string_view name);
  void* symbol(std::string_view deliverable, const char* name) const; // dlsym; null if absent
  static std::string pluginPath(std::string_view deliverable);
  int announcedVersion(std::string_view deliverable) const; // from "RegisterPluginVersion"

  // --- classes ------------------------------------------------------------------------
  const ClassInfo* findClass(std::string_view name) const; // registered or host class
  std::vector<const ClassInfo*> registrationOrder() const; // plug-in classes, in order

  // --- objects and calls --------------------------------------------------------------
  // `New cls(args)`: CreateInstance (the class constructor runs), then the Constructor
  // overload that matches `args`, if the class declares constructors.
  Value create(std::string_view cls, const std::vector<Value>& args = {});
  // CreateInstance alone.
  Value createInstance(std::string_view cls);
  // A method call by name with overload resolution, made with libffi from the declaration.
  // A returned object or string passes its reference to the Value.
  Value call(const Value& self, std::string_view method, const std::vector<Value>& args = {});
  // An already resolved method: for callers that resolve once and call many times.
  Value invoke(const Value& self, const MethodInfo& method, const std::vector<Value>& args);
  Value get(const Value& self, std::string_view property);
  void set(const Value& self, std::string_view property, const Value& value);
  // `self.method(args) = value` through the method's setter.
  void assign(const Value& self, std::string_view method, const std::vector<Value>& args,
              const Value& value);
  // The class data of an object of a registered class.
  void* classData(const Value& object) const;
  template <class T> T& data(const Value& object) const {
    return *static_cast<T*>(classData(object));
  }
  // Class name of the exception the last call raised through "RuntimeRaiseException"; "" when
  // it raised none.
  const std::string& lastException() const;

  // --- host objects -------------------------------------------------------------------
  Value newGraphics();    // a recording desktop Graphics
  Value newWebGraphics(); // a recording WebGraphics
  // An object of a host class with named Double properties that "REALGetPropValueDouble"
  // reads, e.g. newCoreObject("Xojo.Core.Point", {{"X", 1}, {"Y", 2}}).
  Value newCoreObject(const std::string& cls, const std::map<std::string, double>& properties);
  const std::vector<DrawCall>& drawLog() const;
  void clearDrawLog();

  // --- strings ------------------------------------------------------------------------
  REALstringStruct* newString(std::string_view bytes); // one reference for the caller
  static std::string text(REALstringStruct* s);        // bytes of a live host string
  void unlockString(REALstringStruct* s);

  // --- accounting ---------------------------------------------------------------------
  size_t liveObjects() const; // instances, arrays and host objects not yet destroyed
  size_t liveStrings() const;
  // Misuse of the host seen so far: a dead or foreign handle passed in, a reference given
  // back twice, data asked of the wrong class, an unparsable declaration registered.
  std::vector<std::string> violations() const;

  // The host's own tables, for its implementation files.
  struct State;
  State& internals() const;

private:
  std::unique_ptr<State> state_;
};

} // namespace host

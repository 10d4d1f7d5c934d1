// Classes, instances and their references, raised exceptions, and the entries that serve them.
#include <cstdio>
#include <cstring>
#include <utility>

#include "state.h"

namespace host {

namespace {

std::string describeHandle(const void* handle) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", handle);
  return text;
}

char* classDataOf(const ObjectRecord& r) {
  return reinterpret_cast<char*>(r.block.get()) + r.cls->dataOffset;
}

// Reads every property and method record of a class as it is being registered.
ClassInfo readRecord(Host::State& s, REALclassDefinition& record, const std::string& library) {
  ClassInfo c;
  c.name = record.name;
  c.library = library;
  c.record = &record;
  c.flagsAtRegistration = record.flags;
  c.dataSize = record.dataSize;
  c.dataOffset = kHeaderSize;
  for (XojoInteger i = 0; i < record.propertyCount; ++i) {
    const REALproperty& p = record.properties[i];
    if (!p.name || !p.type) {
      s.violation("PluginRegisterClass: " + c.name + " has a property without name or type");
      continue;
    }
    c.properties.push_back({p.name, p.type, p.flags, p.getter, p.setter, p.param});
  }
  for (XojoInteger i = 0; i < record.methodCount; ++i) {
    const REALmethodDefinition& m = record.methods[i];
    std::string error;
    std::optional<Declaration> d =
        m.declaration ? parseDeclaration(m.declaration, &error) : std::nullopt;
    if (!d) {
      s.violation("PluginRegisterClass: " + c.name + " declares \"" +
                  (m.declaration ? m.declaration : "") + "\", which does not parse: " + error);
      continue;
    }
    c.methods.push_back({std::move(*d), m.flags, m.function, m.setterFunction});
  }
  return c;
}

// --- entries ------------------------------------------------------------------------------

void registerPluginVersion(int32_t version) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (s.loading < 0) return s.violation("RegisterPluginVersion: no library is loading");
  s.libraries[s.loading].announcedVersion = version;
}

XojoInteger pluginRegisterClass(REALclassDefinition* record) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (!record || !record->name) {
    s.violation("PluginRegisterClass: a null record or class name");
    return 0;
  }
  record->dataOffset = kHeaderSize;
  if (s.loading < 0) {
    s.violation(std::string("PluginRegisterClass: ") + record->name + " while no library loads");
    return 0;
  }
  if (record->dataSize < 0 || record->propertyCount < 0 || record->methodCount < 0) {
    s.violation(std::string("PluginRegisterClass: ") + record->name + " has a negative count");
    return 0;
  }
  if (const ClassInfo* known = s.classNamed(record->name)) {
    s.violation(std::string("PluginRegisterClass: ") + record->name + " is already registered" +
                (known->library.empty() ? " by the host" : " by " + known->library));
    return 0;
  }
  s.classes.push_back(readRecord(s, *record, s.libraries[s.loading].name));
  return 1;
}

REALclassRefStruct* pluginObjectType(const char* className) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (!className) {
    s.violation("pluginObjectType: a null class name");
    return nullptr;
  }
  return reinterpret_cast<REALclassRefStruct*>(const_cast<ClassInfo*>(s.classNamed(className)));
}

REALobjectStruct* createInstance(REALclassRefStruct* ref) {
  const ClassInfo* cls;
  {
    Host::State& s = currentState();
    std::lock_guard lock(s.mutex);
    cls = s.classOfRef(ref);
    if (!cls) {
      s.violation("CreateInstance: not a class reference of the host: " + describeHandle(ref));
      return nullptr;
    }
  }
  return instantiate(*cls);
}

REALobjectStruct* pluginNewInstanceOfClass(REALclassDefinition* record) {
  const ClassInfo* cls = nullptr;
  {
    Host::State& s = currentState();
    std::lock_guard lock(s.mutex);
    for (const ClassInfo& c : s.classes)
      if (record && c.record == record) cls = &c;
    if (!cls) {
      s.violation("PluginNewInstanceOfClass: a class record the host never registered");
      return nullptr;
    }
  }
  return instantiate(*cls);
}

void* pluginGetPluginData(REALobjectStruct* object, REALclassRefStruct* ref) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  const ClassInfo* cls = s.classOfRef(ref);
  if (!cls) {
    s.violation("PluginGetPluginData: not a class reference of the host: " + describeHandle(ref));
    return nullptr;
  }
  ObjectRecord* r = s.liveObject(object, "PluginGetPluginData");
  if (!r) return nullptr;
  if (r->cls != cls) {
    s.violation("PluginGetPluginData: " + cls->name + " data asked of a " + r->className());
    return nullptr;
  }
  return classDataOf(*r);
}

double getRBVersion() {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  return s.version.value_or(0.0);
}

void lockObject(REALobjectStruct* object) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  ObjectRecord* r = s.liveObject(object, "REALLockObject");
  if (!r) return;
  if (r->references == 0)
    return s.violation("REALLockObject: a " + r->className() + " whose destructor is running");
  ++r->references;
}

void unlockObject(REALobjectStruct* object) {
  releaseReference(object, "REALUnlockObject");
}

// The host keeps a reference of its own to the pending exception until the call that raised it
// is over; a second exception replaces the first.
void raiseException(REALobjectStruct* exception) {
  Host::State& s = currentState();
  REALobjectStruct* replaced;
  {
    std::lock_guard lock(s.mutex);
    ObjectRecord* r = s.liveObject(exception, "RuntimeRaiseException");
    if (!r) return;
    ++r->references;
    replaced = std::exchange(s.exceptions[std::this_thread::get_id()].object, exception);
  }
  if (replaced) releaseReference(replaced, "RuntimeRaiseException");
}

// Named Double properties: those of host objects, and the stored Double properties of plug-in
// classes.
XojoInteger getPropValueDouble(REALobjectStruct* object, const char* name, double* out) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  ObjectRecord* r = s.liveObject(object, "REALGetPropValueDouble");
  if (!r || !r->cls || !name || !out) return 0;
  if (auto d = r->doubles.find(name); d != r->doubles.end()) {
    *out = d->second;
    return 1;
  }
  for (const PropertyInfo& p : r->cls->properties) {
    if (sameName(p.name, name) && p.directGet() && typeKind(p.type) == TypeKind::Double) {
      std::memcpy(out, classDataOf(*r) + p.param, sizeof(double));
      return 1;
    }
  }
  return 0;
}

} // namespace

std::vector<Entry> objectEntries() {
  return {
      {"RegisterPluginVersion", TL_PROC(registerPluginVersion)},
      {"PluginRegisterClass", TL_PROC(pluginRegisterClass)},
      {"pluginObjectType", TL_PROC(pluginObjectType)},
      {"CreateInstance", TL_PROC(createInstance)},
      {"PluginNewInstanceOfClass", TL_PROC(pluginNewInstanceOfClass)},
      {"PluginGetPluginData", TL_PROC(pluginGetPluginData)},
      {"REALGetRBVersion", TL_PROC(getRBVersion)},
      {"REALLockObject", TL_PROC(lockObject)},
      {"REALUnlockObject", TL_PROC(unlockObject)},
      {"RuntimeRaiseException", TL_PROC(raiseException)},
      {"REALGetPropValueDouble", TL_PROC(getPropValueDouble)},
  };
}

// --- the object table ---------------------------------------------------------------------

std::string ObjectRecord::className() const {
  if (cls) return cls->name;
  return elementType == kDoubleElements ? "Double()" : "Integer()";
}

const ClassInfo* Host::State::classNamed(std::string_view name) const {
  for (const ClassInfo& c : classes)
    if (sameName(c.name, name)) return &c;
  return nullptr;
}

const ClassInfo* Host::State::classOfRef(const REALclassRefStruct* ref) const {
  for (const ClassInfo& c : classes)
    if (reinterpret_cast<const REALclassRefStruct*>(&c) == ref) return &c;
  return nullptr;
}

ObjectRecord& Host::State::newObject(const ClassInfo* cls, XojoInteger dataSize) {
  auto r = std::make_unique<ObjectRecord>();
  r->cls = cls;
  r->serial = nextSerial++;
  const size_t bytes = static_cast<size_t>(kHeaderSize + dataSize);
  const size_t blocks = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  r->block = std::make_unique_for_overwrite<std::max_align_t[]>(blocks);
  // Zeroed byte by byte: value-initialisation would leave the padding inside max_align_t.
  std::memset(r->block.get(), 0, blocks * sizeof(std::max_align_t));
  ObjectRecord& made = *r;
  objects.emplace(r->handle(), std::move(r));
  return made;
}

ObjectRecord* Host::State::liveObject(const void* handle, std::string_view user) {
  std::string who(user);
  if (!handle) {
    violation(who + ": a null object");
    return nullptr;
  }
  auto it = objects.find(handle);
  if (it == objects.end()) {
    violation(who + ": not an object of the host: " + describeHandle(handle));
    return nullptr;
  }
  ObjectRecord& r = *it->second;
  if (r.alive) return &r;
  // While the host is torn down, destructors give back references to objects it has already
  // destroyed itself.
  if (!tearingDown) violation(who + ": a dead " + r.className());
  return nullptr;
}

REALobjectStruct* instantiate(const ClassInfo& cls) {
  REALobjectStruct* made;
  {
    Host::State& s = currentState();
    std::lock_guard lock(s.mutex);
    made = s.newObject(&cls, cls.dataSize).handle();
  }
  if (cls.record && cls.record->constructor) cls.record->constructor(made);
  return made;
}

void releaseReference(REALobjectStruct* object, std::string_view user) {
  Host::State& s = currentState();
  ObjectRecord* r;
  void (*destructor)(REALobjectStruct*) = nullptr;
  {
    std::lock_guard lock(s.mutex);
    r = s.liveObject(object, user);
    if (!r) return;
    if (r->references == 0)
      return s.violation(std::string(user) + ": a " + r->className() +
                         " whose destructor is running");
    if (--r->references > 0) return;
    if (r->cls && r->cls->record) destructor = r->cls->record->destructor;
  }
  if (destructor) destructor(object);
  std::lock_guard lock(s.mutex);
  r->alive = false;
  r->elements.clear();
}

// --- references held by Values --------------------------------------------------------------

void retainObject(REALobjectStruct* object) {
  lockObject(object);
}

// A Value that outlives its host has nothing left to give back.
void releaseObject(REALobjectStruct* object) {
  if (currentHost()) releaseReference(object, "Value");
}

std::string classNameOf(REALobjectStruct* object) {
  if (!currentHost()) return "";
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  auto it = s.objects.find(object);
  return it != s.objects.end() && it->second->alive ? it->second->className() : "";
}

// --- host objects ---------------------------------------------------------------------------

Value Host::newGraphics() {
  return createInstance("Graphics");
}

Value Host::newWebGraphics() {
  return createInstance("WebGraphics");
}

Value Host::newCoreObject(const std::string& cls, const std::map<std::string, double>& properties) {
  const ClassInfo* c = findClass(cls);
  if (!c || c->record) throw Error("no host class named " + cls);
  Value made = Value::adopt(instantiate(*c));
  std::lock_guard lock(state_->mutex);
  ObjectRecord& r = *state_->objects.at(made.object());
  r.doubles.insert(properties.begin(), properties.end());
  return made;
}

} // namespace host

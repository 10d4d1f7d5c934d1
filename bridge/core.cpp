// The entry, the stored resolver, and the core services whose variant has a single member:
// computed class data, guarded and fallback instance creation, the shared global-method loader,
// class flags, and the two wrappers that ask a second resolver.
#include "class_support.h"

extern "C" {

TL_EXPORT REALresolver gResolver = nullptr;

TL_EXPORT void REALPluginMain(REALresolver resolver) {
  gResolver = resolver;
  // The interface version is announced before the deliverable registers anything. A host that
  // cannot take the announcement is not called for it.
  using RegisterPluginVersion = void (*)(int32_t);
  if (REALproc announce = resolver ? resolver("RegisterPluginVersion") : nullptr)
    tl::as<RegisterPluginVersion>(announce)(static_cast<int32_t>(kPluginInterfaceVersion));
  tl::gNilObjectExceptionRef.clear();
  PluginEntry();
}

TL_EXPORT REALproc HCallResolver(const char* entryName) {
  return gResolver ? gResolver(entryName) : nullptr;
}

TL_EXPORT void* REALGetClassData(REALobjectStruct* instance, REALclassDefinition* definition) {
  return reinterpret_cast<char*>(instance) + definition->dataOffset;
}

TL_EXPORT REALobjectStruct* REALnewInstanceWithClass(REALclassRefStruct* classRef) {
  static tl::EntryCache cache;
  REALproc createInstance = cache.bind("CreateInstance"); // bound even for a null class
  if (!createInstance || !classRef) return nullptr;
  return tl::as<REALobjectStruct* (*)(REALclassRefStruct*)>(createInstance)(classRef);
}

TL_EXPORT REALobjectStruct* REALnewInstanceOfClass(REALclassDefinition* definition) {
  static tl::EntryCache cache;
  if (REALproc newInstance = cache.bind("PluginNewInstanceOfClass"))
    return tl::as<REALobjectStruct* (*)(REALclassDefinition*)>(newInstance)(definition);
#if TESSALINE_APPLE_FLAVOUR
  return nullptr;
#else
  // Without the host's own entry, the class is found by the name in its definition.
  return REALnewInstanceWithClass(REALGetClassRef(definition->name));
#endif
}

TL_EXPORT void SetClassConsoleSafe(REALclassDefinition* definition) {
  definition->flags |= kClassConsoleSafe;
}

TL_EXPORT void SetClassWebOnly(REALclassDefinition* definition) {
  definition->flags = (definition->flags & ~uint32_t{kClassBit8}) | kClassWebOnly;
}

// REALLoadFrameworkMethod and REALLoadGlobalMethod share one binding of the host's loader, which
// is always called with a null first argument.
TL_EXPORT REALproc REALLoadFrameworkMethod(const char* declaration) {
  static tl::EntryCache pLoadGlobalMethod;
  using LoadGlobalMethod = REALproc (*)(void*, const char*);
  REALproc load = pLoadGlobalMethod.bind("REALLoadGlobalMethod");
  return load ? tl::as<LoadGlobalMethod>(load)(nullptr, declaration) : nullptr;
}

TL_EXPORT REALproc REALLoadGlobalMethod(void*, const char* declaration) {
  return REALLoadFrameworkMethod(declaration);
}

} // extern "C"

namespace {

// An entry reached through the host's second resolver ("GetRBScriptResolver"), together with
// "RuntimeClassOf". Each wrapper keeps its own copy of the second resolver, asked for once per
// process, and of both entries.
class ScriptEntry {
public:
  explicit constexpr ScriptEntry(const char* name) : name_(name) {}

  // The class-level entry and the class of `object`, or false when the host cannot give both.
  bool bind(REALobjectStruct* object, REALproc& entry, void*& objectClass) {
    REALresolver second =
        resolver_.get([] { return tl::as<REALresolver>(HCallResolver("GetRBScriptResolver")); });
    if (!second) return false;
    if (!entry_.load() && !classOf_.load()) {
      entry_.store(second(name_));
      classOf_.store(second("RuntimeClassOf"));
    }
    entry = entry_.load();
    REALproc classOf = classOf_.load();
    if (!entry || !classOf) return false;
    objectClass = tl::as<void* (*)(REALobjectStruct*)>(classOf)(object);
    return objectClass != nullptr;
  }

private:
  const char* name_;
  plat::Once<REALresolver> resolver_;
  plat::Relaxed<REALproc> entry_;
  plat::Relaxed<REALproc> classOf_;
};

ScriptEntry countClassProperties("REALCountClassProperties");
ScriptEntry getClassProperty("REALGetClassProperty");

} // namespace

extern "C" {

TL_EXPORT XojoInteger REALCountClassProperties(REALobjectStruct* object) {
  REALproc entry;
  void* objectClass;
  if (!countClassProperties.bind(object, entry, objectClass)) return 0;
  return tl::as<XojoInteger (*)(void*)>(entry)(objectClass);
}

TL_EXPORT XojoInteger REALGetClassProperty(REALobjectStruct* object, void* a1, void* a2, void* a3,
                                           void* a4, void* a5) {
  REALproc entry;
  void* objectClass;
  if (!getClassProperty.bind(object, entry, objectClass)) return 0;
  using GetClassProperty = XojoInteger (*)(void*, void*, void*, void*, void*, void*);
  return tl::as<GetClassProperty>(entry)(objectClass, a1, a2, a3, a4, a5);
}

} // extern "C"

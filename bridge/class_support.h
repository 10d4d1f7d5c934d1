// What every class of the deliverables needs from the bridge: its instance data, class
// references found by name, result objects, and the host's nil-object error.
#pragma once

#include "host_api.h"

namespace tl {

template <class Data> inline Data& dataOf(REALobjectStruct* instance, REALclassDefinition& cls) {
  return *static_cast<Data*>(REALGetClassData(instance, &cls));
}

// A host class reference found by class name on first use and kept once found; a miss is asked
// again next time. `PluginEntry` clears it so that every load asks afresh.
class ClassRef {
public:
  constexpr explicit ClassRef(const char* className) : name_(className) {}

  REALclassRefStruct* get() {
    REALclassRefStruct* ref = ref_.load();
    if (!ref) {
      ref = REALGetClassRef(name_);
      ref_.store(ref);
    }
    return ref;
  }
  void clear() { ref_.store(nullptr); }

  // A new instance of the class, or null when the host cannot make one.
  REALobjectStruct* newInstance() { return REALnewInstanceWithClass(get()); }

  // The data block of an object of this class, reached through the host (for classes of
  // another deliverable); null when the host cannot give it.
  template <class Data> Data* pluginData(REALobjectStruct* object) {
    REALclassRefStruct* ref = get();
    return ref ? static_cast<Data*>(REALGetPluginData(object, ref)) : nullptr;
  }

private:
  const char* name_;
  plat::Relaxed<REALclassRefStruct*> ref_;
};

// The bridge's own class reference, to the host's NilObjectException. REALPluginMain clears it at
// every start, as each PluginEntry clears the references of its classes, so that a library the
// host starts again without having unloaded it never hands the new host a reference of the old.
extern ClassRef gNilObjectExceptionRef;

// Raises the host's NilObjectException, when the host can make one. The caller then returns its
// neutral value.
void raiseNilObjectException();

// True when `object` is nil, after raising the host's NilObjectException for it.
inline bool isNil(REALobjectStruct* object) {
  if (object) return false;
  raiseNilObjectException();
  return true;
}

} // namespace tl

// Objects, exceptions, methods, events and registration.
#include "generate.h"

#include "../catalog/objects.def"

extern "C" {

// The host wants the event's own handle, which its event record keeps in its second word; the
// record is read only when there is a host to hand the word to.
TL_EXPORT REALproc REALGetEventInstance(REALobjectStruct* control, REALevent* event) {
  static tl::EntryCache cache;
  using GetEventInstance = REALproc (*)(REALobjectStruct*, void*);
  REALproc fn = cache.bind("GetEventInstance");
  if (!fn) return nullptr;
  void* eventHandle;
  __builtin_memcpy(&eventHandle, reinterpret_cast<const char*>(event) + sizeof(void*),
                   sizeof eventHandle);
  return tl::as<GetEventInstance>(fn)(control, eventHandle);
}

} // extern "C"

// Properties of host objects by name, and Variant values.
#include "generate.h"

#include "../catalog/properties.def"

#if TESSALINE_APPLE_FLAVOUR
extern "C" {

// The host writes into a one-byte temporary, which is then copied out whatever the host
// answered. The temporary starts at the caller's current value, so a host that refuses without
// writing leaves it as it was; without an out pointer it starts at 0 and nothing is copied.
TL_EXPORT bool REALGetPropValueBoolean(REALobjectStruct* object, const char* name, RBBoolean* out) {
  static tl::EntryCache cache;
  using GetPropValueBool = int32_t (*)(REALobjectStruct*, const char*, RBBoolean*);
  REALproc fn = cache.bind("REALGetPropValueBool");
  if (!fn) return false;
  RBBoolean temporary = out ? *out : 0;
  bool found = tl::as<GetPropValueBool>(fn)(object, name, &temporary) != 0;
  if (out) *out = temporary;
  return found;
}

} // extern "C"
#endif

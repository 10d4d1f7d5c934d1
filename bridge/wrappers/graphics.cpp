// Graphics, fonts, pictures, controls and windows.
#include "generate.h"

#include "../catalog/graphics.def"

namespace {

// The byte offset, in a control definition record, of the word that holds the offset of the
// control's data inside a control instance.
constexpr unsigned kControlDataOffsetAt = TESSALINE_APPLE_FLAVOUR ? 104 : 60;

// Pure address arithmetic, like REALGetClassData: the word is read at the time of the call.
void* controlData(REALobjectStruct* control, const void* definition) {
  XojoInteger offset;
  __builtin_memcpy(&offset, static_cast<const char*>(definition) + kControlDataOffsetAt,
                   sizeof offset);
  return reinterpret_cast<char*>(control) + offset;
}

} // namespace

extern "C" {

TL_EXPORT void* REALGetControlData(REALobjectStruct* control, REALcontrol* definition) {
  return controlData(control, definition);
}

#if TESSALINE_APPLE_FLAVOUR
TL_EXPORT void* REALGetMobileControlData(REALobjectStruct* control, REALmobileControl* definition) {
  return controlData(control, definition);
}
#endif

} // extern "C"

#include "class_support.h"

namespace tl {

ClassRef gNilObjectExceptionRef("NilObjectException");

void raiseNilObjectException() {
  REALobjectStruct* error = gNilObjectExceptionRef.newInstance();
  if (!error) return;
  REALRaiseException(error); // the host keeps its own reference to the pending exception
  REALUnlockObject(error);
}

} // namespace tl

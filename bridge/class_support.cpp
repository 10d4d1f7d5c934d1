#include "class_support.h"

namespace tl {

void raiseNilObjectException() {
  static ClassRef nilObjectException("NilObjectException");
  REALobjectStruct* error = nilObjectException.newInstance();
  if (!error) return;
  REALRaiseException(error); // the host keeps its own reference to the pending exception
  REALUnlockObject(error);
}

} // namespace tl

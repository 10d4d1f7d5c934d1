// The table-driven core services; the entry and the core services written by hand are in
// bridge/core.cpp.
#include "generate.h"

#include "../catalog/core.def"

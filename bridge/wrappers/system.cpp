// Databases, sockets, memory blocks, files and the environment.
#include "generate.h"

#include "../catalog/system.def"

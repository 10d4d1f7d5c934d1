// Host arrays: every element wrapper, its overloaded forms and the whole-array wrappers.
#include "generate.h"

#include "../catalog/arrays.def"

// Every table-driven wrapper of the bridge, generated from the family tables.
#include "host_api.h"

#define TL_BODY(...) __VA_ARGS__
#include "catalog/all.def"
#undef TL_BODY

// Included by each family's source, before its table: the table's rows then define their
// wrappers instead of declaring them.
#pragma once

#include "../host_api.h"

#define TL_BODY(...)   __VA_ARGS__
#define TL_DEFINE(...) __VA_ARGS__

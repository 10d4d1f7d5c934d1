// The host interface as plug-in code calls it: every exported wrapper of this build's profile,
// declared from the same tables that generate them (bridge/catalog/*.def).
#pragma once

#include "class_records.h"

#include "catalog/rows.h"
#define TL_BODY(...) ;
#define TL_DEFINE(...)
#include "catalog/all.def"
#undef TL_BODY
#undef TL_DEFINE

// Provided by each deliverable's own code; called by REALPluginMain.
extern "C" TL_EXPORT void PluginEntry();

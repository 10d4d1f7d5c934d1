// The host interface as plug-in code calls it: every exported wrapper of this build's profile.
// Table rows are declared from the same tables that generate them; the few wrappers written by
// hand are declared below.
#pragma once

#include "class_records.h"

#include "catalog/rows.h"
#define TL_BODY(...) ;
#include "catalog/all.def"
#undef TL_BODY

extern "C" {
TL_EXPORT void REALPluginMain(REALresolver resolver);
TL_EXPORT REALproc HCallResolver(const char* entryName);
// Provided by each deliverable's own code.
TL_EXPORT void PluginEntry();

TL_EXPORT void* REALGetClassData(REALobjectStruct* instance, REALclassDefinition* definition);
TL_EXPORT REALobjectStruct* REALnewInstanceWithClass(REALclassRefStruct* classRef);
TL_EXPORT REALobjectStruct* REALnewInstanceOfClass(REALclassDefinition* definition);
TL_EXPORT void SetClassConsoleSafe(REALclassDefinition* definition);
TL_EXPORT void SetClassWebOnly(REALclassDefinition* definition);
TL_EXPORT REALproc REALLoadFrameworkMethod(const char* declaration);
TL_EXPORT REALproc REALLoadGlobalMethod(void* ignored, const char* declaration);
TL_EXPORT XojoInteger REALCountClassProperties(REALobjectStruct* object);
TL_EXPORT XojoInteger REALGetClassProperty(REALobjectStruct* object, void* a1, void* a2, void* a3,
                                           void* a4, void* a5);
}

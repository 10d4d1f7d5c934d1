// Types of the host interface, the build profile and the export macro.
//
// Every deliverable is compiled in one profile, chosen by the build:
//   TESSALINE_PROFILE_IOS    Tessaline1, Tessaline2, Tessaline3
//   TESSALINE_PROFILE_MACOS  Tessaline3Mac
//   TESSALINE_PROFILE_LINUX  Tessaline3Linux
// The two Apple profiles share one flavour: Boolean results normalised to 0 or 1, and sums of
// products evaluated with fused multiply-add where the classes say so. The Linux flavour passes
// host results on as they come and rounds every product.
#pragma once

#include "platform.h"

#if defined(TESSALINE_PROFILE_IOS) + defined(TESSALINE_PROFILE_MACOS) +                            \
        defined(TESSALINE_PROFILE_LINUX) >                                                         \
    1
#error "at most one build profile"
#endif

#if defined(TESSALINE_PROFILE_IOS) || defined(TESSALINE_PROFILE_MACOS)
#define TESSALINE_APPLE_FLAVOUR 1
#else
#define TESSALINE_APPLE_FLAVOUR 0
#endif

#define TL_EXPORT __attribute__((visibility("default")))

// Host handles: opaque to the plug-ins.
struct REALobjectStruct;
struct REALclassRefStruct;
struct REALarrayStruct;
struct REALstringStruct;
struct RuntimeText;
struct REALpictureDescription;
struct REALclassDefinition;
struct REALmethodDefinition;

// Records a plug-in owns and hands to the host (controls, modules, database items, ...), and the
// event record and string data the host hands back. Their layouts are the host's; the bridge
// passes them on without reading them, except for the two words it is told to read (the control
// data offset and the event's second word).
struct REALcontrol;
struct REALmobileControl;
struct REALinterface;
struct REALmodule;
struct REALstructure;
struct REALenum;
struct REALdbEngine;
struct REALdbTable;
struct REALdbCursor;
struct REALdbConnection;
struct REALdataSourceInterface;
struct REALdataSource;
struct REALevent;
struct REALstringData;
struct REALfontStyle;
struct REALrect;

// Types that exist only on Apple systems, passed through unchanged.
using CFStringRef = const struct __CFString*;
using CGImageRef = struct CGImage*;

// The Xojo Integer: signed and as wide as a pointer (32-bit on a 32-bit target).
using XojoInteger = intptr_t;
using XojoUInteger = uintptr_t;

// Host values that travel as plain words.
using RBColor = uint32_t;        // 32-bit host colour
using RBCurrency = long long;    // 64-bit host currency
using RBBoolean = unsigned char; // one-byte truth value, passed on as the host gives it
using OSType = uint32_t;         // four-character code

// An untyped host function, as the resolver hands it out.
using REALproc = void (*)();
using REALresolver = REALproc (*)(const char* entryName);
// A plug-in function the host calls back with one pointer of the plug-in's (a task, a guarded
// call).
using REALcallback = void (*)(void* data);

// The host version and the host functions that Tessaline1 calls without the bridge: the string
// functions and Str of the text conversion, the method loader, and the rectangle drawing methods.
#pragma once

#include "../bridge/host_api.h"

namespace planar {

using BuildStringFn = REALstringStruct* (*)(const char* bytes, int length);
using UnlockStringFn = void (*)(REALstringStruct* string);
using AddStringFn = REALstringStruct* (*)(REALstringStruct* first, REALstringStruct* second);
using LoadObjectMethodFn = REALproc (*)(REALobjectStruct* object, const char* declaration);
// The first argument is untyped and always null, as in the bridge's REALLoadGlobalMethod.
using LoadGlobalMethodFn = REALproc (*)(void* unused, const char* declaration);
using StrFn = REALstringStruct* (*)(double number);
using IntegerRectFn = void (*)(REALobjectStruct* graphics, XojoInteger x, XojoInteger y,
                               XojoInteger width, XojoInteger height);
using DoubleRectFn = void (*)(REALobjectStruct* graphics, double x, double y, double width,
                              double height);

// Version gates. 100 is how some hosts report themselves; it counts as current for the legacy
// drawing and Xojo.Core gates, but not for the Double drawing methods.
constexpr double kModernDrawingFrom = 2010.04; // before: legacy drawing entries and "StringStr"
constexpr double kXojoCoreFrom = 2015.0;       // before: no conversions from Xojo.Core types
constexpr double kDoubleDrawingFrom = 2018.02; // from: DrawRect/FillRect take Doubles
constexpr double kCurrentHostVersion = 100.0;

// The host version as REALGetRBVersion reports it; 0 when the host has none.
extern double g_XojoVersion;

// Bound by PluginEntry through the resolver, then fixed; empty when the host lacks them.
extern BuildStringFn hostBuildString;           // "REALBuildString": a new string of bytes
extern UnlockStringFn hostUnlockString;         // "REALUnlockString": gives back one reference
extern AddStringFn hostAddString;               // "RuntimeAddString": a new string, first + second
extern LoadObjectMethodFn hostLoadObjectMethod; // "REALLoadObjectMethod": a method by declaration
extern LoadGlobalMethodFn hostLoadGlobalMethod; // "REALLoadGlobalMethod": used at start-up only
extern StrFn hostStr; // "Str(number as Double) as String", or "StringStr" on old hosts

// Drawing methods, loaded on first use from the graphics object of that call and kept; on hosts
// before 2010.04 PluginEntry fills the Integer desktop pair with the legacy runtime entries.
// Desktop and web members are kept apart so that neither is called with the other's object.
extern plat::Relaxed<IntegerRectFn> hostGraphicsDrawRect;
extern plat::Relaxed<IntegerRectFn> hostGraphicsFillRect;
extern plat::Relaxed<DoubleRectFn> hostGraphicsDrawRectF;
extern plat::Relaxed<DoubleRectFn> hostGraphicsFillRectF;
extern plat::Relaxed<IntegerRectFn> hostGraphicsDrawRectWeb;
extern plat::Relaxed<IntegerRectFn> hostGraphicsFillRectWeb;

} // namespace planar

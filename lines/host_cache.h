// The host version and the host functions that Tessaline2 calls without the bridge: the object
// release, the method loader, and the line and polygon drawing methods of graphics objects.
#pragma once

#include "../bridge/host_api.h"

namespace lines {

using UnlockObjectFn = void (*)(REALobjectStruct* object);
using LoadObjectMethodFn = REALproc (*)(REALobjectStruct* object, const char* declaration);
using IntegerLineFn = void (*)(REALobjectStruct* graphics, int64_t x1, int64_t y1, int64_t x2,
                               int64_t y2);
using DoubleLineFn = void (*)(REALobjectStruct* graphics, double x1, double y1, double x2,
                              double y2);
using PointArrayFn = void (*)(REALobjectStruct* graphics, REALarrayStruct* points);

// Version gates. 100 is how some hosts report themselves: current for the legacy drawing gate,
// but below the Double drawing methods.
constexpr double kModernDrawingFrom = 2010.04; // before: legacy drawing entries
constexpr double kDoubleDrawingFrom = 2018.02; // from: DrawLine/DrawPolygon take Doubles
constexpr double kCurrentHostVersion = 100.0;

// The host version as REALGetRBVersion reports it; 0 when the host has none.
extern double g_XojoVersion;

// Bound by PluginEntry through the resolver, then fixed; empty when the host lacks them.
extern UnlockObjectFn hostUnlockObject;         // "REALUnlockObject": gives back one reference
extern LoadObjectMethodFn hostLoadObjectMethod; // "REALLoadObjectMethod": a method by declaration

// Drawing methods, loaded on first use from the graphics object of that call and kept. On hosts
// before 2010.04 PluginEntry fills the three Integer desktop members with the legacy runtime
// entries. Desktop and web members are kept apart so that neither is called with the other's
// object.
extern plat::Relaxed<IntegerLineFn> hostDrawLine;
extern plat::Relaxed<DoubleLineFn> hostDrawLineF;
extern plat::Relaxed<PointArrayFn> hostDrawPolygon;
extern plat::Relaxed<PointArrayFn> hostFillPolygon;
extern plat::Relaxed<IntegerLineFn> hostDrawLineWeb;
extern plat::Relaxed<PointArrayFn> hostDrawPolygonWeb;
extern plat::Relaxed<PointArrayFn> hostFillPolygonWeb;

// Gives back the caller's reference to a temporary host object. Nothing is called for a null
// object or when the host has no release entry.
inline void releaseObject(REALobjectStruct* object) {
  if (object && hostUnlockObject) hostUnlockObject(object);
}

} // namespace lines

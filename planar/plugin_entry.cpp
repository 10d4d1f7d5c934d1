// The entry of Tessaline1: reads the host version, binds the host functions that the classes call
// directly, adapts the class definitions to older hosts, and registers PointF, SizeF and RectF.
#include "host_cache.h"
#include "planar.h"

namespace planar {

double g_XojoVersion = 0.0;

BuildStringFn hostBuildString = nullptr;
UnlockStringFn hostUnlockString = nullptr;
AddStringFn hostAddString = nullptr;
LoadObjectMethodFn hostLoadObjectMethod = nullptr;
LoadGlobalMethodFn hostLoadGlobalMethod = nullptr;
StrFn hostStr = nullptr;

plat::Relaxed<IntegerRectFn> hostGraphicsDrawRect;
plat::Relaxed<IntegerRectFn> hostGraphicsFillRect;
plat::Relaxed<DoubleRectFn> hostGraphicsDrawRectF;
plat::Relaxed<DoubleRectFn> hostGraphicsFillRectF;
plat::Relaxed<IntegerRectFn> hostGraphicsDrawRectWeb;
plat::Relaxed<IntegerRectFn> hostGraphicsFillRectWeb;

} // namespace planar

namespace {

using namespace planar;

template <class Fn> Fn resolve(const char* entryName) {
  return tl::as<Fn>(HCallResolver(entryName));
}

// Hosts before 2010.04 draw through runtime entries rather than Graphics methods. A version the
// host cannot state (0) counts as old.
bool drawsThroughLegacyEntries(double version) {
  return !(version >= kModernDrawingFrom || version == kCurrentHostVersion);
}

// Hosts before 2015 have no Xojo.Core types to convert from.
bool lacksXojoCore(double version) {
  return version < kXojoCoreFrom && version != kCurrentHostVersion;
}

} // namespace

extern "C" TL_EXPORT void PluginEntry() {
  g_XojoVersion = REALGetRBVersion();

  hostBuildString = resolve<BuildStringFn>("REALBuildString");
  hostUnlockString = resolve<UnlockStringFn>("REALUnlockString");
  hostAddString = resolve<AddStringFn>("RuntimeAddString");
  hostLoadObjectMethod = resolve<LoadObjectMethodFn>("REALLoadObjectMethod");
  hostLoadGlobalMethod = resolve<LoadGlobalMethodFn>("REALLoadGlobalMethod");
  hostStr = hostLoadGlobalMethod
                ? tl::as<StrFn>(hostLoadGlobalMethod(nullptr, "Str(number as Double) as String"))
                : nullptr;

  hostGraphicsFillRectWeb.store(nullptr);
  hostGraphicsDrawRectWeb.store(nullptr);
  hostGraphicsFillRectF.store(nullptr);
  hostGraphicsDrawRectF.store(nullptr);
  if (drawsThroughLegacyEntries(g_XojoVersion)) {
    hostGraphicsFillRect.store(resolve<IntegerRectFn>("RuntimeGraphicsFillRect"));
    hostGraphicsDrawRect.store(resolve<IntegerRectFn>("RuntimeGraphicsDrawRect"));
    if (!hostStr) hostStr = resolve<StrFn>("StringStr");
  } else {
    hostGraphicsFillRect.store(nullptr);
    hostGraphicsDrawRect.store(nullptr);
  }

  // The counts are set rather than lowered, so that the records always match this host.
  const XojoInteger withheld = lacksXojoCore(g_XojoVersion) ? 1 : 0;
  PointFClass.methodCount = kPointMethodCount - withheld;
  SizeFClass.methodCount = kSizeMethodCount - withheld;
  RectFClass.methodCount = kRectMethodCount - withheld;

  gRectRef.clear();
  gPointRef.clear();
  gSizeRef.clear();

  REALclassDefinition* const registrationOrder[] = {&PointFClass, &SizeFClass, &RectFClass};
  for (REALclassDefinition* definition : registrationOrder) {
    SetClassConsoleSafe(definition);
    REALRegisterClass(definition);
  }
}

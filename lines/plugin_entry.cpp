// The entry of Tessaline2: the host version, the host function cache, and the registration of
// LineF and PolygonF.
#include "host_cache.h"
#include "lines.h"

namespace lines {

double g_XojoVersion = 0.0;

UnlockObjectFn hostUnlockObject = nullptr;
LoadObjectMethodFn hostLoadObjectMethod = nullptr;

plat::Relaxed<IntegerLineFn> hostDrawLine;
plat::Relaxed<DoubleLineFn> hostDrawLineF;
plat::Relaxed<PointArrayFn> hostDrawPolygon;
plat::Relaxed<PointArrayFn> hostFillPolygon;
plat::Relaxed<IntegerLineFn> hostDrawLineWeb;
plat::Relaxed<PointArrayFn> hostDrawPolygonWeb;
plat::Relaxed<PointArrayFn> hostFillPolygonWeb;

tl::ClassRef gLineRef("LineF");
tl::ClassRef gPolygonRef("PolygonF");
tl::ClassRef gPointRef("PointF");
tl::ClassRef gRectRef("RectF");

} // namespace lines

using namespace lines;

extern "C" TL_EXPORT void PluginEntry() {
  g_XojoVersion = REALGetRBVersion();

  // Each answer is kept as it comes, a miss included.
  hostUnlockObject = tl::as<UnlockObjectFn>(HCallResolver("REALUnlockObject"));
  hostLoadObjectMethod = tl::as<LoadObjectMethodFn>(HCallResolver("REALLoadObjectMethod"));

  hostDrawLineWeb.store(nullptr);
  hostDrawPolygonWeb.store(nullptr);
  hostFillPolygonWeb.store(nullptr);

  // Current hosts hand out their drawing methods by declaration on first use; older ones have
  // runtime entries for them.
  if (g_XojoVersion >= kModernDrawingFrom || g_XojoVersion == kCurrentHostVersion) {
    hostDrawPolygon.store(nullptr);
    hostFillPolygon.store(nullptr);
    hostDrawLine.store(nullptr);
    hostDrawLineF.store(nullptr);
  } else {
    hostDrawPolygon.store(tl::as<PointArrayFn>(HCallResolver("graphicsDrawPolygon")));
    hostFillPolygon.store(tl::as<PointArrayFn>(HCallResolver("graphicsFillPolygon")));
    hostDrawLine.store(tl::as<IntegerLineFn>(HCallResolver("RuntimeGraphicsDrawLine")));
  }

  gLineRef.clear();
  gRectRef.clear();
  gPolygonRef.clear();
  gPointRef.clear();

  SetClassConsoleSafe(&LineFClass);
  REALRegisterClass(&LineFClass);
  SetClassConsoleSafe(&PolygonFClass);
  REALRegisterClass(&PolygonFClass);
}

// What the files of Tessaline1 share: the data blocks of its classes, their definitions and class
// references, and the helpers that more than one class uses.
#pragma once

#include "../bridge/class_support.h"

namespace planar {

// The data blocks. Tessaline2 reads and writes PointFData and RectFData in objects of these
// classes, so their layouts are fixed: doubles in this order, no header, no gaps.
struct PointFData {
  double x, y;
};
struct SizeFData {
  double Width, Height;
};
struct RectFData {
  double Left, Top, Right, Bottom;
};
static_assert(sizeof(PointFData) == 16 && offsetof(PointFData, y) == 8);
static_assert(sizeof(SizeFData) == 16 && offsetof(SizeFData, Height) == 8);
static_assert(sizeof(RectFData) == 32 && offsetof(RectFData, Top) == 8 &&
              offsetof(RectFData, Right) == 16 && offsetof(RectFData, Bottom) == 24);

// Methods each class defines. The last one, the conversion from the matching Xojo.Core type, is
// withheld from hosts that predate Xojo.Core.
constexpr XojoInteger kPointMethodCount = 12;
constexpr XojoInteger kSizeMethodCount = 7;
constexpr XojoInteger kRectMethodCount = 20;

extern REALclassDefinition PointFClass;
extern REALclassDefinition SizeFClass;
extern REALclassDefinition RectFClass;

// Filled by name on the first result object of each class; cleared by PluginEntry.
extern tl::ClassRef gPointRef;
extern tl::ClassRef gSizeRef;
extern tl::ClassRef gRectRef;

inline PointFData& pointData(REALobjectStruct* point) {
  return tl::dataOf<PointFData>(point, PointFClass);
}
inline SizeFData& sizeData(REALobjectStruct* size) {
  return tl::dataOf<SizeFData>(size, SizeFClass);
}
inline RectFData& rectData(REALobjectStruct* rect) {
  return tl::dataOf<RectFData>(rect, RectFClass);
}

// "(" + Str(first) + " ; " + Str(second) + ")" as a new host string whose reference passes to
// the caller; the numbers are written by the host's own Str.
REALstringStruct* pairText(double first, double second);

// The four ways a RectF reaches a host graphics object.
enum class RectDrawing { Draw, Fill, DrawWeb, FillWeb };
void drawRect(RectDrawing how, REALobjectStruct* graphics, const RectFData& rect);

} // namespace planar

// The text of a PointF or a SizeF: "(" + Str(first) + " ; " + Str(second) + ")", built from host
// strings with the host's own Str, so that numbers read as the host writes them. Every
// intermediate string is given back as soon as it has been appended.
#include "host_cache.h"
#include "planar.h"

namespace {

using namespace planar;

// A string the host did not make carries no reference to give back.
void release(REALstringStruct* string) {
  if (string) hostUnlockString(string);
}

// A new string, first followed by second; then first and second are given back, in that order.
REALstringStruct* append(REALstringStruct* first, REALstringStruct* second) {
  REALstringStruct* joined = hostAddString(first, second);
  release(first);
  release(second);
  return joined;
}

} // namespace

namespace planar {

REALstringStruct* pairText(double first, double second) {
  // Without every string function the text cannot be built, nor its pieces given back: the
  // result is then the empty string, or nil when the host cannot build even that.
  if (!hostBuildString || !hostStr || !hostAddString || !hostUnlockString)
    return hostBuildString ? hostBuildString("", 0) : nullptr;

  REALstringStruct* open = hostBuildString("(", 1);
  REALstringStruct* firstNumber = hostStr(first);
  REALstringStruct* text = append(open, firstNumber);
  REALstringStruct* separator = hostBuildString(" ; ", 3);
  text = append(text, separator);
  REALstringStruct* secondNumber = hostStr(second);
  text = append(text, secondNumber);
  REALstringStruct* close = hostBuildString(")", 1);
  return append(text, close);
}

} // namespace planar

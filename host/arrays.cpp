// Host arrays of one dimension, as the plug-ins build point lists: created with a bound, filled
// through element setters handed out per array, released like any object.
#include "state.h"

namespace host {

namespace {

REALarrayStruct* createArray(int32_t elementType, XojoInteger upperBound) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (elementType != kDoubleElements && elementType != kIntegerElements) {
    s.violation("RuntimeArrayCreateSingleDimBoundedArray: element type " +
                std::to_string(elementType));
    return nullptr;
  }
  if (upperBound < -1) {
    s.violation("RuntimeArrayCreateSingleDimBoundedArray: upper bound " +
                std::to_string(upperBound));
    return nullptr;
  }
  ObjectRecord& a = s.newObject(nullptr, 0);
  a.elementType = elementType;
  a.elements.resize(static_cast<size_t>(upperBound + 1));
  return reinterpret_cast<REALarrayStruct*>(a.handle());
}

// The array if it is a live one of `elementType`; otherwise a violation by `user` and null.
ObjectRecord* arrayOf(Host::State& s, REALarrayStruct* array, int32_t elementType,
                      const char* user) {
  ObjectRecord* a = s.liveObject(array, user);
  if (a && (!a->isArray() || a->elementType != elementType)) {
    s.violation(std::string(user) + ": a " + a->className() + " is no array of element type " +
                std::to_string(elementType));
    return nullptr;
  }
  return a;
}

template <int32_t ElementType, class Element>
void setElement(REALarrayStruct* array, Element value, XojoInteger index) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  ObjectRecord* a = arrayOf(s, array, ElementType, "array element setter");
  if (!a) return;
  if (index < 0 || static_cast<size_t>(index) >= a->elements.size())
    return s.violation("array element setter: index " + std::to_string(index) + " beyond " +
                       std::to_string(a->elements.size() - 1));
  a->elements[static_cast<size_t>(index)] = Value(value);
}

template <int32_t ElementType, class Element> REALproc setProc(REALarrayStruct* array) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  const char* user =
      ElementType == kDoubleElements ? "PluginDoubleArraySetProc" : "PluginIntegerArraySetProc";
  if (!arrayOf(s, array, ElementType, user)) return nullptr;
  return TL_PROC((setElement<ElementType, Element>));
}

} // namespace

std::vector<Entry> arrayEntries() {
  return {
      {"RuntimeArrayCreateSingleDimBoundedArray", TL_PROC(createArray)},
      {"PluginDoubleArraySetProc", TL_PROC((setProc<kDoubleElements, double>))},
      {"PluginIntegerArraySetProc", TL_PROC((setProc<kIntegerElements, XojoInteger>))},
  };
}

} // namespace host

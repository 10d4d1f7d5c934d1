// Recording graphics objects: the drawing methods that Graphics and WebGraphics hand out by
// declaration, the legacy drawing entries, and the log of every call made on them.
#include "state.h"

namespace host {

namespace {

constexpr char kDrawRectInteger[] =
    "DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr char kFillRectInteger[] =
    "FillRect(x as Integer,y as Integer,width as Integer,height as Integer)";
constexpr char kDrawRectDouble[] =
    "DrawRect(x as Double,y as Double,width as Double,height as Double)";
constexpr char kFillRectDouble[] =
    "FillRect(x as Double,y as Double,width as Double,height as Double)";
constexpr char kDrawLineInteger[] =
    "DrawLine(x1 as Integer,y1 as Integer,x2 as Integer,y2 as Integer)";
constexpr char kDrawLineDouble[] = "DrawLine(x1 as Double,y1 as Double,x2 as Double,y2 as Double)";
constexpr char kDrawPolygonInteger[] = "DrawPolygon(point() as Integer)";
constexpr char kDrawPolygonDouble[] = "DrawPolygon(point() as Double)";
constexpr char kFillPolygonInteger[] = "FillPolygon(point() as Integer)";
constexpr char kFillPolygonDouble[] = "FillPolygon(point() as Double)";

// Legacy entries are recorded under their own names.
constexpr char kLegacyDrawRect[] = "RuntimeGraphicsDrawRect";
constexpr char kLegacyFillRect[] = "RuntimeGraphicsFillRect";
constexpr char kLegacyDrawLine[] = "RuntimeGraphicsDrawLine";
constexpr char kLegacyDrawPolygon[] = "graphicsDrawPolygon";
constexpr char kLegacyFillPolygon[] = "graphicsFillPolygon";

bool isGraphics(const ObjectRecord& r) {
  return r.cls && !r.cls->record && (r.cls->name == "Graphics" || r.cls->name == "WebGraphics");
}

// The graphics object's record when `graphics` is a live one; otherwise a violation.
ObjectRecord* graphicsOf(Host::State& s, REALobjectStruct* graphics, const char* user) {
  ObjectRecord* g = s.liveObject(graphics, user);
  if (g && !isGraphics(*g)) {
    s.violation(std::string(user) + ": a " + g->className() + " is no graphics object");
    return nullptr;
  }
  return g;
}

template <const char* Declaration, class Coordinate>
void fourCoordinates(REALobjectStruct* graphics, Coordinate a, Coordinate b, Coordinate c,
                     Coordinate d) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (ObjectRecord* g = graphicsOf(s, graphics, Declaration))
    s.drawLog.push_back(
        {g->cls->name, Declaration, {Value(a), Value(b), Value(c), Value(d)}, {}, 0});
}

template <const char* Declaration>
void pointArray(REALobjectStruct* graphics, REALarrayStruct* points) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  ObjectRecord* g = graphicsOf(s, graphics, Declaration);
  ObjectRecord* a = s.liveObject(points, Declaration);
  if (!g || !a) return;
  if (!a->isArray())
    return s.violation(std::string(Declaration) + ": a " + a->className() + " is no array");
  s.drawLog.push_back({g->cls->name, Declaration, {}, a->elements, a->elementType});
}

const Entry kGraphicsMethods[] = {
    {kDrawRectInteger, TL_PROC((fourCoordinates<kDrawRectInteger, XojoInteger>))},
    {kFillRectInteger, TL_PROC((fourCoordinates<kFillRectInteger, XojoInteger>))},
    {kDrawRectDouble, TL_PROC((fourCoordinates<kDrawRectDouble, double>))},
    {kFillRectDouble, TL_PROC((fourCoordinates<kFillRectDouble, double>))},
    {kDrawLineInteger, TL_PROC((fourCoordinates<kDrawLineInteger, XojoInteger>))},
    {kDrawLineDouble, TL_PROC((fourCoordinates<kDrawLineDouble, double>))},
    {kDrawPolygonInteger, TL_PROC(pointArray<kDrawPolygonInteger>)},
    {kDrawPolygonDouble, TL_PROC(pointArray<kDrawPolygonDouble>)},
    {kFillPolygonInteger, TL_PROC(pointArray<kFillPolygonInteger>)},
    {kFillPolygonDouble, TL_PROC(pointArray<kFillPolygonDouble>)},
};

REALproc graphicsMethod(const Declaration& wanted) {
  for (const Entry& m : kGraphicsMethods)
    if (sameMethod(*parseDeclaration(m.name), wanted)) return m.function;
  return nullptr;
}

// Host objects other than graphics offer no methods.
REALproc loadObjectMethod(REALobjectStruct* object, const char* declaration) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  ObjectRecord* r = s.liveObject(object, "REALLoadObjectMethod");
  if (!r) return nullptr;
  std::string error;
  std::optional<Declaration> wanted =
      declaration ? parseDeclaration(declaration, &error) : std::nullopt;
  if (!wanted) {
    s.violation(std::string("REALLoadObjectMethod: \"") + (declaration ? declaration : "") +
                "\" does not parse: " + error);
    return nullptr;
  }
  if (!isGraphics(*r)) return nullptr;
  for (const auto& [cls, removed] : s.removedObjectMethods)
    if (sameName(cls, r->cls->name) && sameMethod(removed, *wanted)) return nullptr;
  return graphicsMethod(*wanted);
}

} // namespace

std::vector<Entry> graphicsEntries() {
  return {
      {"REALLoadObjectMethod", TL_PROC(loadObjectMethod)},
      {kLegacyDrawRect, TL_PROC((fourCoordinates<kLegacyDrawRect, XojoInteger>))},
      {kLegacyFillRect, TL_PROC((fourCoordinates<kLegacyFillRect, XojoInteger>))},
      {kLegacyDrawLine, TL_PROC((fourCoordinates<kLegacyDrawLine, XojoInteger>))},
      {kLegacyDrawPolygon, TL_PROC(pointArray<kLegacyDrawPolygon>)},
      {kLegacyFillPolygon, TL_PROC(pointArray<kLegacyFillPolygon>)},
  };
}

const std::vector<DrawCall>& Host::drawLog() const {
  return state_->drawLog;
}

void Host::clearDrawLog() {
  std::lock_guard lock(state_->mutex);
  state_->drawLog.clear();
}

} // namespace host

// The host's life, its resolver, its libraries and its accounting.
#include "host.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "state.h"

namespace host {

namespace {

std::atomic<Host*> gCurrent{nullptr};

// Classes the host itself provides; instances have no class data.
constexpr const char* kHostClasses[] = {
    "Graphics",        "WebGraphics",    "NilObjectException",
    "Xojo.Core.Point", "Xojo.Core.Size", "Xojo.Core.Rect",
};

REALproc hostEntry(std::string_view name) {
  static const std::map<std::string, REALproc, std::less<>> entries = [] {
    std::map<std::string, REALproc, std::less<>> all;
    for (auto family :
         {objectEntries, stringEntries, globalMethodEntries, arrayEntries, graphicsEntries})
      for (const Entry& e : family()) all.emplace(e.name, e.function);
    return all;
  }();
  auto it = entries.find(name);
  return it == entries.end() ? nullptr : it->second;
}

Declaration parsedOrThrow(const std::string& declaration) {
  std::string error;
  std::optional<Declaration> d = parseDeclaration(declaration, &error);
  if (!d) throw std::invalid_argument("\"" + declaration + "\": " + error);
  return *d;
}

} // namespace

Host* currentHost() {
  return gCurrent.load();
}

Host::State& currentState() {
  return Host::current().internals();
}

Host::Host(Options options) : state_(std::make_unique<State>()) {
  Host* none = nullptr;
  [[maybe_unused]] bool first = gCurrent.compare_exchange_strong(none, this);
  assert(first && "one Host at a time");
  state_->version = options.version;
  for (const char* name : kHostClasses) {
    ClassInfo& c = state_->classes.emplace_back();
    c.name = name;
    c.dataOffset = kHeaderSize;
  }
}

Host::~Host() {
  State& s = *state_;
  std::vector<REALobjectStruct*> pending;
  {
    std::lock_guard lock(s.mutex);
    s.tearingDown = true;
    for (auto& [thread, p] : s.exceptions)
      if (p.object) pending.push_back(std::exchange(p.object, nullptr));
  }
  for (REALobjectStruct* e : pending) releaseReference(e, "~Host");

  // Objects still alive are destroyed newest first, their class destructors run, while every
  // library is still loaded.
  std::vector<ObjectRecord*> alive;
  {
    std::lock_guard lock(s.mutex);
    for (auto& [handle, r] : s.objects)
      if (r->alive && r->references > 0) alive.push_back(r.get());
  }
  std::ranges::sort(alive, std::greater<>(), &ObjectRecord::serial);
  for (ObjectRecord* r : alive) {
    void (*destructor)(REALobjectStruct*) = nullptr;
    {
      std::lock_guard lock(s.mutex);
      if (!r->alive || r->references == 0) continue; // released by an earlier destructor
      r->references = 0;
      if (r->cls && r->cls->record) destructor = r->cls->record->destructor;
    }
    if (destructor) destructor(r->handle());
    std::lock_guard lock(s.mutex);
    r->alive = false;
  }

  for (auto l = s.libraries.rbegin(); l != s.libraries.rend(); ++l) dlclose(l->handle);
  gCurrent.store(nullptr);
}

Host& Host::current() {
  Host* h = gCurrent.load();
  assert(h && "no Host");
  return *h;
}

Host::State& Host::internals() const {
  return *state_;
}

// --- the resolver -------------------------------------------------------------------------

void Host::setVersion(std::optional<double> version) {
  std::lock_guard lock(state_->mutex);
  state_->version = version;
}

void Host::removeEntry(const std::string& name) {
  std::lock_guard lock(state_->mutex);
  state_->offeredEntries.erase(name);
  state_->removedEntries.insert(name);
}

void Host::offerEntry(const std::string& name, REALproc fn) {
  std::lock_guard lock(state_->mutex);
  state_->removedEntries.erase(name);
  state_->offeredEntries[name] = fn;
}

void Host::restoreEntry(const std::string& name) {
  std::lock_guard lock(state_->mutex);
  state_->removedEntries.erase(name);
  state_->offeredEntries.erase(name);
}

int Host::lookups(std::string_view name) const {
  std::lock_guard lock(state_->mutex);
  auto it = state_->lookupCounts.find(name);
  return it == state_->lookupCounts.end() ? 0 : it->second;
}

std::vector<std::string> Host::lookupLog() const {
  std::lock_guard lock(state_->mutex);
  return state_->lookupLog;
}

void Host::clearLookups() {
  std::lock_guard lock(state_->mutex);
  state_->lookupCounts.clear();
  state_->lookupLog.clear();
}

REALproc Host::resolve(const char* name) {
  Host* h = currentHost();
  if (!h || !name) return nullptr;
  State& s = *h->state_;
  std::lock_guard lock(s.mutex);
  ++s.lookupCounts[name];
  s.lookupLog.emplace_back(name);
  if (auto offered = s.offeredEntries.find(name); offered != s.offeredEntries.end())
    return offered->second;
  if (s.removedEntries.contains(name)) return nullptr;
  if (!s.version && std::string_view(name) == "REALGetRBVersion") return nullptr;
  return hostEntry(name);
}

void Host::removeGlobalMethod(const std::string& declaration) {
  Declaration d = parsedOrThrow(declaration);
  std::lock_guard lock(state_->mutex);
  state_->removedGlobalMethods.push_back(std::move(d));
}

void Host::removeObjectMethod(const std::string& className, const std::string& declaration) {
  Declaration d = parsedOrThrow(declaration);
  std::lock_guard lock(state_->mutex);
  state_->removedObjectMethods.emplace_back(className, std::move(d));
}

// --- libraries ----------------------------------------------------------------------------

void Host::load(std::string_view deliverable) {
  loadFrom(pluginPath(deliverable), deliverable);
}

void Host::loadFrom(const std::string& path, std::string_view name) {
  State& s = *state_;
  {
    std::lock_guard lock(s.mutex);
    for (const Library& l : s.libraries)
      if (l.name == name) throw std::runtime_error(std::string(name) + " is already loaded");
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw std::runtime_error("cannot load " + path + ": " + dlerror());
  auto pluginMain = reinterpret_cast<void (*)(REALresolver)>(dlsym(handle, "REALPluginMain"));
  if (!pluginMain) {
    dlclose(handle);
    throw std::runtime_error(path + " has no REALPluginMain");
  }
  {
    std::lock_guard lock(s.mutex);
    s.libraries.push_back({std::string(name), handle});
    s.loading = static_cast<int>(s.libraries.size()) - 1;
  }
  pluginMain(&Host::resolve);
  std::lock_guard lock(s.mutex);
  s.loading = -1;
}

void* Host::symbol(std::string_view deliverable, const char* name) const {
  std::lock_guard lock(state_->mutex);
  for (const Library& l : state_->libraries)
    if (l.name == deliverable) return dlsym(l.handle, name);
  return nullptr;
}

std::string Host::pluginPath(std::string_view deliverable) {
  const char* dir = std::getenv("TESSALINE_PLUGIN_DIR");
  return std::string(dir ? dir : TESSALINE_PLUGIN_DIR) + "/" + std::string(deliverable) + ".so";
}

int Host::announcedVersion(std::string_view deliverable) const {
  std::lock_guard lock(state_->mutex);
  for (const Library& l : state_->libraries)
    if (l.name == deliverable) return l.announcedVersion;
  return 0;
}

// --- classes ------------------------------------------------------------------------------

const ClassInfo* Host::findClass(std::string_view name) const {
  std::lock_guard lock(state_->mutex);
  return state_->classNamed(name);
}

std::vector<const ClassInfo*> Host::registrationOrder() const {
  std::lock_guard lock(state_->mutex);
  std::vector<const ClassInfo*> order;
  for (const ClassInfo& c : state_->classes)
    if (c.record) order.push_back(&c);
  return order;
}

// --- accounting ---------------------------------------------------------------------------

size_t Host::liveObjects() const {
  std::lock_guard lock(state_->mutex);
  return std::ranges::count_if(state_->objects, [](const auto& o) { return o.second->alive; });
}

size_t Host::liveStrings() const {
  std::lock_guard lock(state_->mutex);
  return std::ranges::count_if(state_->strings, [](const auto& s) { return s.second->alive; });
}

std::vector<std::string> Host::violations() const {
  std::lock_guard lock(state_->mutex);
  return state_->violations;
}

} // namespace host

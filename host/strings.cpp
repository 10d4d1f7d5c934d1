// Host strings: reference-counted byte strings, and the entries that make and release them.
#include "state.h"

namespace host {

namespace {

REALstringStruct* buildString(const char* bytes, int byteCount) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (byteCount < 0 || (!bytes && byteCount > 0)) {
    s.violation("REALBuildString: " + std::to_string(byteCount) + " bytes at " +
                (bytes ? "an address" : "null"));
    return nullptr;
  }
  return s.newString(std::string(bytes ? bytes : "", static_cast<size_t>(byteCount)));
}

// A null string is the empty string.
REALstringStruct* addString(REALstringStruct* a, REALstringStruct* b) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  std::string joined;
  for (REALstringStruct* part : {a, b}) {
    if (!part) continue;
    StringRecord* r = s.liveString(part, "RuntimeAddString");
    if (!r) return nullptr;
    joined += r->bytes;
  }
  return s.newString(std::move(joined));
}

void lockString(REALstringStruct* string) {
  Host::State& s = currentState();
  std::lock_guard lock(s.mutex);
  if (StringRecord* r = s.liveString(string, "REALLockString")) ++r->references;
}

void unlockString(REALstringStruct* string) {
  Host::current().unlockString(string);
}

} // namespace

std::vector<Entry> stringEntries() {
  return {
      {"REALBuildString", TL_PROC(buildString)},
      {"RuntimeAddString", TL_PROC(addString)},
      {"REALLockString", TL_PROC(lockString)},
      {"REALUnlockString", TL_PROC(unlockString)},
  };
}

StringRecord* Host::State::liveString(const REALstringStruct* string, std::string_view user) {
  const std::string who(user);
  if (!string) {
    violation(who + ": a null string");
    return nullptr;
  }
  auto it = strings.find(string);
  if (it == strings.end()) {
    violation(who + ": not a string of the host");
    return nullptr;
  }
  if (!it->second->alive) {
    violation(who + ": a dead string");
    return nullptr;
  }
  return it->second.get();
}

// Like objects, dead strings keep their record, so that a stale handle is recognised.
REALstringStruct* Host::State::newString(std::string bytes) {
  auto r = std::make_unique<StringRecord>();
  r->bytes = std::move(bytes);
  auto* handle = reinterpret_cast<REALstringStruct*>(r.get());
  strings.emplace(handle, std::move(r));
  return handle;
}

REALstringStruct* Host::newString(std::string_view bytes) {
  std::lock_guard lock(state_->mutex);
  return state_->newString(std::string(bytes));
}

std::string Host::text(REALstringStruct* s) {
  State& state = currentState();
  std::lock_guard lock(state.mutex);
  StringRecord* r = state.liveString(s, "Host::text");
  return r ? r->bytes : std::string();
}

void Host::unlockString(REALstringStruct* s) {
  std::lock_guard lock(state_->mutex);
  StringRecord* r = state_->liveString(s, "REALUnlockString");
  if (!r || --r->references > 0) return;
  r->alive = false;
  r->bytes = std::string();
}

} // namespace host

// The host's own tables, shared by its implementation files: objects, strings, classes,
// libraries and what it recorded. Every member is guarded by `mutex`; code that calls into a
// plug-in (a class constructor or destructor, a method) never holds it.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "host.h"
#include "names.h"

namespace host {

// Every instance starts with a header of the host's, followed by the class data.
constexpr XojoInteger kHeaderSize = 48;

// Element type codes of host arrays.
enum : int32_t { kDoubleElements = 2, kIntegerElements = 11 };

// An instance of a plug-in class, a host object (Graphics, Xojo.Core.Point, ...) or an array.
struct ObjectRecord {
  const ClassInfo* cls = nullptr; // null for arrays
  uint64_t serial = 0;            // creation order
  int references = 1;
  bool alive = true; // until the destructor has run; references 0 while it runs
  // Header and class data, zero-filled; the object's handle is the block's address. The block
  // stays allocated after death so that no later object can take the address of a dead one.
  std::unique_ptr<std::max_align_t[]> block;
  int32_t elementType = 0;                         // arrays
  std::vector<Value> elements;                     // arrays: Nothing until set
  std::map<std::string, double, NameLess> doubles; // named Double properties of host objects

  bool isArray() const { return cls == nullptr; }
  REALobjectStruct* handle() const { return reinterpret_cast<REALobjectStruct*>(block.get()); }
  std::string className() const;
};

struct StringRecord {
  int references = 1;
  bool alive = true;
  std::string bytes;
};

struct PendingException {
  REALobjectStruct* object = nullptr; // the host's own reference
  std::string lastClass;              // of the exception the last call raised
};

struct Library {
  std::string name;
  void* handle = nullptr;
  int announcedVersion = 0;
};

struct Host::State {
  mutable std::mutex mutex;

  std::optional<double> version;
  std::map<std::string, int, std::less<>> lookupCounts;
  std::vector<std::string> lookupLog;
  std::set<std::string, std::less<>> removedEntries;
  std::map<std::string, REALproc, std::less<>> offeredEntries;
  std::vector<Declaration> removedGlobalMethods;
  std::vector<std::pair<std::string, Declaration>> removedObjectMethods; // class, method

  std::vector<Library> libraries;
  int loading = -1; // index of the library whose REALPluginMain is running

  std::deque<ClassInfo> classes; // host classes, then plug-in classes in registration order

  std::unordered_map<const void*, std::unique_ptr<ObjectRecord>> objects;
  uint64_t nextSerial = 0;
  std::unordered_map<const void*, std::unique_ptr<StringRecord>> strings;
  std::map<std::thread::id, PendingException> exceptions;
  bool tearingDown = false;

  std::vector<DrawCall> drawLog;
  std::vector<std::string> violations;

  // --- with `mutex` held ------------------------------------------------------------------
  void violation(std::string what) { violations.push_back(std::move(what)); }

  const ClassInfo* classNamed(std::string_view name) const;
  // The class behind a class reference the host handed out, or null.
  const ClassInfo* classOfRef(const REALclassRefStruct* ref) const;

  // A new object of `cls` (null: an array) with one reference; the caller runs the class
  // constructor, if any.
  ObjectRecord& newObject(const ClassInfo* cls, XojoInteger dataSize);
  // The record of a live object; otherwise records a violation by `user` and gives null. An
  // object whose destructor is running still counts as live.
  ObjectRecord* liveObject(const void* handle, std::string_view user);

  StringRecord* liveString(const REALstringStruct* s, std::string_view user);
  REALstringStruct* newString(std::string bytes);
};

// The current host's tables.
Host::State& currentState();
// The current host, or null between hosts.
Host* currentHost();

// --- object lifetime, locking the tables itself ---------------------------------------------
// A new instance of `cls` with one reference, its class constructor run.
REALobjectStruct* instantiate(const ClassInfo& cls);
// Gives back one reference; at zero runs the class destructor and the object is dead.
void releaseReference(REALobjectStruct* object, std::string_view user);

// --- the entries the resolver hands out, by family ------------------------------------------
struct Entry {
  const char* name;
  REALproc function;
};
std::vector<Entry> objectEntries();
std::vector<Entry> stringEntries();
std::vector<Entry> globalMethodEntries();
std::vector<Entry> arrayEntries();
std::vector<Entry> graphicsEntries();

} // namespace host

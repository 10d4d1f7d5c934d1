// Class definition, property and method records: the byte format in which a plug-in describes
// a class to the host. Every field but two is one machine word, so the records take the 32-bit
// form on a 32-bit target and the 64-bit form otherwise; `version` and `flags` are 32-bit and,
// in the 64-bit form, followed by four zero bytes of alignment padding.
#pragma once

#include "plugin_types.h"

// Class flags and member flags.
enum : uint32_t {
  kClassConsoleSafe = 0x04, // set by SetClassConsoleSafe on every class of these plug-ins
  kClassBit8 = 0x08,        // cleared by SetClassWebOnly
  kClassWebOnly = 0x100,    // set by SetClassWebOnly
};
enum : XojoInteger {
  kMemberConsoleSafe = 0x04, // every property and method record
  kMemberWebOnly = 0x100,    // alone, on the methods that take a WebGraphics
};

// The plug-in interface version, announced at start-up and held in every class definition.
constexpr uint32_t kPluginInterfaceVersion = 13;

// A property served by the host itself from the class data, without plug-in code.
#define TL_DIRECT_ACCESS reinterpret_cast<REALproc>(static_cast<intptr_t>(-1))

struct REALproperty {
  void* reserved0;
  const char* name;
  const char* type;
  XojoInteger flags;
  REALproc getter; // TL_DIRECT_ACCESS or (instance, param) -> value
  REALproc setter; // TL_DIRECT_ACCESS, (instance, param, value), or null when read-only
  XojoInteger param;
  void* reserved7[5];
};

struct REALmethodDefinition {
  REALproc function;
  REALproc setterFunction; // (instance, arguments..., value) for an assignable method
  const char* declaration;
  XojoInteger flags;
  void* reserved4[2];
};

struct REALclassDefinition {
  uint32_t version;
  const char* name;
  void* reserved2;
  XojoInteger dataSize;
  XojoInteger dataOffset; // written by the host at registration
  void (*constructor)(REALobjectStruct*);
  void (*destructor)(REALobjectStruct*);
  REALproperty* properties;
  XojoInteger propertyCount;
  REALmethodDefinition* methods;
  XojoInteger methodCount;
  void* reserved11[9];
  uint32_t flags;
  void* reserved21[8];
};

namespace records {
constexpr bool kWide = sizeof(void*) == 8;
constexpr size_t word(size_t n) {
  return n * sizeof(void*);
}
} // namespace records

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "32-bit or 64-bit records only");
static_assert(sizeof(XojoInteger) == sizeof(void*));

static_assert(sizeof(REALclassDefinition) == (records::kWide ? 232 : 116));
static_assert(offsetof(REALclassDefinition, version) == 0);
static_assert(offsetof(REALclassDefinition, name) == records::word(1));
static_assert(offsetof(REALclassDefinition, dataSize) == records::word(3));
static_assert(offsetof(REALclassDefinition, dataOffset) == records::word(4));
static_assert(offsetof(REALclassDefinition, constructor) == records::word(5));
static_assert(offsetof(REALclassDefinition, destructor) == records::word(6));
static_assert(offsetof(REALclassDefinition, properties) == records::word(7));
static_assert(offsetof(REALclassDefinition, propertyCount) == records::word(8));
static_assert(offsetof(REALclassDefinition, methods) == records::word(9));
static_assert(offsetof(REALclassDefinition, methodCount) == records::word(10));
static_assert(offsetof(REALclassDefinition, flags) == (records::kWide ? 160 : 80));
static_assert(offsetof(REALclassDefinition, reserved21) == records::word(21));

static_assert(sizeof(REALproperty) == (records::kWide ? 96 : 48));
static_assert(offsetof(REALproperty, name) == records::word(1));
static_assert(offsetof(REALproperty, type) == records::word(2));
static_assert(offsetof(REALproperty, flags) == records::word(3));
static_assert(offsetof(REALproperty, getter) == records::word(4));
static_assert(offsetof(REALproperty, setter) == records::word(5));
static_assert(offsetof(REALproperty, param) == records::word(6));

static_assert(sizeof(REALmethodDefinition) == (records::kWide ? 48 : 24));
static_assert(offsetof(REALmethodDefinition, function) == 0);
static_assert(offsetof(REALmethodDefinition, setterFunction) == records::word(1));
static_assert(offsetof(REALmethodDefinition, declaration) == records::word(2));
static_assert(offsetof(REALmethodDefinition, flags) == records::word(3));

// Record initialisers for the class tables.
#define TL_PROC(fn) reinterpret_cast<REALproc>(fn)
#define TL_DIRECT_PROPERTY(name, type, offset)                                                     \
  REALproperty {                                                                                   \
    nullptr, name, type, kMemberConsoleSafe, TL_DIRECT_ACCESS, TL_DIRECT_ACCESS, offset, {}        \
  }
#define TL_READONLY_DIRECT_PROPERTY(name, type, offset)                                            \
  REALproperty {                                                                                   \
    nullptr, name, type, kMemberConsoleSafe, TL_DIRECT_ACCESS, nullptr, offset, {}                 \
  }
#define TL_COMPUTED_PROPERTY(name, type, getter, setter)                                           \
  REALproperty {                                                                                   \
    nullptr, name, type, kMemberConsoleSafe, TL_PROC(getter), TL_PROC(setter), 0, {}               \
  }
#define TL_READONLY_PROPERTY(name, type, getter)                                                   \
  REALproperty {                                                                                   \
    nullptr, name, type, kMemberConsoleSafe, TL_PROC(getter), nullptr, 0, {}                       \
  }
#define TL_METHOD(fn, declaration)                                                                 \
  REALmethodDefinition {                                                                           \
    TL_PROC(fn), nullptr, declaration, kMemberConsoleSafe, {}                                      \
  }
#define TL_WEB_METHOD(fn, declaration)                                                             \
  REALmethodDefinition {                                                                           \
    TL_PROC(fn), nullptr, declaration, kMemberWebOnly, {}                                          \
  }
#define TL_ASSIGNABLE_METHOD(fn, setter, declaration)                                              \
  REALmethodDefinition {                                                                           \
    TL_PROC(fn), TL_PROC(setter), declaration, kMemberConsoleSafe, {}                              \
  }
#define TL_CLASS(className, dataType, ctor, dtor, propertyTable, methodTable)                      \
  REALclassDefinition {                                                                            \
    kPluginInterfaceVersion, className, nullptr, sizeof(dataType), 0, ctor, dtor, propertyTable,   \
        sizeof(propertyTable) / sizeof(propertyTable[0]), methodTable,                             \
        sizeof(methodTable) / sizeof(methodTable[0]), {}, 0, {}                                    \
  }

// The edge cases of the wrapper variants, in the Apple and the Linux flavour: truth values and
// low bytes, signed-byte arguments, the event record, strings measured through LenB, the Boolean
// getter's temporary, the 32-bit temporaries of the Linux long forms, element access, the
// version switch of text and line drawing, and computed control data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/deliverables.h"
#include "support/plugin_test.h"

using namespace testing_support;

namespace {

// What the recording entries below received, one row per call, each argument as a 64-bit image.
std::vector<std::vector<int64_t>> calls;

template <class T> int64_t arg(T value) {
  if constexpr (std::is_pointer_v<T>)
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(value));
  else
    return static_cast<int64_t>(value);
}
template <class... T> void record(T... values) {
  calls.push_back({arg(values)...});
}

template <class P> REALproc entry(P fn) {
  return reinterpret_cast<REALproc>(fn);
}

auto* const kObject = reinterpret_cast<REALobjectStruct*>(0x1000);
auto* const kString = reinterpret_cast<REALstringStruct*>(0x2000);
auto* const kArray = reinterpret_cast<REALarrayStruct*>(0x3000);
const char* const kBytes = "bytes";

class Variants : public PluginTest, public ::testing::WithParamInterface<Deliverable> {
protected:
  void SetUp() override { calls.clear(); }

  // A host of `version` without the given entries, with the deliverable loaded.
  host::Host& startWithout(std::initializer_list<const char*> removed,
                           std::optional<double> version = 2019.0) {
    host::Options options;
    options.version = version;
    host::Host& h = start({}, options);
    for (const char* name : removed) h.removeEntry(name);
    h.load(GetParam().name);
    h.clearLookups();
    return h;
  }
  template <class Fn> Fn wrapper(const char* symbol) {
    void* address = host().symbol(GetParam().name, symbol);
    EXPECT_NE(address, nullptr) << symbol;
    return reinterpret_cast<Fn>(address);
  }
  bool apple() const { return GetParam().appleFlavour(); }
  bool mac() const { return GetParam().profile == kMacos; }
  bool linuxFlavour() const { return !apple(); }
};

// The same fixture for the suites that concern one flavour or one profile only.
class AppleVariants : public Variants {};
class LinuxVariants : public Variants {};

// ---- truth values and bytes ------------------------------------------------------------------

int32_t answer32;
int32_t answerInt32(REALobjectStruct*) {
  return answer32;
}
int32_t answerInt32Of2(REALobjectStruct*, REALclassRefStruct*) {
  return answer32;
}

TEST_P(Variants, TruthValuesAndLowBytes) {
  struct Case {
    const char* wrapper;
    const char* entry;
    int32_t answer;
    int64_t appleResult, linuxResult;
    bool linuxPassesOn; // the Linux flavour returns the host's 32-bit answer as it is
  } cases[] = {
      {"REALGetControlFocus", "REALGetControlFocus", 0x100, 0, 0, false},
      {"REALGetControlFocus", "REALGetControlFocus", 0x1FF, 0xFF, 0xFF, false},
      {"REALGetTabPanelVisible", "GetTabPanelVisible", 0x102, 2, 2, false},
      {"REALGetControlEnabled", "REALGetControlEnabled", 0x1FF, 0xFF, 0x1FF, true},
      {"REALGetControlVisible", "GetControlVisible", 0x100, 1, 0x100, true},
      {"REALGetControlVisible", "GetControlVisible", -2, 1, -2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.wrapper) + " answered " + std::to_string(c.answer));
    host::Host& h = startWithout({});
    h.offerEntry(c.entry, entry(&answerInt32));
    answer32 = c.answer;
    int64_t got = !apple() && c.linuxPassesOn
                      ? wrapper<int32_t (*)(REALobjectStruct*)>(c.wrapper)(kObject)
                      : wrapper<unsigned char (*)(REALobjectStruct*)>(c.wrapper)(kObject);
    EXPECT_EQ(got, apple() ? c.appleResult : c.linuxResult);
  }

  host::Host& h = startWithout({});
  h.offerEntry("RuntimeObjectIsa", entry(&answerInt32Of2));
  answer32 = 0x100;
  auto isA = wrapper<int32_t (*)(REALobjectStruct*, REALclassRefStruct*)>("REALObjectIsA");
  auto isABool = wrapper<bool (*)(REALobjectStruct*, REALclassRefStruct*)>("REALObjectIsA");
  if (apple())
    EXPECT_EQ(isABool(kObject, nullptr), true);
  else
    EXPECT_EQ(isA(kObject, nullptr), 0x100);
}

XojoInteger answerWord;
XojoInteger answerWordGetter(REALobjectStruct*, const char*, void*) {
  return answerWord;
}

// The Apple flavour tests some getters' answers over the whole word and others over the low 32
// bits: an answer of 0x100000000 is true for the String getter and false for the Int64 getter.
TEST_P(AppleVariants, WholeWordOrLow32BitsOfAGettersAnswer) {
  host::Host& h = startWithout({});
  h.offerEntry("REALGetPropValueString", entry(&answerWordGetter));
  h.offerEntry("REALGetPropValueInt64", entry(&answerWordGetter));
  h.offerEntry("REALSetPropValueString", entry(&answerWordGetter));
  answerWord = static_cast<XojoInteger>(0x100000000ll);
  using Getter = bool (*)(REALobjectStruct*, const char*, void*);
  EXPECT_TRUE(wrapper<Getter>("REALGetPropValueString")(kObject, "p", nullptr));
  EXPECT_FALSE(wrapper<Getter>("REALGetPropValueInt64")(kObject, "p", nullptr));
  EXPECT_FALSE(wrapper<Getter>("REALSetPropValueString")(kObject, "p", nullptr))
      << "setters test the low 32 bits";
  // The overloaded form of the String getter is that getter.
  auto overload = wrapper<Getter>("_Z16REALGetPropValueP16REALobjectStructPKcPP16REALstringStruct");
  EXPECT_TRUE(overload(kObject, "p", nullptr));
}

void recordSignedByte(REALobjectStruct* o, signed char flag) {
  record(o, flag);
}
void recordSignedByteMiddle(REALobjectStruct* o, XojoInteger part, signed char flag) {
  record(o, part, flag);
}
REALobjectStruct* recordPictureMask(REALobjectStruct* o, signed char flag) {
  record(o, flag);
  return o;
}

// Only the low 8 bits of these flags reach the host, sign-extended.
TEST_P(Variants, SignedByteArguments) {
  host::Host& h = startWithout({});
  h.offerEntry("REALSetControlFocus", entry(&recordSignedByte));
  h.offerEntry("controlEnabledSetter", entry(&recordSignedByteMiddle));
  auto setFocus = wrapper<void (*)(REALobjectStruct*, int)>("REALSetControlFocus");
  auto setEnabled = wrapper<void (*)(REALobjectStruct*, XojoInteger, int)>("REALSetControlEnabled");
  setFocus(kObject, 0x101);
  setFocus(kObject, 0x180);
  setEnabled(kObject, 7, 0x1FF);
  std::vector<std::vector<int64_t>> expected = {
      {arg(kObject), 1}, {arg(kObject), -128}, {arg(kObject), 7, -1}};
  if (linuxFlavour() || mac()) {
    h.offerEntry("REALGetPictureMask", entry(&recordPictureMask));
    EXPECT_EQ(wrapper<REALobjectStruct* (*)(REALobjectStruct*, int)>("REALGetPictureMask")(kObject,
                                                                                           0x2FE),
              kObject);
    expected.push_back({arg(kObject), -2});
  }
  EXPECT_EQ(calls, expected);
}

// ---- events ----------------------------------------------------------------------------------

REALproc recordEventInstance(REALobjectStruct* control, void* eventHandle) {
  record(control, eventHandle);
  return entry(&recordEventInstance);
}

// The host gets the event record's second word, never the record; without the host's entry the
// record is not read.
TEST_P(Variants, EventInstanceReadsTheRecordsSecondWord) {
  host::Host& h = startWithout({"GetEventInstance"});
  auto getEventInstance =
      wrapper<REALproc (*)(REALobjectStruct*, REALevent*)>("REALGetEventInstance");
  EXPECT_EQ(getEventInstance(kObject, nullptr), nullptr);
  EXPECT_EQ(getEventInstance(kObject, nullptr), nullptr);
  EXPECT_EQ(h.lookups("GetEventInstance"), 2);

  void* record[3] = {reinterpret_cast<void*>(0x11), reinterpret_cast<void*>(0x22),
                     reinterpret_cast<void*>(0x33)};
  h.offerEntry("GetEventInstance", entry(&recordEventInstance));
  auto* event = reinterpret_cast<REALevent*>(record);
  EXPECT_EQ(getEventInstance(kObject, event), entry(&recordEventInstance));
  EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kObject), 0x22}}));
}

// ---- strings ---------------------------------------------------------------------------------

std::vector<std::string> loaded;
int lenBCalls = 0;
XojoInteger lenB(REALstringStruct* s) {
  ++lenBCalls;
  return s == kString ? 5 : -1;
}
REALproc loadGlobalMethod(void* first, const char* declaration) {
  loaded.push_back(first ? "not null" : declaration);
  return std::string(declaration) == "LenB( s as string ) as integer" ? entry(&lenB) : nullptr;
}
const char* cString(REALstringStruct* s) {
  return s == kString ? kBytes : nullptr;
}

class Strings : public Variants {
protected:
  void SetUp() override {
    Variants::SetUp();
    loaded.clear();
    lenBCalls = 0;
  }
  host::Host& startWithStringEntries() {
    host::Host& h = startWithout({});
    h.offerEntry("REALLoadGlobalMethod", entry(&loadGlobalMethod));
    h.offerEntry("StringGetCString", entry(&cString));
    return h;
  }
  const char* contents(REALstringStruct* s, XojoInteger* length) {
    return wrapper<const char* (*)(REALstringStruct*, XojoInteger*)>("REALGetStringContents")(
        s, length);
  }
  XojoInteger length(REALstringStruct* s) {
    return wrapper<XojoInteger (*)(REALstringStruct*)>("REALStringLength")(s);
  }
};

TEST_P(Strings, ContentsOfANullStringAskNothing) {
  host::Host& h = startWithStringEntries();
  XojoInteger n = 99;
  EXPECT_EQ(contents(nullptr, &n), nullptr);
  EXPECT_EQ(n, 99);
  EXPECT_TRUE(h.lookupLog().empty());
}

TEST_P(Strings, ContentsAndLength) {
  host::Host& h = startWithStringEntries();
  XojoInteger n = 0;
  EXPECT_EQ(contents(kString, &n), kBytes);
  EXPECT_EQ(n, 5);
  // Without a length pointer both entries are bound, but LenB is not called.
  lenBCalls = 0;
  EXPECT_EQ(contents(kString, nullptr), kBytes);
  EXPECT_EQ(lenBCalls, 0);
  EXPECT_EQ(h.lookups("StringGetCString"), 1);
}

TEST_P(Strings, WithoutALengthPointerLenBIsLookedUpButNotCalled) {
  host::Host& h = startWithStringEntries();
  EXPECT_EQ(contents(kString, nullptr), kBytes);
  EXPECT_EQ(h.lookups("StringGetCString"), 1);
  EXPECT_EQ(h.lookups("REALLoadGlobalMethod"), 1);
  EXPECT_EQ(loaded, std::vector<std::string>{"LenB( s as string ) as integer"});
  EXPECT_EQ(lenBCalls, 0);
}

// REALGetStringContents and REALStringLength each look LenB up once for themselves; the host's
// loader is bound once for them and REALLoadFrameworkMethod, and always called with null first.
TEST_P(Strings, EachKeepsItsOwnLenBThroughOneLoader) {
  host::Host& h = startWithStringEntries();
  XojoInteger n = 0;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(contents(kString, &n), kBytes);
    EXPECT_EQ(length(kString), 5);
  }
  wrapper<REALproc (*)(const char*)>("REALLoadFrameworkMethod")("Str(number as Double) as String");
  EXPECT_EQ(h.lookups("REALLoadGlobalMethod"), 1);
  EXPECT_EQ(loaded, (std::vector<std::string>{"LenB( s as string ) as integer",
                                              "LenB( s as string ) as integer",
                                              "Str(number as Double) as String"}));
  EXPECT_EQ(lenBCalls, 4);
}

TEST_P(Strings, WithoutTheLoaderTheLengthIsUnknown) {
  host::Host& h = startWithStringEntries();
  h.removeEntry("REALLoadGlobalMethod");
  XojoInteger n = 99;
  EXPECT_EQ(length(kString), 0);
  EXPECT_EQ(contents(kString, &n), kBytes);
  EXPECT_EQ(n, 99);
  EXPECT_EQ(h.lookups("REALLoadGlobalMethod"), 2) << "asked again on every call";
}

TEST_P(Strings, WithoutCStringTheLengthIsStillStored) {
  host::Host& h = startWithStringEntries();
  h.removeEntry("StringGetCString");
  XojoInteger n = 0;
  EXPECT_EQ(contents(kString, &n), nullptr);
  EXPECT_EQ(n, 5);
}

// With the stand-in host's own LenB (and no "StringGetCString"): the bytes are unknown, the
// length is the string's size in bytes.
TEST_P(Strings, LengthThroughTheHostsLenB) {
  host::Host& h = startWithout({});
  REALstringStruct* s = h.newString("h\xC3\xA9llo");
  XojoInteger n = 0;
  EXPECT_EQ(length(s), 6);
  EXPECT_EQ(contents(s, &n), nullptr);
  EXPECT_EQ(n, 6);
  h.unlockString(s);
}

CFStringRef recordCFString(REALstringStruct* s, signed char flag) {
  record(s, flag);
  return reinterpret_cast<CFStringRef>(0xCF);
}
void* recordSystemStr(REALstringStruct* s, signed char flag, void* third) {
  record(s, flag, third);
  return third;
}

class MacStrings : public Strings {};

TEST_P(MacStrings, CoreFoundationStringsOnMacOS) {
  host::Host& h = startWithout({});
  h.offerEntry("REALGetStringCFString", entry(&recordCFString));
  h.offerEntry("REALGetStringSystemStr", entry(&recordSystemStr));
  auto get = wrapper<CFStringRef (*)(REALstringStruct*, int)>("REALGetStringCFString");
  auto copy = wrapper<CFStringRef (*)(REALstringStruct*)>("REALCopyStringCFString");
  auto systemStr = wrapper<void* (*)(REALstringStruct*, int, void*)>("REALGetStringSystemStr");
  EXPECT_EQ(get(kString, 0x101), reinterpret_cast<CFStringRef>(0xCF));
  EXPECT_EQ(copy(kString), reinterpret_cast<CFStringRef>(0xCF));
  EXPECT_EQ(systemStr(kString, 0x1FF, kArray), kArray);
  EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{
                       {arg(kString), 1}, {arg(kString), 0}, {arg(kString), -1, arg(kArray)}}));
  EXPECT_EQ(h.lookups("REALGetStringCFString"), 2) << "the copying form keeps a cache of its own";
}

// ---- properties ------------------------------------------------------------------------------

struct BoolGetter {
  bool write;
  RBBoolean value;
  int32_t answer;
};
BoolGetter boolGetter;
RBBoolean* boolGetterSaw;
RBBoolean boolGetterFound;
int32_t getBool(REALobjectStruct*, const char*, RBBoolean* out) {
  boolGetterSaw = out;
  boolGetterFound = out ? *out : 0xEE;
  if (boolGetter.write && out) *out = boolGetter.value;
  return boolGetter.answer;
}

// The Apple flavour hands the host a one-byte temporary that starts at the caller's value (0
// without an out pointer) and copies it out after every call; the Linux flavour hands the host
// the caller's pointer.
TEST_P(Variants, BooleanGetterThroughATemporary) {
  struct Case {
    BoolGetter host;
    RBBoolean before, after;
    int32_t result; // Apple flavour
  } cases[] = {
      {{true, 1, 1}, 0, 1, 1},
      {{false, 0, 0}, 1, 1, 0}, // refused without writing: the value stays
      {{true, 0, 0}, 1, 0, 0},
      {{true, 1, 0x100}, 0, 1, 1},
  };
  host::Host& h = startWithout({});
  h.offerEntry("REALGetPropValueBool", entry(&getBool));
  auto get =
      wrapper<int32_t (*)(REALobjectStruct*, const char*, RBBoolean*)>("REALGetPropValueBoolean");
  for (const Case& c : cases) {
    boolGetter = c.host;
    RBBoolean out = c.before;
    int32_t result = apple() ? wrapper<bool (*)(REALobjectStruct*, const char*, RBBoolean*)>(
                                   "REALGetPropValueBoolean")(kObject, "b", &out)
                             : get(kObject, "b", &out);
    EXPECT_EQ(out, c.after);
    EXPECT_EQ(result, apple() ? c.result : c.host.answer);
    EXPECT_EQ(boolGetterSaw == &out, !apple());
    EXPECT_EQ(boolGetterFound, c.before);
  }
  if (apple()) {
    boolGetter = {true, 1, 1};
    EXPECT_TRUE(wrapper<bool (*)(REALobjectStruct*, const char*, RBBoolean*)>(
        "REALGetPropValueBoolean")(kObject, "b", nullptr));
    EXPECT_NE(boolGetterSaw, nullptr);
    EXPECT_EQ(boolGetterFound, 0) << "the temporary starts at 0";
  }
}

struct IntGetter {
  bool write;
  int32_t value;
  XojoInteger answer;
};
IntGetter intGetter;
XojoInteger getInt(REALobjectStruct*, const char*, int32_t* out) {
  if (intGetter.write) *out = intGetter.value;
  return intGetter.answer;
}
int32_t getUInt32(REALobjectStruct*, const char*, uint32_t* out) {
  if (intGetter.write) *out = static_cast<uint32_t>(intGetter.value);
  return static_cast<int32_t>(intGetter.answer);
}

// The Linux forms for long and unsigned long read through a 32-bit temporary and copy it out
// only when the low byte of the answer is set.
TEST_P(LinuxVariants, LinuxLongGettersReadThroughA32BitTemporary) {
  host::Host& h = startWithout({});
  h.offerEntry("REALGetPropValueInt", entry(&getInt));
  h.offerEntry("REALGetPropValueUInt32", entry(&getUInt32));
  auto getLong = wrapper<unsigned char (*)(REALobjectStruct*, const char*, long*)>(
      "_Z16REALGetPropValueP16REALobjectStructPKcPl");
  auto getULong = wrapper<unsigned char (*)(REALobjectStruct*, const char*, unsigned long*)>(
      "_Z16REALGetPropValueP16REALobjectStructPKcPm");
  struct Case {
    IntGetter host;
    long signedAfter;
    unsigned long unsignedAfter;
    unsigned char result;
  } cases[] = {
      {{true, -5, 1}, -5, 0xFFFFFFFBul, 1},
      {{false, 0, 0}, 77, 77, 0},     // refused: untouched
      {{true, -5, 0x100}, 77, 77, 0}, // low byte clear: untouched
      {{true, 9, 0x2FF}, 9, 9, 0xFF}, // the low byte is the answer
  };
  for (const Case& c : cases) {
    intGetter = c.host;
    long s = 77;
    unsigned long u = 77;
    EXPECT_EQ(getLong(kObject, "i", &s), c.result);
    EXPECT_EQ(getULong(kObject, "i", &u), c.result);
    EXPECT_EQ(s, c.signedAfter);
    EXPECT_EQ(u, c.unsignedAfter);
  }
  intGetter = {true, 3, 1};
  EXPECT_EQ(getLong(kObject, "i", nullptr), 1) << "nothing is written through a null pointer";
}

XojoInteger answerOne(REALobjectStruct*, const char*, void*) {
  return 1;
}

// The Linux Color and Integer getters and setters fall back to the Int entries; the Apple
// flavour knows only their own names. (FallbackTest covers every row; this is the plain story.)
TEST_P(Variants, ColorPropertyThroughTheIntEntry) {
  host::Host& h = startWithout({"REALGetPropValueColor"});
  h.offerEntry("REALGetPropValueInt", entry(&answerOne));
  RBColor colour = 0;
  int32_t found = apple() ? wrapper<bool (*)(REALobjectStruct*, const char*, RBColor*)>(
                                "REALGetPropValueColor")(kObject, "c", &colour)
                          : wrapper<int32_t (*)(REALobjectStruct*, const char*, RBColor*)>(
                                "REALGetPropValueColor")(kObject, "c", &colour);
  EXPECT_EQ(found, apple() ? 0 : 1);
}

// ---- arrays ----------------------------------------------------------------------------------

void recordSetShort(REALarrayStruct* a, short value, XojoInteger index) {
  record(a, value, index);
}
void recordInsertShort(REALarrayStruct* a, XojoInteger index, short value) {
  record(a, index, value);
}
short recordGetShort(REALarrayStruct* a, XojoInteger index) {
  record(a, index);
  return 42;
}
REALproc setShortFor(REALarrayStruct* a) {
  record(a);
  return entry(&recordSetShort);
}
REALproc insertShortFor(REALarrayStruct* a) {
  record(a);
  return entry(&recordInsertShort);
}
REALproc getShortFor(REALarrayStruct* a) {
  record(a);
  return entry(&recordGetShort);
}
REALproc noElementFunction(REALarrayStruct* a) {
  record(a);
  return nullptr;
}

TEST_P(Variants, ElementSetterTakesTheValueBeforeTheIndex) {
  host::Host& h = startWithout({});
  h.offerEntry("PluginInt16ArraySetProc", entry(&setShortFor));
  h.offerEntry("PluginInt16ArrayInsertProc", entry(&insertShortFor));
  using Store = void (*)(REALarrayStruct*, XojoInteger, short);
  wrapper<Store>("REALSetArrayValueInt16")(kArray, 3, 7);
  wrapper<Store>("REALInsertArrayValueInt16")(kArray, 3, 7);
  EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{
                       {arg(kArray)}, {arg(kArray), 7, 3}, {arg(kArray)}, {arg(kArray), 3, 7}}));
}

TEST_P(Variants, ElementGetterWithoutOutPointerStillAsksForTheElementFunction) {
  host::Host& h = startWithout({});
  h.offerEntry("PluginInt16ArrayGetProc", entry(&getShortFor));
  auto get = wrapper<void (*)(REALarrayStruct*, XojoInteger, short*)>("REALGetArrayValueInt16");
  get(kArray, 3, nullptr);
  EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kArray)}}));
  short value = 0;
  get(kArray, 3, &value);
  EXPECT_EQ(value, 42);
}

TEST_P(Variants, NoElementFunctionForTheArray) {
  host::Host& h = startWithout({});
  for (const char* name : {"PluginInt16ArraySetProc", "PluginInt16ArrayGetProc"})
    h.offerEntry(name, entry(&noElementFunction));
  short value = 5;
  wrapper<void (*)(REALarrayStruct*, XojoInteger, short)>("REALSetArrayValueInt16")(kArray, 1, 2);
  wrapper<void (*)(REALarrayStruct*, XojoInteger, short*)>("REALGetArrayValueInt16")(kArray, 1,
                                                                                     &value);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(calls.size(), 2u);
}

void recordGenericSet(REALarrayStruct* a, int32_t value, XojoInteger index) {
  record(a, value, index);
}
REALproc genericSetFor(REALarrayStruct* a) {
  record(a);
  return entry(&recordGenericSet);
}

// Against a host that offers only the generic setter: the Linux flavour sets an Int32 element
// through it, but never a Currency element; the Apple flavour uses neither.
TEST_P(Variants, GenericElementSetterButNotForCurrency) {
  host::Host& h = startWithout({"PluginInt32ArraySetProc", "PluginCurrencyArraySetProc"});
  h.offerEntry("RuntimeArrayDirectGetSetProc", entry(&genericSetFor));
  wrapper<void (*)(REALarrayStruct*, XojoInteger, int32_t)>("REALSetArrayValueInt32")(kArray, 3, 7);
  wrapper<void (*)(REALarrayStruct*, XojoInteger, RBCurrency)>("REALSetArrayValueCurrency")(kArray,
                                                                                            3, 7);
  if (apple())
    EXPECT_TRUE(calls.empty());
  else
    EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kArray)}, {arg(kArray), 7, 3}}));
  EXPECT_EQ(h.lookups("RuntimeArrayDirectGetSetProc"), apple() ? 0 : 1);
}

// A getter stores exactly the element's width and nothing beyond it.
template <class V> V constantElement(REALarrayStruct*, XojoInteger) {
  if constexpr (std::is_pointer_v<V>)
    return reinterpret_cast<V>(static_cast<uintptr_t>(-1));
  else if constexpr (std::is_floating_point_v<V>)
    return static_cast<V>(-1.0);
  else
    return static_cast<V>(-1);
}
template <class V> REALproc constantElementFor(REALarrayStruct*) {
  return entry(&constantElement<V>);
}

TEST_P(Variants, ElementGettersStoreTheElementsWidth) {
  struct Case {
    const char* suffix;
    REALproc lookup;
    size_t width;
  } cases[] = {
      {"Boolean", entry(&constantElementFor<RBBoolean>), 1},
      {"Int8", entry(&constantElementFor<char>), 1},
      {"Int16", entry(&constantElementFor<short>), 2},
      {"Int32", entry(&constantElementFor<int>), 4},
      {"Color", entry(&constantElementFor<RBColor>), 4},
      {"Single", entry(&constantElementFor<float>), 4},
      {"Int64", entry(&constantElementFor<long long>), 8},
      {"Currency", entry(&constantElementFor<RBCurrency>), 8},
      {"Double", entry(&constantElementFor<double>), 8},
      {"Integer", entry(&constantElementFor<XojoInteger>), sizeof(void*)},
      {"Object", entry(&constantElementFor<REALobjectStruct*>), sizeof(void*)},
  };
  host::Host& h = startWithout({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.suffix);
    h.offerEntry(std::string("Plugin") + c.suffix + "ArrayGetProc", c.lookup);
    alignas(16) unsigned char buffer[16];
    std::memset(buffer, 0x5A, sizeof buffer);
    auto get = wrapper<void (*)(REALarrayStruct*, XojoInteger, void*)>(
        (std::string("REALGetArrayValue") + c.suffix).c_str());
    get(kArray, 0, buffer);
    size_t written = 0;
    while (written < sizeof buffer && buffer[written] != 0x5A) ++written;
    EXPECT_EQ(written, c.width);
  }
}

// ---- text and lines --------------------------------------------------------------------------

void recordLineIntegers(REALobjectStruct* g, XojoInteger x1, XojoInteger y1, XojoInteger x2,
                        XojoInteger y2) {
  record(g, x1, y1, x2, y2);
}
std::vector<double> lineDoubles;
void recordLineDoubles(REALobjectStruct*, double x1, double y1, double x2, double y2) {
  lineDoubles = {x1, y1, x2, y2};
}

class TextAndLines : public Variants {
protected:
  using DrawLine = void (*)(REALobjectStruct*, double, double, double, double);
  using LegacyDrawLine = void (*)(REALobjectStruct*, XojoInteger, XojoInteger, XojoInteger,
                                  XojoInteger);
  void SetUp() override {
    Variants::SetUp();
    lineDoubles.clear();
  }
};

// In the Apple flavour a host before 2018.02 gets the coordinates truncated toward zero; a
// newer host gets them as they are. The Linux flavour takes integers.
TEST_P(TextAndLines, DrawLineOnOldAndNewHosts) {
  for (double version : {2017.0, 2019.0}) {
    SCOPED_TRACE(version);
    calls.clear();
    host::Host& h = startWithout({}, version);
    bool current = apple() && version >= 2018.02;
    h.offerEntry("RuntimeGraphicsDrawLine",
                 current ? entry(&recordLineDoubles) : entry(&recordLineIntegers));
    if (apple()) {
      wrapper<DrawLine>("GraphicsDrawLine")(kObject, 1.9, -1.9, 3.0, 4.5);
      if (current)
        EXPECT_EQ(lineDoubles, (std::vector<double>{1.9, -1.9, 3.0, 4.5}));
      else
        EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kObject), 1, -1, 3, 4}}));
    } else {
      wrapper<LegacyDrawLine>("GraphicsDrawLine")(kObject, 1, -1, 3, 4);
      EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kObject), 1, -1, 3, 4}}));
    }
  }
}

// Coordinates that no integer holds: NaN gives 0, the others the nearest integer extreme.
// The Linux flavour takes integers and does not switch; these concern the Apple flavour only.
class AppleTextAndLines : public TextAndLines {};

TEST_P(AppleTextAndLines, LegacyCoordinatesBeyondTheIntegerRange) {
  host::Host& h = startWithout({}, 2017.0);
  h.offerEntry("RuntimeGraphicsDrawLine", entry(&recordLineIntegers));
  double huge = 1e300, nan = std::numeric_limits<double>::quiet_NaN();
  wrapper<DrawLine>("GraphicsDrawLine")(kObject, nan, huge, -huge, -0.5);
  constexpr int64_t top = std::numeric_limits<XojoInteger>::max();
  constexpr int64_t bottom = std::numeric_limits<XojoInteger>::min();
  EXPECT_EQ(calls, (std::vector<std::vector<int64_t>>{{arg(kObject), 0, top, bottom, 0}}));
}

double measureDouble(REALobjectStruct*, REALstringStruct*) {
  return 7.25;
}
XojoInteger measureInteger(REALobjectStruct*, REALstringStruct*) {
  return 7;
}
double heightDouble(REALobjectStruct*) {
  return 7.25;
}
XojoInteger heightInteger(REALobjectStruct*) {
  return 7;
}

// The string width switches at 2007.02, the text height at 2018.02: on a host of 2010 the one is
// current and the other legacy, its integer answer returned as a double.
TEST_P(AppleTextAndLines, ThresholdsDifferByWrapper) {
  host::Host& h = startWithout({}, 2010.0);
  h.offerEntry("RuntimeGraphicsStringWidth", entry(&measureDouble));
  h.offerEntry("RuntimeGraphicsTextHeight", entry(&heightInteger));
  EXPECT_EQ(wrapper<double (*)(REALobjectStruct*, REALstringStruct*)>("REALGraphicsStringWidth")(
                kObject, kString),
            7.25);
  EXPECT_EQ(wrapper<double (*)(REALobjectStruct*)>("REALGraphicsTextHeight")(kObject), 7.0);
}

// Without a version, and on a host that reports 100, every switched wrapper takes the legacy
// convention.
TEST_P(AppleTextAndLines, NoVersionAndVersion100AreLegacy) {
  for (std::optional<double> version : {std::optional<double>(), std::optional<double>(100.0)}) {
    host::Host& h = startWithout({}, version);
    h.offerEntry("RuntimeGraphicsStringWidth", entry(&measureInteger));
    h.offerEntry("RuntimeGraphicsTextHeight", entry(&heightInteger));
    h.offerEntry("RuntimeGraphicsTextAscent", entry(&heightInteger));
    EXPECT_EQ(wrapper<double (*)(REALobjectStruct*, REALstringStruct*)>("REALGraphicsStringWidth")(
                  kObject, kString),
              7.0);
    EXPECT_EQ(wrapper<double (*)(REALobjectStruct*)>("REALGraphicsTextHeight")(kObject), 7.0);
    EXPECT_EQ(wrapper<double (*)(REALobjectStruct*)>("REALGraphicsTextAscent")(kObject), 7.0);
  }
}

// One cache per convention: after a call in each, both hold the entry and neither asks again.
TEST_P(AppleTextAndLines, OneCachePerConvention) {
  host::Host& h = startWithout({}, 2019.0);
  h.offerEntry("RuntimeGraphicsTextAscent", entry(&heightDouble));
  auto ascent = wrapper<double (*)(REALobjectStruct*)>("REALGraphicsTextAscent");
  EXPECT_EQ(ascent(kObject), 7.25);
  h.setVersion(2017.0);
  h.offerEntry("RuntimeGraphicsTextAscent", entry(&heightInteger));
  EXPECT_EQ(ascent(kObject), 7.0);
  EXPECT_EQ(h.lookups("RuntimeGraphicsTextAscent"), 2);
  h.setVersion(2019.0);
  EXPECT_EQ(ascent(kObject), 7.25) << "the current cache kept the first answer";
  h.setVersion(2017.0);
  EXPECT_EQ(ascent(kObject), 7.0);
  EXPECT_EQ(h.lookups("RuntimeGraphicsTextAscent"), 2);
}

// ---- control data ----------------------------------------------------------------------------

// The control's address plus the word of its definition at byte 104 (Apple) or 60 (Linux), read
// at the time of the call, without a host call.
TEST_P(Variants, ControlDataIsComputedFromTheDefinition) {
  host::Host& h = startWithout({});
  alignas(8) unsigned char definition[128] = {};
  size_t at = apple() ? 104 : 60;
  XojoInteger offset = 24;
  std::memcpy(definition + at, &offset, sizeof offset);
  unsigned char control[64];
  using ControlData = void* (*)(REALobjectStruct*, void*);
  std::vector<const char*> wrappers = {"REALGetControlData"};
  if (apple()) wrappers.push_back("REALGetMobileControlData");
  for (const char* name : wrappers) {
    auto data = wrapper<ControlData>(name);
    EXPECT_EQ(data(reinterpret_cast<REALobjectStruct*>(control), definition), control + 24);
    offset = 40;
    std::memcpy(definition + at, &offset, sizeof offset);
    EXPECT_EQ(data(reinterpret_cast<REALobjectStruct*>(control), definition), control + 40);
    offset = 24;
    std::memcpy(definition + at, &offset, sizeof offset);
  }
  EXPECT_TRUE(h.lookupLog().empty());
}

INSTANTIATE_TEST_SUITE_P(Built, Variants, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, Strings, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, TextAndLines, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());

bool isApple64(const Deliverable& d) {
  return d.appleFlavour() && sizeof(XojoInteger) == 8; // the word answers need a 64-bit word
}
bool isLinuxFlavour(const Deliverable& d) {
  return !d.appleFlavour();
}
bool isMacos(const Deliverable& d) {
  return d.profile == kMacos;
}
bool isAppleFlavour(const Deliverable& d) {
  return d.appleFlavour();
}
INSTANTIATE_TEST_SUITE_P(Built, AppleVariants,
                         ::testing::ValuesIn(builtDeliverablesWhere(isApple64)), DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, LinuxVariants,
                         ::testing::ValuesIn(builtDeliverablesWhere(isLinuxFlavour)),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, MacStrings, ::testing::ValuesIn(builtDeliverablesWhere(isMacos)),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, AppleTextAndLines,
                         ::testing::ValuesIn(builtDeliverablesWhere(isAppleFlavour)),
                         DeliverableName());
// A build of one flavour only (the Linux ARM build) has nothing for the other's suites.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(AppleVariants);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LinuxVariants);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(MacStrings);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(AppleTextAndLines);

} // namespace

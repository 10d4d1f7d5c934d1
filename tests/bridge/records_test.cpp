// The class definition, property and method records as the host receives them, byte by byte,
// in the word size of the target (116/48/24 bytes on 32-bit targets, 232/96/48 on 64-bit ones).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bridge/class_records.h"
#include "support/deliverables.h"
#include "support/plugin_test.h"

using namespace testing_support;

namespace {

constexpr size_t kWord = sizeof(void*);
constexpr bool kWide = kWord == 8;

uint64_t word(const void* record, size_t index) {
  uintptr_t value;
  std::memcpy(&value, static_cast<const char*>(record) + index * kWord, kWord);
  return value;
}
uint32_t word32(const void* record, size_t offset) {
  uint32_t value;
  std::memcpy(&value, static_cast<const char*>(record) + offset, 4);
  return value;
}
const char* text(uint64_t address) {
  return reinterpret_cast<const char*>(address);
}
constexpr uint64_t kDirect = static_cast<uint64_t>(static_cast<uintptr_t>(-1));

struct ExpectedClass {
  const char* name;
  XojoInteger dataSize;
  bool constructor, destructor;
  XojoInteger properties, methods;
};
struct ExpectedDeliverable {
  const char* deliverable;
  std::vector<ExpectedClass> classes; // in registration order, on a current host
};

const ExpectedDeliverable kDeliverables[] = {
    {"Tessaline1",
     {{"PointF", 16, false, false, 3, 12},
      {"SizeF", 16, false, false, 3, 7},
      {"RectF", 32, true, false, 7, 20}}},
    {"Tessaline2", {{"LineF", 32, false, false, 5, 17}, {"PolygonF", 40, true, true, 2, 29}}},
    {"Tessaline3", {{"VectorF_3D", 24, false, false, 4, 21}}},
    {"Tessaline3Mac", {{"VectorF_3D", 24, false, false, 4, 21}}},
    {"Tessaline3Linux", {{"VectorF_3D", 24, false, false, 4, 21}}},
};

class Records : public PluginTest, public ::testing::WithParamInterface<Deliverable> {
protected:
  const ExpectedDeliverable& expected() {
    for (const ExpectedDeliverable& e : kDeliverables)
      if (GetParam().name == e.deliverable) return e;
    throw std::logic_error("unknown deliverable");
  }
};

TEST_P(Records, SizesFollowTheWordSize) {
  EXPECT_EQ(sizeof(REALclassDefinition), kWide ? 232u : 116u);
  EXPECT_EQ(sizeof(REALproperty), kWide ? 96u : 48u);
  EXPECT_EQ(sizeof(REALmethodDefinition), kWide ? 48u : 24u);
  EXPECT_EQ(offsetof(REALclassDefinition, flags), kWide ? 160u : 80u);
}

// Registration order, counts, and the words every record leaves zero.
TEST_P(Records, ClassDefinitionsAsRegistered) {
  host::Host& h = start({});
  h.load(GetParam().name);

  std::vector<const host::ClassInfo*> registered;
  for (const host::ClassInfo* c : h.registrationOrder())
    if (c->library == GetParam().name) registered.push_back(c);
  const std::vector<ExpectedClass>& classes = expected().classes;
  ASSERT_EQ(registered.size(), classes.size());

  for (size_t i = 0; i < classes.size(); ++i) {
    const ExpectedClass& e = classes[i];
    const host::ClassInfo& c = *registered[i];
    SCOPED_TRACE(e.name);
    const void* r = c.record;
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(c.flagsAtRegistration, 4u) << "console-safe before registration";
    EXPECT_EQ(word32(r, 0), 13u);
    if (kWide) EXPECT_EQ(word32(r, 4), 0u);
    EXPECT_STREQ(text(word(r, 1)), e.name);
    EXPECT_EQ(word(r, 2), 0u);
    EXPECT_EQ(word(r, 3), static_cast<uint64_t>(e.dataSize));
    EXPECT_EQ(word(r, 4), 48u) << "written by the host";
    EXPECT_EQ(word(r, 5) != 0, e.constructor);
    EXPECT_EQ(word(r, 6) != 0, e.destructor);
    EXPECT_EQ(word(r, 8), static_cast<uint64_t>(e.properties));
    EXPECT_EQ(word(r, 10), static_cast<uint64_t>(e.methods));
    for (size_t w = 11; w <= 19; ++w) EXPECT_EQ(word(r, w), 0u) << "word " << w;
    EXPECT_EQ(word32(r, kWide ? 160 : 80), 4u);
    if (kWide) EXPECT_EQ(word32(r, 164), 0u);
    for (size_t w = 21; w <= 28; ++w) EXPECT_EQ(word(r, w), 0u) << "word " << w;

    const auto* properties = reinterpret_cast<const char*>(word(r, 7));
    for (XojoInteger p = 0; p < e.properties; ++p) {
      const void* pr = properties + p * sizeof(REALproperty);
      SCOPED_TRACE(text(word(pr, 1)));
      EXPECT_EQ(word(pr, 0), 0u);
      EXPECT_EQ(word(pr, 3), 4u);
      EXPECT_NE(word(pr, 4), 0u) << "every property can be read";
      if (word(pr, 4) == kDirect)
        EXPECT_EQ(word(pr, 6) % 8, 0u) << "a stored double or Integer is aligned";
      else
        EXPECT_EQ(word(pr, 6), 0u) << "accessors get 0";
      for (size_t w = 7; w <= 11; ++w) EXPECT_EQ(word(pr, w), 0u);
    }
    const auto* methods = reinterpret_cast<const char*>(word(r, 9));
    for (XojoInteger m = 0; m < e.methods; ++m) {
      const void* mr = methods + m * sizeof(REALmethodDefinition);
      std::string declaration = text(word(mr, 2));
      SCOPED_TRACE(declaration);
      EXPECT_NE(word(mr, 0), 0u);
      bool web = declaration.find("WebGraphics") != std::string::npos;
      EXPECT_EQ(word(mr, 3), web ? 0x100u : 4u);
      EXPECT_EQ(word(mr, 4), 0u);
      EXPECT_EQ(word(mr, 5), 0u);
    }
  }
}

using VectorRecords = Records;

// The worked example of the vector class, byte for byte.
TEST_P(VectorRecords, ByteImage) {
  host::Host& h = start({GetParam().name.c_str()});
  const host::ClassInfo* c = h.findClass("VectorF_3D");
  ASSERT_NE(c, nullptr);
  const unsigned char* r = reinterpret_cast<const unsigned char*>(c->record);
  const unsigned char version[] = {0x0D, 0, 0, 0};
  EXPECT_EQ(std::memcmp(r, version, 4), 0);
  EXPECT_EQ(word(r, 3), 24u);
  EXPECT_EQ(word(r, 8), 4u);
  EXPECT_EQ(word(r, 10), 21u);
  EXPECT_EQ(r[kWide ? 160 : 80], 0x04);

  const void* properties = reinterpret_cast<const void*>(word(r, 7));
  const char* names[] = {"x", "y", "z"};
  for (size_t p = 0; p < 3; ++p) {
    const void* pr = static_cast<const char*>(properties) + p * sizeof(REALproperty);
    EXPECT_STREQ(text(word(pr, 1)), names[p]);
    EXPECT_STREQ(text(word(pr, 2)), "Double");
    EXPECT_EQ(word(pr, 4), kDirect);
    EXPECT_EQ(word(pr, 5), kDirect);
    EXPECT_EQ(word(pr, 6), 8 * p);
  }
  const void* clone = static_cast<const char*>(properties) + 3 * sizeof(REALproperty);
  EXPECT_STREQ(text(word(clone, 1)), "Clone");
  EXPECT_STREQ(text(word(clone, 2)), "VectorF_3D");
  EXPECT_NE(word(clone, 4), 0u);
  EXPECT_NE(word(clone, 4), kDirect);
  EXPECT_EQ(word(clone, 5), 0u);
  EXPECT_EQ(word(clone, 6), 0u);

  const void* first = reinterpret_cast<const void*>(word(r, 9));
  EXPECT_STREQ(text(word(first, 2)), "Constructor()");
  EXPECT_EQ(word(first, 1), 0u);
  EXPECT_EQ(word(first, 3), 4u);
}

INSTANTIATE_TEST_SUITE_P(Built, Records, ::testing::ValuesIn(builtDeliverables()),
                         DeliverableName());
INSTANTIATE_TEST_SUITE_P(Built, VectorRecords, ::testing::ValuesIn(builtVectorDeliverables()),
                         DeliverableName());

} // namespace

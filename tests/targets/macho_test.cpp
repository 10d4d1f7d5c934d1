// The Apple deliverables in their real formats: arm64 Mach-O files of the right kind for their
// platform, exporting exactly what the ELF build of the same profile exports, and importing
// nothing but the libSystem symbols of the stub they were linked against.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "apple_builds.h" // generated: TESSALINE_APPLE_BUILDS, TESSALINE_LIBSYSTEM_STUB
#include "macho_image.h"
#include "support/elf_symbols.h"

namespace {

using targets::MachOImage;

struct AppleBuild {
  std::string name;
  std::string platform;  // "ios" or "macos"
  std::string minimumOs; // deployment target, e.g. "14.0"
  std::string binary;    // the Mach-O file: the library, or the bundle's executable
  std::string bundle;    // the bundle directory; "" for a dynamic library
  std::string elf;       // the ELF build of the same profile, made on this machine
};

const std::vector<AppleBuild> kAppleBuilds = {TESSALINE_APPLE_BUILDS};

void PrintTo(const AppleBuild& build, std::ostream* out) {
  *out << build.binary;
}

std::string readText(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The names of every "symbols: [ ... ]" list of a text stub.
std::set<std::string> stubSymbols(const std::string& path) {
  std::string text = readText(path);
  std::set<std::string> names;
  std::regex list(R"(symbols:\s*\[([^\]]*)\])"), name(R"([A-Za-z_$][A-Za-z0-9_$.]*)");
  for (std::sregex_iterator l(text.begin(), text.end(), list), end; l != end; ++l) {
    std::string items = (*l)[1];
    for (std::sregex_iterator n(items.begin(), items.end(), name); n != end; ++n)
      names.insert(n->str());
  }
  return names;
}

std::string listed(const std::set<std::string>& names) {
  std::ostringstream out;
  for (const std::string& n : names) out << "\n  " << n;
  return out.str();
}

// The value of `key` in an Info.plist, or "" when it has none.
std::string plistString(const std::string& plist, const std::string& key) {
  std::smatch m;
  std::regex entry("<key>" + key + R"(</key>\s*<string>([^<]*)</string>)");
  return std::regex_search(plist, m, entry) ? m[1].str() : "";
}

class Apple : public ::testing::TestWithParam<AppleBuild> {
protected:
  void SetUp() override { image_ = targets::readMachO(GetParam().binary); }
  MachOImage image_;
};

TEST_P(Apple, IsAnArm64MachOOfItsKindForItsPlatform) {
  const AppleBuild& b = GetParam();
  bool bundle = !b.bundle.empty();
  EXPECT_EQ(image_.cpuType, targets::kCpuTypeArm64);
  EXPECT_EQ(image_.fileType, bundle ? targets::kFileTypeBundle : targets::kFileTypeDylib);
  EXPECT_EQ(image_.platform, b.platform == "ios" ? targets::kPlatformIOS : targets::kPlatformMacOS);
  EXPECT_EQ(targets::versionText(image_.minimumOs), b.minimumOs);
  // macOS on arm64 runs signed code only; the linker signs ad hoc (iOS apps sign what they embed).
  if (b.platform == "macos") EXPECT_TRUE(image_.codeSignature) << "no code signature";
  if (bundle) {
    // The host loads the bundle through its Info.plist.
    std::string plist = readText(b.bundle + "/Contents/Info.plist");
    EXPECT_EQ(plistString(plist, "CFBundleExecutable"), b.name);
    EXPECT_EQ(plistString(plist, "CFBundlePackageType"), "BNDL");
    EXPECT_EQ(plistString(plist, "LSMinimumSystemVersion"), b.minimumOs);
  }
}

TEST_P(Apple, ExportsExactlyWhatTheElfBuildOfItsProfileExports) {
  std::set<std::string> machO, elf = testing_support::exportedSymbols(GetParam().elf);
  for (const std::string& name : image_.exports)
    machO.insert(name.rfind('_', 0) == 0 ? name.substr(1) : "(no C name) " + name);
  ASSERT_FALSE(machO.empty());
  std::set<std::string> onlyMachO, onlyElf;
  std::set_difference(machO.begin(), machO.end(), elf.begin(), elf.end(),
                      std::inserter(onlyMachO, onlyMachO.end()));
  std::set_difference(elf.begin(), elf.end(), machO.begin(), machO.end(),
                      std::inserter(onlyElf, onlyElf.end()));
  EXPECT_TRUE(onlyMachO.empty()) << "exported only by the Mach-O file:" << listed(onlyMachO);
  EXPECT_TRUE(onlyElf.empty()) << "exported only by the ELF build:" << listed(onlyElf);
}

TEST_P(Apple, ImportsOnlyWhatTheLibSystemStubProvides) {
  const std::string stub = TESSALINE_LIBSYSTEM_STUB;
  if (stub.empty()) GTEST_SKIP() << "linked against an SDK's libSystem, not the stub";
  std::set<std::string> provided = stubSymbols(stub);
  ASSERT_FALSE(provided.empty());
  EXPECT_EQ(image_.loadedLibraries, std::vector<std::string>{"/usr/lib/libSystem.B.dylib"});
  for (const auto& [symbol, library] : image_.imports) {
    EXPECT_TRUE(provided.count(symbol)) << symbol << " is not in " << stub;
    EXPECT_EQ(library, "/usr/lib/libSystem.B.dylib") << symbol;
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, Apple, ::testing::ValuesIn(kAppleBuilds),
                         [](const auto& info) { return info.param.name; });

} // namespace

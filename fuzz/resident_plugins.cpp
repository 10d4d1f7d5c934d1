#include "resident_plugins.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "host/host.h"

namespace fuzzing {
namespace {

namespace fs = std::filesystem;

// The copies live in one private directory, removed when the fuzzer exits. Its name is kept in
// plain storage, which outlives every destructor that runs at exit.
char gCopies[4096];

void removeCopies() {
  std::error_code ignored;
  fs::remove_all(gCopies, ignored);
}

fs::path copies() {
  if (!gCopies[0]) {
    std::string pattern = (fs::temp_directory_path() / "tessaline-fuzz-XXXXXX").string();
    if (pattern.size() >= sizeof gCopies || !mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    pattern.copy(gCopies, pattern.size());
    std::atexit(removeCopies);
  }
  return gCopies;
}

} // namespace

std::string residentPlugin(const std::string& deliverable, int variant) {
  static std::map<std::pair<std::string, int>, std::string> resident;
  auto [it, added] = resident.try_emplace({deliverable, variant});
  if (!added) return it->second;

  fs::path dir = copies() / ("variant" + std::to_string(variant));
  fs::create_directories(dir);
  fs::path copy = dir / (deliverable + ".so");
  fs::copy_file(host::Host::pluginPath(deliverable), copy, fs::copy_options::overwrite_existing);
  if (!dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
    std::fprintf(stderr, "cannot load %s: %s\n", copy.c_str(), dlerror());
    std::abort();
  }
  it->second = copy.string();
  return it->second;
}

} // namespace fuzzing

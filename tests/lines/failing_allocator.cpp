#include "failing_allocator.h"

#include <dlfcn.h>
#include <link.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

// The allocator behind malloc: the C library's, or the sanitizer's when this program carries one
// (its blocks must be freed by the free it also provides).
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TL_SANITIZER_ALLOCATOR 1
#endif
#endif
#if defined(TL_SANITIZER_ALLOCATOR)
extern "C" void* __interceptor_malloc(size_t size);
extern "C" void* __interceptor_realloc(void* block, size_t size);
#define TL_REAL_MALLOC  __interceptor_malloc
#define TL_REAL_REALLOC __interceptor_realloc
#else
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
#define TL_REAL_MALLOC  __libc_malloc
#define TL_REAL_REALLOC __libc_realloc
#endif

namespace {

// The address range of the watched library's loaded segments; empty when disarmed.
std::atomic<uintptr_t> watchedFrom{0}, watchedTo{0};
std::atomic<bool> failing{false};
std::atomic<int> watchedCalls{0};

// True when the return address lies in the watched library; counts the call.
bool watched(const void* caller) {
  uintptr_t at = reinterpret_cast<uintptr_t>(caller);
  if (at < watchedFrom.load() || at >= watchedTo.load()) return false;
  watchedCalls.fetch_add(1);
  return true;
}

struct Range {
  uintptr_t base, from = UINTPTR_MAX, to = 0;
};

int findSegments(dl_phdr_info* info, size_t, void* data) {
  Range& r = *static_cast<Range*>(data);
  if (info->dlpi_addr != r.base) return 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    uintptr_t start = info->dlpi_addr + segment.p_vaddr;
    if (start < r.from) r.from = start;
    if (start + segment.p_memsz > r.to) r.to = start + segment.p_memsz;
  }
  return 1;
}

} // namespace

extern "C" void* malloc(size_t size) {
  if (watched(__builtin_return_address(0)) && failing.load()) return nullptr;
  return TL_REAL_MALLOC(size);
}

extern "C" void* realloc(void* block, size_t size) {
  if (watched(__builtin_return_address(0)) && failing.load()) return nullptr;
  return TL_REAL_REALLOC(block, size);
}

namespace lines_tests {

FailingAllocator::FailingAllocator(const void* symbol, bool fail) {
  Dl_info info;
  if (!symbol || !dladdr(symbol, &info)) return;
  Range range{reinterpret_cast<uintptr_t>(info.dli_fbase)};
  dl_iterate_phdr(findSegments, &range);
  watchedCalls.store(0);
  failing.store(fail);
  watchedFrom.store(range.from);
  watchedTo.store(range.to);
}

FailingAllocator::~FailingAllocator() {
  watchedFrom.store(0);
  watchedTo.store(0);
  failing.store(false);
}

int FailingAllocator::calls() const {
  return watchedCalls.load();
}

} // namespace lines_tests

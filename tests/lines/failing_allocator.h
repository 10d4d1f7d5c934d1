// Allocation failure on demand for one loaded library: this test program replaces malloc and
// realloc, and while armed, the calls that code of the watched library makes fail (or are only
// counted). Every other caller is served as usual.
#pragma once

namespace lines_tests {

class FailingAllocator {
public:
  // Watches the library that holds `symbol`; `fail` false only counts the calls.
  FailingAllocator(const void* symbol, bool fail);
  ~FailingAllocator();
  FailingAllocator(const FailingAllocator&) = delete;
  FailingAllocator& operator=(const FailingAllocator&) = delete;

  // malloc and realloc calls made by the library while armed.
  int calls() const;
};

} // namespace lines_tests

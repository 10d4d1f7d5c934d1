#include "guarded_image.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "failure.h"

namespace fuzzing {
namespace {

constexpr size_t kGuardBytes = 64;

int64_t floorDiv(int64_t a, int64_t b) { // b > 0
  return a / b - (a % b < 0 ? 1 : 0);
}

// Every byte of [from, from + size) that no longer holds `blank` belongs to a writable pixel;
// `first` is the image's first byte. Untouched memory is passed over eight bytes at a time.
void confined(const ImageLayout& layout, const uint8_t* from, size_t size, const uint8_t* first,
              uint8_t blank) {
  const uint64_t blankWord = 0x0101010101010101u * blank;
  for (size_t i = 0; i < size;) {
    uint64_t word;
    if (i + 8 <= size && (std::memcpy(&word, from + i, 8), word == blankWord)) {
      i += 8;
      continue;
    }
    if (from[i] != blank && !layout.writable((from + i) - first))
      fail("a byte outside the pixels it may write changed");
    ++i;
  }
}

} // namespace

ImageLayout::ImageLayout(int32_t w, int32_t h, int32_t s) : width(w), height(h), stride(s) {
  if (w < 1 || h < 1) return;
  int64_t last = int64_t{h - 1} * s;
  lo = std::min<int64_t>(0, last);
  hi = std::max<int64_t>(0, last) + 4 * int64_t{w};
}

bool ImageLayout::rowsApart() const {
  return height <= 1 || std::abs(int64_t{stride}) >= 4 * int64_t{width};
}

bool ImageLayout::writable(int64_t offset) const {
  if (width < 2 || height < 1) return false;
  const int64_t run = 4 * int64_t{width - 1};
  if (stride == 0) return offset >= 0 && offset < run;
  // The rows r with r * stride <= offset < r * stride + run.
  int64_t low, high;
  if (stride > 0) {
    low = floorDiv(offset - run, stride) + 1;
    high = floorDiv(offset, stride);
  } else {
    const int64_t t = -int64_t{stride};
    low = floorDiv(t - 1 - offset, t);
    high = floorDiv(run - 1 - offset, t);
  }
  return std::max<int64_t>(low, 0) <= std::min<int64_t>(high, height - 1);
}

GuardedImage::GuardedImage(const ImageLayout& layout, size_t misalign)
    : layout_(layout), mapped_(layout.bytes() > kHeapBytes) {
  const size_t bytes = misalign + static_cast<size_t>(layout.bytes());
  if (!mapped_) {
    // Guard bytes of a multiple of 16, so that the first byte lies `misalign` past a boundary.
    size_ = kGuardBytes + bytes + kGuardBytes;
    block_ = static_cast<uint8_t*>(std::malloc(size_));
    std::memset(block_, kHeapBlank & 0xff, size_);
    first_ = block_ + kGuardBytes + misalign - layout.lo;
    return;
  }
  page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  size_ = (bytes + page_ - 1) / page_ * page_ + 2 * page_;
  void* at = mmap(nullptr, size_, PROT_READ | PROT_WRITE,
                  MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (at == MAP_FAILED) fail("cannot map the image");
  block_ = static_cast<uint8_t*>(at);
  mprotect(block_, page_, PROT_NONE);
  mprotect(block_ + size_ - page_, page_, PROT_NONE);
  first_ = block_ + page_ + misalign - layout.lo;
}

GuardedImage::~GuardedImage() {
  if (mapped_)
    munmap(block_, size_);
  else
    std::free(block_);
}

void GuardedImage::checkConfined() const {
  if (!mapped_) return confined(layout_, block_, size_, first_, kHeapBlank & 0xff);
  // Only written pages are resident.
  const size_t pages = size_ / page_ - 2;
  std::vector<unsigned char> resident(pages);
  if (mincore(block_ + page_, pages * page_, resident.data()) != 0) fail("mincore");
  for (size_t p = 0; p < pages; ++p)
    if (resident[p] & 1) confined(layout_, block_ + page_ * (p + 1), page_, first_, 0);
}

uint32_t GuardedImage::pixel(int64_t x, int64_t y) const {
  uint32_t word;
  std::memcpy(&word, first_ + y * layout_.stride + 4 * x, sizeof word);
  return word;
}

} // namespace fuzzing

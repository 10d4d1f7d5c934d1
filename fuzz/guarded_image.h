// An image of 32-bit pixels for the raster fill, laid out as its caller describes it (width,
// height, row stride in bytes, first byte anywhere), surrounded by memory that must stay as it
// was. Small images lie in a heap block between guard bytes, all blank, where AddressSanitizer
// also watches the block's edges. Images of up to gigabytes lie in memory mapped without backing
// between two inaccessible pages; it reads zero until written, and only the written pages are
// read back.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzing {

// Where the pixels of an image lie, relative to the first byte of row 0.
struct ImageLayout {
  int32_t width, height, stride;
  // The bytes the caller owns: `height` rows of `width` pixels; none for an empty image.
  int64_t lo = 0, hi = 0;

  ImageLayout(int32_t width, int32_t height, int32_t stride);
  int64_t bytes() const { return hi - lo; }
  // No two rows share a byte.
  bool rowsApart() const;
  // Whether the byte at `offset` belongs to a pixel the fill may write: columns 0 .. width - 2
  // of rows 0 .. height - 1.
  bool writable(int64_t offset) const;
};

class GuardedImage {
public:
  static constexpr int64_t kHeapBytes = int64_t{1} << 20; // larger images are mapped
  static constexpr uint32_t kHeapBlank = 0xA5A5A5A5u;

  // `misalign` more bytes before the image move its first byte off the word boundaries.
  GuardedImage(const ImageLayout& layout, size_t misalign);
  ~GuardedImage();
  GuardedImage(const GuardedImage&) = delete;
  GuardedImage& operator=(const GuardedImage&) = delete;

  uint8_t* first() const { return first_; }
  bool mapped() const { return mapped_; }
  // What untouched pixels hold.
  uint32_t blank() const { return mapped_ ? 0 : kHeapBlank; }
  // Aborts if a byte outside the writable pixels changed.
  void checkConfined() const;
  uint32_t pixel(int64_t x, int64_t y) const;

private:
  ImageLayout layout_;
  bool mapped_;
  size_t page_ = 0, size_ = 0;
  uint8_t* block_ = nullptr; // the heap block or the whole mapping
  uint8_t* first_ = nullptr;
};

} // namespace fuzzing

// The raster fill's rules written out plainly, for its fuzzer: which rows and columns a fill
// visits (to keep every input cheap), and a per-pixel even-odd reference of what it paints.
#pragma once

#include <cstdint>
#include <vector>

#include "guarded_image.h"
#include "lines/polygon_data.h"

namespace fuzzing {

using Corners = std::vector<lines::PointFData>;

// Narrows and lowers an image until filling `corners` into it takes little time: rows visited
// times corners, the squares of each row's crossings, and the pixels painted are bounded.
void makeAffordable(const Corners& corners, int32_t& width, int32_t& height);

// Aborts unless every pixel holds either the value or what it held before. For images whose
// rows do not share bytes.
void checkWords(const ImageLayout& layout, const GuardedImage& image, uint32_t value);

// Whether the reference applies: images of up to 65536 pixels whose rows do not share bytes,
// corners within a million of the origin.
bool referenceApplies(const Corners& corners, const ImageLayout& layout);

// Aborts unless the painted pixels are exactly those of the reference: pixel (x, y) is painted
// when the point (x + 1, y) lies strictly inside by the even-odd rule (an odd number of
// crossings left of it and none on it) and x lies within the columns of the bounding box
// widened by one.
void compareWithReference(const Corners& corners, const ImageLayout& layout,
                          const GuardedImage& image, uint32_t value);

} // namespace fuzzing

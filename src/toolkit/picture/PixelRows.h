#pragma once
// Row conversions between a bitmap file's pixels (blue, green, red bytes,
// with or without a fourth byte) and the 0xffRRGGBB words of a 32-bit image.
// These run over every pixel of a wallpaper on each load and save, so they
// use SSSE3 byte shuffles where the processor has them.

#include <cstdint>

namespace tk::pixels {

// 24-bit file pixels to 32-bit words with an opaque alpha.
void bgr24ToRgb32(const uint8_t* src, uint32_t* dst, int count);
// 32-bit file pixels (the fourth byte unused) to 32-bit words, alpha opaque.
void bgrx32ToRgb32(const uint8_t* src, uint32_t* dst, int count);
// 32-bit words to 24-bit file pixels; the alpha byte is dropped.
void rgb32ToBgr24(const uint32_t* src, uint8_t* dst, int count);

// The plain loops, for tests that compare both paths.
void bgr24ToRgb32Scalar(const uint8_t* src, uint32_t* dst, int count);
void rgb32ToBgr24Scalar(const uint32_t* src, uint8_t* dst, int count);

}  // namespace tk::pixels

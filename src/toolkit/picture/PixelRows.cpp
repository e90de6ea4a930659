#include "toolkit/picture/PixelRows.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TK_HAVE_X86 1
#endif

namespace tk::pixels {

void bgr24ToRgb32Scalar(const uint8_t* src, uint32_t* dst, int count) {
    for (int i = 0; i < count; ++i) {
        const uint8_t* p = src + 3 * i;
        dst[i] = 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
}

void rgb32ToBgr24Scalar(const uint32_t* src, uint8_t* dst, int count) {
    for (int i = 0; i < count; ++i) {
        const uint32_t v = src[i];
        dst[3 * i] = static_cast<uint8_t>(v);
        dst[3 * i + 1] = static_cast<uint8_t>(v >> 8);
        dst[3 * i + 2] = static_cast<uint8_t>(v >> 16);
    }
}

namespace {

void bgrx32ToRgb32Scalar(const uint8_t* src, uint32_t* dst, int count) {
    for (int i = 0; i < count; ++i) {
        uint32_t v;
        std::memcpy(&v, src + 4 * i, 4);
        dst[i] = v | 0xFF000000u;
    }
}

#ifdef TK_HAVE_X86

__attribute__((target("ssse3"))) void bgr24ToRgb32Ssse3(const uint8_t* src, uint32_t* dst,
                                                        int count) {
    const __m128i shuffle = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    // Sixteen bytes are loaded for every twelve used, so the last group
    // stays within the row by leaving the tail to the plain loop.
    for (; i + 5 < count; i += 4) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
        const __m128i out = _mm_or_si128(_mm_shuffle_epi8(in, shuffle), alpha);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
    bgr24ToRgb32Scalar(src + 3 * i, dst + i, count - i);
}

__attribute__((target("ssse3"))) void rgb32ToBgr24Ssse3(const uint32_t* src, uint8_t* dst,
                                                        int count) {
    const __m128i shuffle = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int i = 0;
    // Each store writes sixteen bytes of which twelve count; the next store
    // overwrites the rest, and the last group is left to the plain loop.
    for (; i + 5 < count; i += 4) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * i), _mm_shuffle_epi8(in, shuffle));
    }
    rgb32ToBgr24Scalar(src + i, dst + 3 * i, count - i);
}

__attribute__((target("sse2"))) void bgrx32ToRgb32Sse2(const uint8_t* src, uint32_t* dst,
                                                       int count) {
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(in, alpha));
    }
    bgrx32ToRgb32Scalar(src + 4 * i, dst + i, count - i);
}

bool haveSsse3() {
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}

#endif

}  // namespace

void bgr24ToRgb32(const uint8_t* src, uint32_t* dst, int count) {
#ifdef TK_HAVE_X86
    if (haveSsse3()) {
        bgr24ToRgb32Ssse3(src, dst, count);
        return;
    }
#endif
    bgr24ToRgb32Scalar(src, dst, count);
}

void bgrx32ToRgb32(const uint8_t* src, uint32_t* dst, int count) {
#ifdef TK_HAVE_X86
    bgrx32ToRgb32Sse2(src, dst, count);
#else
    bgrx32ToRgb32Scalar(src, dst, count);
#endif
}

void rgb32ToBgr24(const uint32_t* src, uint8_t* dst, int count) {
#ifdef TK_HAVE_X86
    if (haveSsse3()) {
        rgb32ToBgr24Ssse3(src, dst, count);
        return;
    }
#endif
    rgb32ToBgr24Scalar(src, dst, count);
}

}  // namespace tk::pixels

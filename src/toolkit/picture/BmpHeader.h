#pragma once
// The header of a Windows bitmap file, checked before a single pixel is
// read. Only what the fast reader handles is described here: uncompressed
// 24- and 32-bit pictures, bottom-up or top-down. Other bitmap kinds (palettes,
// RLE, 16-bit) are valid files for the generic reader.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace tk::bmp {

// Enough bytes to judge any header: the file header, the largest info header
// (V5) and the three colour masks that may follow a plain info header.
inline constexpr std::size_t kHeaderPeek = 14 + 124 + 12;
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kInfoHeaderSize = 40;

// Largest picture either reader accepts: a side of 32767 pixels (what the
// painter can address) and 512 MiB of 32-bit pixels (16384 x 8192).
inline constexpr int32_t kMaxSide = 32767;
inline constexpr uint64_t kMaxImageBytes = uint64_t{512} << 20;

enum class Verdict {
    Fast,     // an uncompressed 24/32-bit bitmap the fast reader takes
    Other,    // not a bitmap, or a kind the generic reader handles
    Invalid,  // a bitmap that cannot be read: `reason` says why
};

struct Layout {
    int32_t width = 0;
    int32_t height = 0;  // always positive
    bool topDown = false;
    int bitsPerPixel = 0;  // 24 or 32
    uint64_t pixelOffset = 0;
    uint64_t rowStride = 0;   // bytes per row in the file, padded to 4
    uint64_t pixelBytes = 0;  // rowStride * height
};

struct Parsed {
    Verdict verdict = Verdict::Other;
    Layout layout;
    QString reason;
};

// `data` holds the first `available` bytes of a file of `fileSize` bytes.
Parsed parseHeader(const uint8_t* data, std::size_t available, uint64_t fileSize);

// Writes the 54-byte header of a bottom-up 24-bit bitmap.
void writeHeader24(uint8_t* out, int32_t width, int32_t height, int32_t dpmX, int32_t dpmY);
uint64_t rowStride24(int32_t width);

}  // namespace tk::bmp

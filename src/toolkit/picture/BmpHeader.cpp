#include "toolkit/picture/BmpHeader.h"

#include <cstring>

#include "toolkit/Translations.h"

namespace tk::bmp {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t i32(const uint8_t* p) {
    return static_cast<int32_t>(u32(p));
}

void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

Parsed invalid(const QString& why) {
    Parsed p;
    p.verdict = Verdict::Invalid;
    p.reason = why;
    return p;
}

bool knownInfoSize(uint32_t size) {
    // BITMAPINFOHEADER, the two Adobe extensions, OS/2 2.x, V4 and V5.
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

}  // namespace

Parsed parseHeader(const uint8_t* data, std::size_t available, uint64_t fileSize) {
    if (available > fileSize) {
        available = static_cast<std::size_t>(fileSize);
    }
    if (available < 2 || data[0] != 'B' || data[1] != 'M') {
        return {};  // not a bitmap: the generic reader looks at it
    }
    if (available < kFileHeaderSize + 4) {
        return invalid(tk::Text::tr("the bitmap file ends inside its header"));
    }
    const uint32_t infoSize = u32(data + 14);
    if (infoSize == 12) {
        return {};  // the old OS/2 core header: left to the generic reader
    }
    if (!knownInfoSize(infoSize)) {
        return invalid(
            tk::Text::tr("the bitmap header has an unknown size (%1 bytes)").arg(infoSize));
    }
    if (available < kFileHeaderSize + infoSize) {
        return invalid(tk::Text::tr("the bitmap file ends inside its header"));
    }
    const uint8_t* info = data + kFileHeaderSize;
    const int32_t width = i32(info + 4);
    const int32_t rawHeight = i32(info + 8);
    const uint16_t bits = u16(info + 14);
    const uint32_t compression = u32(info + 16);

    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) {
        return invalid(tk::Text::tr("the bitmap has an impossible size (%1 x %2 pixels)")
                           .arg(width)
                           .arg(rawHeight));
    }
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width > kMaxSide || height > kMaxSide ||
        uint64_t(width) * uint64_t(height) * 4 > kMaxImageBytes) {
        return invalid(
            tk::Text::tr("the picture is too large (%1 x %2 pixels)").arg(width).arg(height));
    }

    bool fast = false;
    uint64_t headerEnd = kFileHeaderSize + infoSize;
    if (compression == BI_RGB && (bits == 24 || bits == 32)) {
        fast = true;
    } else if (compression == BI_BITFIELDS && bits == 32) {
        // The masks follow a plain info header and sit inside the larger ones,
        // at the same place either way.
        if (infoSize == kInfoHeaderSize) {
            headerEnd += 12;
        }
        if (available < kFileHeaderSize + kInfoHeaderSize + 12) {
            return invalid(tk::Text::tr("the bitmap file ends inside its colour masks"));
        }
        const uint8_t* masks = info + kInfoHeaderSize;
        fast = u32(masks) == 0x00FF0000u && u32(masks + 4) == 0x0000FF00u &&
               u32(masks + 8) == 0x000000FFu;
    }
    if (!fast) {
        if (rawHeight < 0 && compression != BI_RGB && compression != BI_BITFIELDS) {
            return invalid(tk::Text::tr("a compressed bitmap cannot be stored top-down"));
        }
        return {};  // palettes, 16-bit, RLE, other masks
    }

    Layout l;
    l.width = width;
    l.height = height;
    l.topDown = rawHeight < 0;
    l.bitsPerPixel = bits;
    l.rowStride = (uint64_t(width) * bits + 31) / 32 * 4;
    l.pixelBytes = l.rowStride * uint64_t(height);
    l.pixelOffset = u32(data + 10);
    if (l.pixelOffset < headerEnd) {
        return invalid(tk::Text::tr("the bitmap's pixel data would start inside its header"));
    }
    if (l.pixelOffset > fileSize || l.pixelBytes > fileSize - l.pixelOffset) {
        const uint64_t have = l.pixelOffset > fileSize ? 0 : fileSize - l.pixelOffset;
        return invalid(
            tk::Text::tr("the bitmap file is cut short: it holds %1 of %2 bytes of pixels")
                .arg(have)
                .arg(l.pixelBytes));
    }
    Parsed p;
    p.verdict = Verdict::Fast;
    p.layout = l;
    return p;
}

uint64_t rowStride24(int32_t width) {
    return (uint64_t(width) * 24 + 31) / 32 * 4;
}

void writeHeader24(uint8_t* out, int32_t width, int32_t height, int32_t dpmX, int32_t dpmY) {
    const uint64_t pixelBytes = rowStride24(width) * uint64_t(height);
    const uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
    std::memset(out, 0, kFileHeaderSize + kInfoHeaderSize);
    out[0] = 'B';
    out[1] = 'M';
    // A size beyond 32 bits cannot be told; readers take the pixels from the
    // header's dimensions anyway.
    put32(out + 2, fileSize > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(fileSize));
    put32(out + 10, kFileHeaderSize + kInfoHeaderSize);
    uint8_t* info = out + kFileHeaderSize;
    put32(info, kInfoHeaderSize);
    put32(info + 4, static_cast<uint32_t>(width));
    put32(info + 8, static_cast<uint32_t>(height));
    put16(info + 12, 1);   // planes
    put16(info + 14, 24);  // bits per pixel
    put32(info + 16, BI_RGB);
    put32(info + 20, pixelBytes > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(pixelBytes));
    put32(info + 24, static_cast<uint32_t>(dpmX));
    put32(info + 28, static_cast<uint32_t>(dpmY));
}

}  // namespace tk::bmp

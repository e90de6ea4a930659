#include "toolkit/picture/PartialBitmap.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <vector>

#include "toolkit/files/RegularFiles.h"
#include "toolkit/picture/BitmapIo.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PixelRows.h"

namespace tk {

PartialBitmap::PartialBitmap(const QString& path) {
    QString error;
    bitmapio::Fd fd(::files::openRegularFile(path, &error));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        return;
    }
    fileSize_ = static_cast<uint64_t>(st.st_size);
    uint8_t head[bmp::kHeaderPeek] = {};
    const uint64_t peek = std::min<uint64_t>(sizeof head, fileSize_);
    if (peek == 0 || !bitmapio::readAt(fd.get(), head, peek, 0)) {
        return;
    }
    const bmp::Parsed parsed = bmp::parseHeader(head, static_cast<std::size_t>(peek), fileSize_);
    if (parsed.verdict != bmp::Verdict::Fast) {
        return;
    }
    layout_ = parsed.layout;
    image_ = bitmapio::newRgb32(layout_.width, layout_.height, false);
    bitmapio::setScreenResolution(image_);
    fd_ = ::dup(fd.get());
}

PartialBitmap::~PartialBitmap() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PartialBitmap::readRows(int first, int last, bool hashed) {
    first = std::clamp(first, 0, layout_.height);
    last = std::clamp(last, first, layout_.height);
    const auto height = uint64_t(layout_.height);
    // The file's rows of the picture's rows [first, last).
    const uint64_t from = layout_.topDown ? uint64_t(first) : height - uint64_t(last);
    const uint64_t to = from + uint64_t(last - first);
    const uint64_t pixels = layout_.pixelOffset;
    std::optional<ContentHasher> hasher;
    if (hashed) {
        hasher.emplace();
    }
    if (!isOpen() ||
        (hasher && !bitmapio::hashRange(fd_, *hasher, 0, pixels + from * layout_.rowStride)) ||
        !bitmapio::convertRows(fd_, layout_, {image_.bits(), image_.bytesPerLine()}, from, to,
                               hasher ? &*hasher : nullptr) ||
        (hasher &&
         !bitmapio::hashRange(fd_, *hasher, pixels + to * layout_.rowStride, fileSize_))) {
        return false;
    }
    first_ = first;
    last_ = last;
    hash_ = hasher ? hasher->hex() : QByteArray();
    return true;
}

SaveResult PartialBitmap::save(const QString& path) const {
    const int32_t height = layout_.height;
    const uint64_t stride = bmp::rowStride24(layout_.width);
    const uint64_t fileStride = layout_.rowStride;
    const bool sameRows = layout_.bitsPerPixel == 24 && !layout_.topDown;
    // Output file row r shows the picture's row height - 1 - r.
    const auto rows = [&](int32_t r0, int32_t r1, uint8_t* out) {
        const auto count = uint64_t(r1 - r0);
        if (sameRows) {
            // The file's own rows, in the same order and of the same length.
            if (!bitmapio::readAt(fd_, out, count * stride, layout_.pixelOffset + r0 * stride)) {
                return false;
            }
            for (uint64_t k = 0; k < count; ++k) {
                std::memset(out + k * stride + 3 * uint64_t(layout_.width), 0,
                            stride - 3 * uint64_t(layout_.width));
            }
        } else {
            const uint64_t s0 = layout_.topDown ? uint64_t(height - r1) : uint64_t(r0);
            std::vector<uint8_t> in(static_cast<std::size_t>(count * fileStride));
            if (!bitmapio::readAt(fd_, in.data(), count * fileStride,
                                  layout_.pixelOffset + s0 * fileStride)) {
                return false;
            }
            std::vector<uint32_t> px(static_cast<std::size_t>(layout_.width));
            for (uint64_t k = 0; k < count; ++k) {
                const uint64_t s = layout_.topDown ? uint64_t(height - 1 - r0) - k - s0 : k;
                const uint8_t* row = in.data() + s * fileStride;
                uint8_t* o = out + k * stride;
                if (layout_.bitsPerPixel == 24) {
                    std::memcpy(o, row, 3 * std::size_t(layout_.width));
                } else {
                    // B, G, R and an unused byte: the 32-bit pixel's low three bytes.
                    std::memcpy(px.data(), row, 4 * std::size_t(layout_.width));
                    pixels::rgb32ToBgr24(px.data(), o, layout_.width);
                }
                std::memset(o + 3 * uint64_t(layout_.width), 0,
                            stride - 3 * uint64_t(layout_.width));
            }
        }
        // The rows read (and drawn on) come from the picture.
        const int32_t a = std::max(r0, height - last_);
        const int32_t b = std::min(r1, height - first_);
        if (a < b) {
            bitmapio::imageRows(image_, stride, a, b, out + uint64_t(a - r0) * stride);
        }
        return true;
    };
    return bitmapio::writeBitmapFile(
        path, image_.size(), QPoint(image_.dotsPerMeterX(), image_.dotsPerMeterY()), rows, false);
}

}  // namespace tk

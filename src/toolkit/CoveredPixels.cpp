#include "toolkit/CoveredPixels.h"

#include <cstring>

namespace tk {

void CoveredPixels::keep(const QImage& picture, const QRect& area) {
    if (picture.size() != size_ || picture.depth() != depth_) {
        clear();
        size_ = picture.size();
        depth_ = picture.depth();
        columns_ = (size_.width() + kTile - 1) / kTile;
        const int rows = (size_.height() + kTile - 1) / kTile;
        tiles_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows),
                      QImage());
    }
    const QRect part = area.intersected(picture.rect());
    if (part.isEmpty()) {
        return;
    }
    for (int row = part.top() / kTile; row <= part.bottom() / kTile; ++row) {
        for (int column = part.left() / kTile; column <= part.right() / kTile; ++column) {
            QImage& tile = tiles_[static_cast<std::size_t>(row) * columns_ + column];
            if (tile.isNull()) {
                const QRect place =
                    QRect(column * kTile, row * kTile, kTile, kTile).intersected(picture.rect());
                tile = picture.copy(place);
                reach_ |= place;
                ++kept_;
                bytes_ += tile.sizeInBytes();
            }
        }
    }
}

void CoveredPixels::restore(QImage& picture) {
    if (kept_ > 0 && picture.size() == size_ && picture.depth() == depth_) {
        const int pixelBytes = depth_ / 8;
        for (std::size_t k = 0; k < tiles_.size(); ++k) {
            const QImage& tile = tiles_[k];
            if (tile.isNull()) {
                continue;
            }
            const int left = static_cast<int>(k % static_cast<std::size_t>(columns_)) * kTile;
            const int top = static_cast<int>(k / static_cast<std::size_t>(columns_)) * kTile;
            const auto rowBytes = static_cast<std::size_t>(tile.width() * pixelBytes);
            for (int y = 0; y < tile.height(); ++y) {
                std::memcpy(picture.scanLine(top + y) + left * pixelBytes, tile.constScanLine(y),
                            rowBytes);
            }
        }
    }
    clear();
}

void CoveredPixels::clear() {
    tiles_.clear();
    size_ = QSize();
    depth_ = 0;
    columns_ = 0;
    kept_ = 0;
    bytes_ = 0;
    reach_ = QRect();
}

}  // namespace tk

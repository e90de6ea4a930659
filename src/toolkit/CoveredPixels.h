#pragma once
// What a drawing covered of a picture, as it was before: enough to take the
// drawing off again without a second copy of the whole picture. The picture
// is cut into square tiles, and each tile a drawing reaches is kept once,
// before the first drawing changes it.

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

namespace tk {

class CoveredPixels {
public:
    // Keeps the tiles of `picture` (whole bytes a pixel) that `area` reaches
    // and that are not kept yet, as they are now. Everything kept is of the
    // one picture: a picture of another size starts over.
    void keep(const QImage& picture, const QRect& area);
    // Puts every kept pixel back into `picture` (of the size they were kept
    // of) and forgets them.
    void restore(QImage& picture);
    void clear();
    bool isEmpty() const { return kept_ == 0; }
    // The bytes of pixels kept.
    qsizetype bytes() const { return bytes_; }
    // The smallest rectangle that holds every tile kept: all a drawing
    // since clear() may have changed.
    QRect reach() const { return reach_; }

private:
    static constexpr int kTile = 64;

    QSize size_;
    int depth_ = 0;
    int columns_ = 0;
    std::vector<QImage> tiles_;  // row by row; null where nothing is kept
    int kept_ = 0;
    qsizetype bytes_ = 0;
    QRect reach_;
};

}  // namespace tk

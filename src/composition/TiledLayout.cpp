#include "composition/TiledLayout.h"

#include <QPainter>
#include <QRegularExpression>
#include <cmath>

namespace composition {

namespace {

// The whole-tile count n (up to `most`) of the narrowest block whose copies,
// laid from `origin(n)` on, hold [from, to) in one copy, and that copy's start.
template <typename Origin>
std::optional<std::pair<int, double>> narrowest(int tile, int most, double from, double to,
                                                Origin origin) {
    for (int n = 1; n * tile <= most; ++n) {
        const double size = static_cast<double>(n) * tile;
        const double o = origin(n);
        const double k = std::floor((from - o) / size);
        if (to <= o + (k + 1) * size + 1e-6) {
            return std::make_pair(n, o + k * size);
        }
    }
    return std::nullopt;
}

int wrap(double v, int period) {
    const int r = static_cast<int>(std::lround(v)) % period;
    return r < 0 ? r + period : r;
}

}  // namespace

PictureLayout tiledLayout(const WallpaperShow& show, const Monitor& monitor,
                          const QRectF& calendar) {
    const QSize tile = show.picture;
    const QSize screen = monitor.deviceSize();
    const QPointF first = WallpaperMapping(show, monitor).shown().topLeft();
    auto blockOrigin = [&](QSize block) {
        WallpaperShow s = show;
        s.picture = block;
        return WallpaperMapping(s, monitor).shown().topLeft();
    };
    const auto across =
        narrowest(tile.width(), screen.width(), calendar.left(), calendar.right(), [&](int n) {
            return blockOrigin({n * tile.width(), tile.height()}).x();
        });
    const auto down =
        narrowest(tile.height(), screen.height(), calendar.top(), calendar.bottom(), [&](int n) {
            return blockOrigin({tile.width(), n * tile.height()}).y();
        });
    PictureLayout layout;
    if (across && down) {
        layout.size = QSize(across->first * tile.width(), down->first * tile.height());
        layout.offset = QPoint(wrap(across->second - first.x(), layout.size.width()),
                               wrap(down->second - first.y(), layout.size.height()));
        layout.tiled = true;
    } else {
        layout.size = screen;
        layout.offset = QPoint(static_cast<int>(std::lround(-first.x())),
                               static_cast<int>(std::lround(-first.y())));
    }
    return layout;
}

PictureLayout stretchedTileLayout(const WallpaperMapping& mapping) {
    // shown() starts the copy -offset times the stretch left of the monitor.
    PictureLayout layout;
    layout.size = mapping.shown().size().toSize();
    layout.offset =
        QPoint(wrap(-mapping.shown().x() * mapping.scaleX(), mapping.picture().width()),
               wrap(-mapping.shown().y() * mapping.scaleY(), mapping.picture().height()));
    layout.stretched = true;
    return layout;
}

QImage composeLayout(QImage original, const PictureLayout& layout,
                     const std::vector<PlacedCalendar>& calendars) {
    if (layout.isOriginal() || original.isNull()) {
        return composeCalendars(std::move(original), calendars);
    }
    QImage base(layout.size, QImage::Format_RGB32);
    if (base.isNull()) {
        return {};
    }
    {
        QPainter p(&base);
        QBrush tiles(original.convertToFormat(QImage::Format_RGB32));
        QTransform t = QTransform::fromTranslate(-layout.offset.x(), -layout.offset.y());
        if (layout.stretched) {
            // As the desktop's GL draws it: filtered linearly, wrapping round.
            t *= QTransform::fromScale(
                static_cast<double>(layout.size.width()) / original.width(),
                static_cast<double>(layout.size.height()) / original.height());
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        }
        tiles.setTransform(t);
        p.fillRect(base.rect(), tiles);
    }
    // Calendars are placed in the tiled original's pixels, counted from the
    // tile the desktop starts from; the picture starts at `offset` there. A
    // block of tiles repeats, so a calendar goes into its copy of the block.
    std::vector<PlacedCalendar> moved = calendars;
    for (PlacedCalendar& c : moved) {
        c.at -= QPointF(layout.calendarOrigin());
        if (layout.tiled) {
            const double x = std::fmod(c.at.x(), layout.size.width());
            const double y = std::fmod(c.at.y(), layout.size.height());
            c.at =
                QPointF(x < 0 ? x + layout.size.width() : x, y < 0 ? y + layout.size.height() : y);
        }
    }
    original = QImage();
    return composeCalendars(std::move(base), moved);
}

QString layoutText(const PictureLayout& layout) {
    if (layout.isOriginal()) {
        return {};
    }
    return QStringLiteral("%1x%2+%3+%4 %5")
        .arg(layout.size.width())
        .arg(layout.size.height())
        .arg(layout.offset.x())
        .arg(layout.offset.y())
        .arg(layout.stretched ? QStringLiteral("stretched")
             : layout.tiled   ? QStringLiteral("tiled")
                              : QStringLiteral("centred"));
}

std::optional<PictureLayout> parseLayoutText(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return PictureLayout{};
    }
    static const QRegularExpression form(
        QStringLiteral("^(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+) (tiled|centred|stretched)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    PictureLayout layout;
    layout.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    layout.offset = QPoint(m.captured(3).toInt(), m.captured(4).toInt());
    layout.tiled = m.captured(5) == QStringLiteral("tiled");
    layout.stretched = m.captured(5) == QStringLiteral("stretched");
    if (layout.size.width() <= 0 || layout.size.height() <= 0 || layout.size.width() > 65535 ||
        layout.size.height() > 65535) {
        return std::nullopt;
    }
    return layout;
}

}  // namespace composition

#include "PlacementFixture.h"

#include <QRandomGenerator>

#include "calendar/MonthDrawing.h"
#include "system/registry/Registry.h"
#include "toolkit/PictureBox.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Units.h"

QImage makeWallpaper(int width, int height, quint32 seed) {
    QImage img(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(rng.bounded(24));
            row[x] = qRgb((x * 255 / std::max(1, width - 1) + noise) & 0xFF, (y * 7 + noise) & 0xFF,
                          (96 + noise) & 0xFF);
        }
    }
    return img;
}

QFont calendarFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(12);
    f.setBold(true);
    return f;
}

namespace {
void drawCalendar(const std::shared_ptr<tk::PictureSurface>& paper, const FakeChoice& choice,
                  float x, float y) {
    std::array<int32_t, 4> colors{};
    for (size_t k = 0; k < colors.size(); ++k) {
        colors[k] = choice.kindColor(static_cast<int>(k));
    }
    calendar::drawMonth(*paper, QPointF(x, y), QDate(choice.year(), choice.month(), 1),
                        calendar::styleFor(paper->font(), colors, paper->palette()));
}
}  // namespace

QImage wallpaperWithCalendar(const QImage& wallpaper, const FakeChoice& choice, float x, float y) {
    auto paper = std::make_shared<tk::PictureSurface>();
    paper->setAutoSize(true);
    paper->setPicture(wallpaper);
    paper->setFont(calendarFont());
    drawCalendar(paper, choice, x, y);
    return paper->image().copy();
}

std::unique_ptr<tk::PictureBox> makePreview(QSize size, const FakeChoice& choice) {
    auto box = std::make_unique<tk::PictureBox>();
    box->setBoxGeometry(QRect(QPoint(4, 92), size));
    box->surface()->setBackColor(0x00FFFFFF);
    box->surface()->setFont(calendarFont());
    box->surface()->clear();
    drawCalendar(box->surface(), choice, 0, 0);
    return box;
}

long long differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    if (a.size() != b.size()) {
        return -1;
    }
    const QRect r = area.isNull() ? a.rect() : area.intersected(a.rect());
    long long n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            if ((pa[x] & 0xFFFFFF) != (pb[x] & 0xFFFFFF)) {
                ++n;
            }
        }
    }
    return n;
}

QStringList desktopValues() {
    QStringList out;
    for (const char* name :
         {"Wallpaper", "TileWallpaper", "WallpaperOriginX", "WallpaperOriginY"}) {
        out << QStringLiteral("%1=%2").arg(
            QLatin1String(name),
            reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                          QLatin1String(name))
                .value_or(QString()));
    }
    return out;
}

void setDesktopValue(const QString& name, const QString& value) {
    reg::writeText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"), name, value);
}

namespace {
QtMessageHandler g_previousHandler = nullptr;

void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, msg);
    }
}
}  // namespace

void quietPlatformWarnings() {
    g_previousHandler = qInstallMessageHandler(dropPlatformNoise);
}

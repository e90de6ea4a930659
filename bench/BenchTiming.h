#pragma once
// What the wallpaper benchmarks share: a wall-clock timer, the median of
// runs, and an 8K wallpaper with detail in every row.

#include <QImage>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double timed(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return millis(Clock::now() - t0);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline QImage wallpaper8k() {
    QImage img(7680, 4320, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            row[x] = qRgb(x / 30, y / 17, (x ^ y) & 0xFF);
        }
    }
    return img;
}

}  // namespace bench

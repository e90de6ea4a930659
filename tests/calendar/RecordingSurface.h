#pragma once
// A drawing surface that records every call the calendar makes, with the
// colour and position in force at each Print.

#include <QString>
#include <vector>

#include "toolkit/DrawingSurface.h"

struct PrintedText {
    QString text;
    double x;
    double y;
    int32_t color;
};

class RecordingSurface : public tk::DrawingSurface {
public:
    explicit RecordingSurface(double pointSize = 12, double digitWidth = 7)
        : digitWidth_(digitWidth) {
        font_.setPointSizeF(pointSize);
    }

    std::vector<QString> calls;  // "ScaleMode 2", "Cls", "ForeColor ...", "Print ..."
    std::vector<PrintedText> printed;
    int clsCount = 0;

    void setScaleMode(int mode) override {
        mode_ = mode;
        calls.push_back(QStringLiteral("ScaleMode %1").arg(mode));
    }
    int scaleMode() const override { return mode_; }
    QFont font() const override { return font_; }
    double fontSize() const override { return font_.pointSizeF(); }
    void Cls() override {
        ++clsCount;
        x_ = y_ = 0;
        calls.push_back(QStringLiteral("Cls"));
    }
    void setForeColor(int32_t c) override {
        color_ = c;
        calls.push_back(
            QStringLiteral("ForeColor %1").arg(static_cast<uint32_t>(c), 8, 16, QChar(u'0')));
    }
    int32_t foreColor() const override { return color_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    double TextWidth(const QString& t) const override { return digitWidth_ * t.size(); }
    void Print(const QString& t) override {
        printed.push_back({t, x_, y_, color_});
        calls.push_back(QStringLiteral("Print ") + t);
        x_ = 0;
        y_ += font_.pointSizeF();
    }

    // The texts of one pass (first or second half of what was printed).
    std::vector<PrintedText> pass(int index) const {
        const size_t half = printed.size() / 2;
        return {printed.begin() + static_cast<long>(index == 0 ? 0 : half),
                printed.begin() + static_cast<long>(index == 0 ? half : printed.size())};
    }

private:
    QFont font_;
    double digitWidth_;
    int mode_ = 1;
    int32_t color_ = 0;
    double x_ = 0, y_ = 0;
};

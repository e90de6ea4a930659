// Colour values of the font dialog: byte order, and system colours resolved
// through the palette.
#include <gtest/gtest.h>

#include "toolkit/fontdialog/DialogColors.h"

#include <QPalette>

namespace fd = tk::fontdialog;

struct PlainCase {
    int32_t bgr;
    QColor color;
};

class PlainColor : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainColor, ConvertsBothWays) {
    const PlainCase& c = GetParam();
    QPalette palette;
    EXPECT_EQ(fd::toQColor(c.bgr, palette), c.color);
    EXPECT_EQ(fd::toBgr(c.color), c.bgr);
}

INSTANTIATE_TEST_SUITE_P(ByteOrder, PlainColor,
                         ::testing::Values(PlainCase{0x000000FF, QColor(255, 0, 0)},
                                           PlainCase{0x0000FF00, QColor(0, 255, 0)},
                                           PlainCase{0x00FF0000, QColor(0, 0, 255)},
                                           PlainCase{0x00123456, QColor(0x56, 0x34, 0x12)},
                                           PlainCase{0x00FFFFFF, QColor(255, 255, 255)}));

struct SystemCase {
    uint32_t value;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    const char* name;
};

class SystemColor : public ::testing::TestWithParam<SystemCase> {};

TEST_P(SystemColor, ResolvesThroughPalette) {
    const SystemCase& c = GetParam();
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(2, 2, 2));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(3, 3, 3));
    const auto value = static_cast<int32_t>(c.value);
    EXPECT_TRUE(fd::isSystemColor(value));
    EXPECT_EQ(fd::toQColor(value, palette), palette.color(c.group, c.role));
    EXPECT_EQ(fd::colorName(value), QString::fromLatin1(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Palette, SystemColor,
    ::testing::Values(SystemCase{0x80000005u, QPalette::Active, QPalette::Base,
                                 "Window Background"},
                      SystemCase{0x80000008u, QPalette::Active, QPalette::Text, "Window Text"},
                      SystemCase{0x80000011u, QPalette::Disabled, QPalette::Text, "Greyed Text"},
                      // Unknown system colours fall back to the text colour.
                      SystemCase{0x80000001u, QPalette::Active, QPalette::Text, "System Colour"}));

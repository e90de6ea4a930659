// What drawMonth draws and where, through a recording surface.
#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/RecordingSurface.h"

namespace {

Drawn draw(int year, int month, double pointSize = 12, float x0 = 0, float y0 = 0) {
    return drawRecorded(QDate(year, month, 1), pointSize, QPointF(x0, y0));
}

// The units digit of a day. After the title, each cell prints its label
// (row 0, two letters) and then a (tens, units) pair; walk them in order.
const DrawnText* unitsOf(const std::vector<DrawnText>& pass, int day) {
    int d = 0;
    for (size_t i = 1; i + 1 < pass.size();) {
        if (pass[i].text.size() == 2) {
            ++i;
            continue;
        }
        if (++d == day) {
            return &pass[i + 1];
        }
        i += 2;
    }
    return nullptr;
}

TEST(CalendarDrawing, GeometryAtTwelvePoints) {
    const Drawn d = draw(1998, 2);  // starts on a Sunday
    ASSERT_FALSE(d.colour.empty());
    EXPECT_EQ(d.colour[0].x, 12);
    EXPECT_EQ(d.colour[0].y, 0);
    EXPECT_EQ(d.shadow[0].x, 14) << "shadow offset is 2 at 12 points";
    EXPECT_EQ(d.shadow[0].y, 2);
    EXPECT_EQ(d.colour[0].text, calendar::monthTitle(QDate(1998, 2, 1)));

    std::vector<double> labelX;
    for (const auto& t : d.colour) {
        if (t.text.size() == 2) {
            EXPECT_EQ(t.y, 24) << t.text.toStdString();
            labelX.push_back(t.x);
        }
    }
    EXPECT_EQ(labelX, (std::vector<double>{12, 36, 60, 84, 108, 132, 156}));

    std::vector<double> rowY;
    for (const auto& t : d.colour) {
        if (t.text.size() == 1 && (rowY.empty() || rowY.back() != t.y)) {
            rowY.push_back(t.y);
        }
    }
    EXPECT_EQ(rowY, (std::vector<double>{36, 48, 60, 72}))
        << "February 1998 fills four rows exactly";
}

TEST(CalendarDrawing, LabelsInOrderSundayFirst) {
    const Drawn d = draw(2026, 12);
    QStringList labels;
    for (const auto& t : d.colour) {
        if (t.text.size() == 2) {
            labels << t.text;
        }
    }
    EXPECT_EQ(labels.join(u','), QStringLiteral("Su,Mo,Tu,We,Th,Fr,Sa"));
}

TEST(CalendarDrawing, StartPositionShiftsEverything) {
    const Drawn d = draw(1998, 2, 12, 100, 50);
    EXPECT_EQ(d.colour[0].x, 112);
    EXPECT_EQ(d.colour[0].y, 50);
    EXPECT_EQ(unitsOf(d.colour, 1)->x, 100 + 12 + 7);
    EXPECT_EQ(unitsOf(d.colour, 1)->y, 50 + 36);
}

TEST(CalendarDrawing, DaySixAndTwentySevenShareTheUnitsSlot) {
    const Drawn d = draw(1998, 2);
    const DrawnText* six = unitsOf(d.colour, 6);
    const DrawnText* twentySeven = unitsOf(d.colour, 27);
    ASSERT_NE(six, nullptr);
    ASSERT_NE(twentySeven, nullptr);
    EXPECT_EQ(six->text, QStringLiteral("6"));
    EXPECT_EQ(twentySeven->text, QStringLiteral("7"));
    EXPECT_EQ(six->x, twentySeven->x);
    EXPECT_EQ(twentySeven->y - six->y, 3 * 12) << "three rows lower";
    // The tens slot: a space for 6, the digit 2 for 27, one digit width left.
    const auto tensOf = [&](const DrawnText* units) { return *(units - 1); };
    EXPECT_EQ(tensOf(six).text, QStringLiteral(" "));
    EXPECT_EQ(tensOf(twentySeven).text, QStringLiteral("2"));
    EXPECT_EQ(tensOf(six).x, six->x - 7);
}

TEST(CalendarDrawing, FirstAndLastDayColumnsAndColours) {
    // February 1998: day 1 is a Sunday in row 0; August 1998: day 1 is a
    // Saturday and day 31 a Monday in row 5.
    const Drawn feb = draw(1998, 2);
    EXPECT_EQ(unitsOf(feb.colour, 1)->x, 12 + 7);
    EXPECT_EQ(unitsOf(feb.colour, 1)->color, kSunday);
    EXPECT_EQ(unitsOf(feb.colour, 28)->x, 13 * 12 + 7);
    EXPECT_EQ(unitsOf(feb.colour, 28)->color, kSaturday);
    EXPECT_EQ(unitsOf(feb.colour, 29), nullptr);

    const Drawn aug = draw(1998, 8);
    EXPECT_EQ(unitsOf(aug.colour, 1)->x, 13 * 12 + 7);
    EXPECT_EQ(unitsOf(aug.colour, 1)->y, 36);
    EXPECT_EQ(unitsOf(aug.colour, 1)->color, kSaturday);
    EXPECT_EQ(unitsOf(aug.colour, 31)->x, 3 * 12 + 7);
    EXPECT_EQ(unitsOf(aug.colour, 31)->y, 96) << "all six rows are used";
    EXPECT_EQ(unitsOf(aug.colour, 31)->color, kWeekday);
}

TEST(CalendarDrawing, ShadowPassFirstThenEachKindInItsColour) {
    const Drawn d = draw(1998, 8);
    ASSERT_EQ(d.shadow.size(), d.colour.size());
    for (size_t i = 0; i < d.shadow.size(); ++i) {
        EXPECT_EQ(d.shadow[i].color, kShadow);
        EXPECT_EQ(d.shadow[i].text, d.colour[i].text);
        EXPECT_EQ(d.shadow[i].x - d.colour[i].x, 2);
        EXPECT_EQ(d.shadow[i].y - d.colour[i].y, 2);
    }
    EXPECT_EQ(d.colour[0].color, kTitle);
    for (size_t i = 1; i < d.colour.size(); ++i) {
        const int column = static_cast<int>((d.colour[i].x - 12) / 24);
        const QColor want = column == 0 ? kSunday : column == 6 ? kSaturday : kWeekday;
        EXPECT_EQ(d.colour[i].color, want)
            << d.colour[i].text.toStdString() << " at x " << d.colour[i].x;
    }
}

TEST(CalendarDrawing, ShadowOffsetGrowsWithFontSize) {
    const std::pair<double, double> cases[] = {{9, 1},    {9.5, 2},  {12, 2}, {19, 2},
                                               {19.5, 3}, {20.5, 3}, {24, 3}, {36, 4}};
    for (const auto& [size, offset] : cases) {
        const Drawn d = draw(2026, 12, size);
        EXPECT_EQ(d.shadow[0].x - d.colour[0].x, offset) << "font size " << size;
        EXPECT_EQ(d.shadow[0].y - d.colour[0].y, offset) << "font size " << size;
    }
}

}  // namespace

// The composition record as the hive keeps it: each calendar's entry reads
// back exactly (faces with separators and Japanese names included), months
// roll over the year, and a record that is incomplete, garbled or not
// numbered 1, 2, 3, ... reads as damaged rather than as something else.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "composition/CompositionRecord.h"
#include "support/TempHome.h"
#include "system/registry/Hive.h"

namespace {

using namespace composition;

RecordedCalendar sample() {
    RecordedCalendar c;
    c.look.at = QPointF(-12.5, 1e4 / 3);
    c.look.fontPixels = 13 * 4.0 / 3;
    c.look.face = QStringLiteral("ＭＳ Ｐゴシック;x=1,%20");
    c.look.italic = true;
    c.look.strikeout = true;
    c.look.colors = {0x00FFFFFF, 0x000000FF, static_cast<int32_t>(0x80000008), 0};
    c.placedIn = monthIndex(2026, 12);
    c.offset = 1;
    return c;
}

Record sampleRecord(int calendars) {
    Record r;
    r.original = QStringLiteral("/pictures/mein Bild.jpg");
    r.kept = QStringLiteral("/data/tessaryn/original.jpg");
    r.keptSize = 1234567;
    r.keptModified = 1796655367509;
    r.desktop = QStringLiteral("gnome");
    r.output = QStringLiteral("/data/tessaryn/Tessavel.bmp");
    r.composedFor = monthIndex(2027, 1);
    for (int i = 0; i < calendars; ++i) {
        r.calendars.push_back(sample());
    }
    return r;
}

void setRaw(const char* name, const QByteArray& text) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Write);
    ASSERT_EQ(hive.setValue(reg::Root::CurrentUser, kRecordKey, name, reg::ValueType::Text,
                            text + '\0', true),
              reg::Status::Ok);
}

TEST(CompositionRecord, CalendarEntryReadsBackExactly) {
    const RecordedCalendar c = sample();
    const auto back = parseCalendarText(calendarText(c));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->look.at, c.look.at);
    EXPECT_EQ(back->look.fontPixels, c.look.fontPixels);
    EXPECT_EQ(back->look.face, c.look.face);
    EXPECT_FALSE(back->look.bold);
    EXPECT_TRUE(back->look.italic);
    EXPECT_FALSE(back->look.underline);
    EXPECT_TRUE(back->look.strikeout);
    EXPECT_EQ(back->look.colors, c.look.colors);
    EXPECT_EQ(back->placedIn, c.placedIn);
    EXPECT_EQ(back->offset, 1);
    // It showed January 2027, placed in December 2026.
    EXPECT_EQ(back->look.year, 2027);
    EXPECT_EQ(back->look.month, 1);
}

TEST(CompositionRecord, MonthsRollOverTheYear) {
    const RecordedCalendar c = sample();  // "next month"
    const PlacedCalendar inNovember = c.forMonth(monthIndex(2027, 11));
    EXPECT_EQ(inNovember.year, 2027);
    EXPECT_EQ(inNovember.month, 12);
    const PlacedCalendar inDecember = c.forMonth(monthIndex(2027, 12));
    EXPECT_EQ(inDecember.year, 2028);
    EXPECT_EQ(inDecember.month, 1);
    EXPECT_EQ(monthText(monthIndex(2028, 1) - 1), QStringLiteral("2027-12"));
    EXPECT_EQ(parseMonth(QStringLiteral("2027-12")), monthIndex(2027, 12));
    EXPECT_FALSE(parseMonth(QStringLiteral("2027-13")).has_value());
    EXPECT_FALSE(parseMonth(QStringLiteral("2027-1")).has_value());
}

// Placed in the last week of a month for the next one: that month is "this
// month" from its 1st on (the week starts on the 25th of a 31-day month, the
// 23rd of February in a leap year). Earlier days, and records without the
// day, keep the offset.
TEST(CompositionRecord, TheComingMonthBecomesTheCurrentOne) {
    for (const auto& [day, coming] : {std::pair{QDate(2027, 12, 25), true},
                                      {QDate(2027, 12, 24), false},
                                      {QDate(2028, 2, 23), true},
                                      {QDate(2028, 2, 22), false}}) {
        RecordedCalendar c = sample();
        c.placedIn = monthIndex(day.year(), day.month());
        c.placedOn = day;
        const auto back = parseCalendarText(calendarText(c));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->placedOn, day);
        EXPECT_EQ(back->forComingMonth(), coming) << qPrintable(day.toString(Qt::ISODate));
        EXPECT_EQ(back->offsetIn(c.placedIn), 1);
        EXPECT_EQ(back->offsetIn(c.placedIn + 1), coming ? 0 : 1);
        EXPECT_EQ(back->offsetIn(c.placedIn + 13), coming ? 0 : 1);
    }
    RecordedCalendar old = sample();
    EXPECT_EQ(old.offsetIn(old.placedIn + 1), 1);
    old.placedOn = QDate(2027, 11, 30);  // another month than "placed"
    EXPECT_FALSE(parseCalendarText(calendarText(old)).has_value());
}

TEST(CompositionRecord, GarbledEntriesAreRefused) {
    const QString good = calendarText(sample());
    EXPECT_TRUE(parseCalendarText(good).has_value());
    for (const QString& bad :
         {QString(), QStringLiteral("at=oops"),
          QString(good).replace(QStringLiteral("at=-12.5,"), QStringLiteral("at=x,")),
          QString(good).replace(QStringLiteral("offset=1"), QStringLiteral("offset=5000")),
          QString(good).replace(QStringLiteral("placed=2026-12"), QStringLiteral("placed=2026-00")),
          QString(good).replace(QStringLiteral("0x000000ff"), QStringLiteral("0xnothex")),
          QString(good).replace(QStringLiteral(";face="), QStringLiteral(";fac=")),
          QString(good).replace(QStringLiteral("px="), QStringLiteral("px=-"))}) {
        EXPECT_FALSE(parseCalendarText(bad).has_value()) << qPrintable(bad);
    }
}

TEST(CompositionRecord, WholeRecordReadsBack) {
    TempHome home;
    EXPECT_EQ(readRecord().state, ReadResult::State::Missing);
    ASSERT_TRUE(writeRecord(sampleRecord(3)).isEmpty());
    ASSERT_TRUE(appendCalendar(sample(), 4).isEmpty());
    const ReadResult r = readRecord();
    ASSERT_EQ(r.state, ReadResult::State::Ok) << qPrintable(r.error);
    EXPECT_EQ(r.record.original, QStringLiteral("/pictures/mein Bild.jpg"));
    EXPECT_EQ(r.record.keptModified, 1796655367509);
    EXPECT_EQ(r.record.composedFor, monthIndex(2027, 1));
    EXPECT_FALSE(r.record.restored);
    EXPECT_EQ(r.record.calendars.size(), 4u);
    // A forget rewrites it whole, numbered again from 1.
    Record fewer = r.record;
    fewer.calendars.erase(fewer.calendars.begin());
    fewer.composedFor.reset();
    ASSERT_TRUE(writeRecord(fewer).isEmpty());
    const ReadResult after = readRecord();
    ASSERT_EQ(after.state, ReadResult::State::Ok);
    EXPECT_EQ(after.record.calendars.size(), 3u);
    EXPECT_FALSE(after.record.composedFor.has_value());
}

TEST(CompositionRecord, IncompleteOrMisnumberedRecordsAreDamaged) {
    TempHome home;
    ASSERT_TRUE(writeRecord(sampleRecord(2)).isEmpty());
    setRaw("Calendar 4", calendarText(sample()).toLocal8Bit());  // no 3
    ReadResult r = readRecord();
    EXPECT_EQ(r.state, ReadResult::State::Damaged);
    EXPECT_TRUE(r.error.contains(QStringLiteral("numbered")));

    ASSERT_TRUE(writeRecord(sampleRecord(1)).isEmpty());
    setRaw("KeptSize", "big");
    r = readRecord();
    EXPECT_EQ(r.state, ReadResult::State::Damaged);

    ASSERT_TRUE(writeRecord(sampleRecord(1)).isEmpty());
    setRaw("Original", "");
    r = readRecord();
    EXPECT_EQ(r.state, ReadResult::State::Damaged);
    EXPECT_TRUE(r.error.contains(QStringLiteral("\"original\"")));
}

TEST(CompositionRecord, OurOutputAndItsShownCopiesAreRecognised) {
    TempHome home;
    EXPECT_TRUE(isOurOutput(outputPath()));
    // A shown copy stands for the picture beside it only while that picture exists.
    const QString dir = QFileInfo(outputPath()).path();
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile output(outputPath());
    ASSERT_TRUE(output.open(QIODevice::WriteOnly));
    output.close();
    EXPECT_TRUE(isOurOutput(dir + QStringLiteral("/.Tessavel.bmp.shown-1.png")));
    EXPECT_TRUE(
        isOurOutput(QStringLiteral("/elsewhere/T.bmp"), QStringLiteral("/elsewhere/T.bmp")));
    EXPECT_FALSE(isOurOutput(dir + QStringLiteral("/original.bmp")));
    EXPECT_FALSE(isOurOutput(QStringLiteral("/pictures/Tessavel.bmp")));
    EXPECT_FALSE(isOurOutput(QString()));
}

}  // namespace

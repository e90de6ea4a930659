// The numbers of a calendar: the command line takes sizes and places only in
// range, a record holding others is damaged, and drawing stays within a
// bounded memory and reports when it runs out.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

#include "placement/CalendarBounds.h"
#include "placement/CompositionRecord.h"
#include "support/TempHome.h"
#include "toolkit/Units.h"

namespace {

struct Outcome {
    int status;
    QString out, err;
};
Outcome tessaryn(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TESSARYN_PROGRAM), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The process may use `spare` bytes of data beyond what it uses now.
struct DataLimit {
    rlimit old{};
    explicit DataLimit(rlim_t spare) {
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        const QByteArray s = status.readAll();
        const qsizetype at = s.indexOf("VmData:") + 7;
        getrlimit(RLIMIT_DATA, &old);
        rlimit l = old;
        l.rlim_cur = s.mid(at, s.indexOf("kB", at) - at).trimmed().toULongLong() * 1024 + spare;
        setrlimit(RLIMIT_DATA, &l);
    }
    ~DataLimit() { setrlimit(RLIMIT_DATA, &old); }
};

// A calendar whose title starts at the picture's left edge.
PlacedCalendar calendar(double fontPixels) {
    return {QPointF(-fontPixels, 0),
            fontPixels,
            QStringLiteral("Liberation Sans"),
            true,
            false,
            false,
            false,
            {0xFFFFFF, 0xFF, 0xFF0000, 0xFFFF},
            2026,
            1};
}

}  // namespace

TEST(NumberLimits, CommandLineTakesSizesAndPlacesOnlyInRange) {
    TempHome home;
    const QString base = home.root() + QStringLiteral("/base.bmp");
    QImage(64, 48, QImage::Format_RGB32).save(base);
    const QStringList compose{"compose", "--base", base,
                              "--year",  "2026",   "--month",
                              "1",       "--out",  home.root() + QStringLiteral("/out.bmp")};
    for (const char* size : {"nan", "-inf", "1e-9", "0.99", "2000.01"}) {
        const Outcome r = tessaryn(compose + QStringList{"--at", "1,1", "--size", size});
        EXPECT_TRUE(r.status == 2 && r.err.startsWith("tessaryn: --size wants"))
            << size << qPrintable(r.err);
    }
    for (const char* at : {"nan,1", "1,1e308", "inf,0", "1000000.5,0", "0,-1000001"}) {
        const Outcome r = tessaryn(compose + QStringList{"--at", at});
        EXPECT_TRUE(r.status == 2 && r.err.startsWith("tessaryn: --at wants"))
            << at << qPrintable(r.err);
    }
    EXPECT_EQ(tessaryn(compose + QStringList{"--at", "-1e6,1000000", "--size", "1"}).status, 0);
}

TEST(NumberLimits, RecordWithSizeOrPlaceOutOfRangeIsDamaged) {
    TempHome home;
    const QString good = QStringLiteral(
        "at=10,20;px=6898;style=;colors=0x0,0x0,0x0,0x0;placed=2026-01;offset=0;face=Arial");
    ASSERT_TRUE(composition::parseCalendarText(good));
    for (const char* bad : {"px=nan", "px=inf", "px=6899", "px=-0", "at=nan,20", "at=10,2e6"}) {
        const QString field = QString::fromLatin1(bad).section(QLatin1Char('='), 0, 0);
        QString text = good;
        text.replace(QRegularExpression(field + QStringLiteral("=[^;]*")), QLatin1String(bad));
        EXPECT_FALSE(composition::parseCalendarText(text)) << bad;
    }
    composition::Record rec{"/o.bmp", "/k.bmp", 1, 1, "none", 0, "/t.bmp", {}, false, {}};
    rec.calendars = {{calendar(NAN), 0, 0}};
    ASSERT_EQ(composition::writeRecord(rec), QString());
    for (const char* command : {"list", "refresh"}) {
        const Outcome r = tessaryn({command});
        EXPECT_TRUE(r.status == 1 && r.err.contains("is damaged")) << command << qPrintable(r.err);
        EXPECT_FALSE(r.out.contains("nan")) << qPrintable(r.out);
    }
}

TEST(NumberLimits, DrawingStaysInBoundedMemoryAndReportsRunningOut) {
    tk::overrideDpi(96);
    QImage small(800, 600, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    const QImage free = composeCalendars(small, {calendar(2000 * 96 / 72.0)});
    {
        const DataLimit limit(64 << 20);
        EXPECT_EQ(composeCalendars(small, {calendar(2000 * 96 / 72.0)}), free);
    }
    QImage large(4000, 4000, QImage::Format_RGB32);
    large.fill(Qt::darkCyan);
    const DataLimit limit(88 << 20);  // the 64 MiB copy, not the 50 MiB of the title on it
    EXPECT_TRUE(composeCalendars(large, {calendar(4000)}).isNull());
}

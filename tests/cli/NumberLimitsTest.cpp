// A calendar's numbers: only sizes and places in range, in the command line and
// the record; drawing in bounded memory, and running out of it, reported.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFile>
#include <QProcess>
#include <cmath>
#include <cstdlib>

#include "composition/CompositionRecord.h"
#include "support/TempHome.h"
#include "toolkit/Units.h"

namespace {

// Runs the program: its status (-1: a crash) and what it printed.
std::pair<int, QString> tessaryn(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(TESSARYN_PROGRAM), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAll()};
}

// The process may use `spare` bytes of data beyond what it uses now.
struct DataLimit {
    rlimit old{};
    explicit DataLimit(rlim_t spare) {
        QFile f(QStringLiteral("/proc/self/status"));
        const QByteArray s = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        getrlimit(RLIMIT_DATA, &old);
        const rlimit l{
            std::strtoull(s.constData() + s.indexOf("VmData:") + 7, nullptr, 10) * 1024 + spare,
            old.rlim_max};
        setrlimit(RLIMIT_DATA, &l);
    }
    ~DataLimit() { setrlimit(RLIMIT_DATA, &old); }
};

// A calendar whose title starts at the picture's left edge.
composition::PlacedCalendar calendar(double px) {
    return {QPointF(-px, 0), px, QStringLiteral("Liberation Sans")};
}

}  // namespace

TEST(NumberLimits, CommandLineTakesSizesAndPlacesOnlyInRange) {
    TempHome home;
    const QString base = home.root() + QStringLiteral("/base.bmp");
    QImage(64, 48, QImage::Format_RGB32).save(base);
    const QString compose =
        "compose --year 2026 --month 1 --at 1,1 --base " + base + " --out " + base + ".out.bmp ";
    for (const char* bad : {"size nan", "size -inf", "size 1e-9", "size 2000.01", "at nan,1",
                            "at 1,1e308", "at inf,0", "at 1000000.5,0", "at 0,-1000001"}) {
        const auto [status, text] = tessaryn((compose + "--" + bad).split(' '));
        EXPECT_TRUE(status == 2 &&
                    text.startsWith("tessaryn: --" + QString(bad).section(' ', 0, 0)));
    }
    EXPECT_EQ(tessaryn((compose + "--at -1e6,1000000 --size 1").split(' ')).first, 0);
}

TEST(NumberLimits, RecordWithSizeOrPlaceOutOfRangeIsDamaged) {
    TempHome home;
    const QString entry = QStringLiteral(
        "at=%1;px=%2;style=;colors=0x0,0x0,0x0,0x0;placed=2026-01;offset=0;face=Arial");
    EXPECT_TRUE(composition::parseCalendarText(entry.arg("-1e6,1e6", "6898")));
    for (const QString bad : {"0,0 nan", "0,0 inf", "0,0 6899", "0,0 -0", "nan,0 20", "0,2e6 1"}) {
        EXPECT_FALSE(
            composition::parseCalendarText(entry.arg(bad.section(' ', 0, 0), bad.section(' ', 1))));
    }
    composition::Record rec;
    rec.original = "/o.bmp";
    rec.kept = "/k.bmp";
    rec.keptSize = 1;
    rec.keptModified = 1;
    rec.desktop = "none";
    rec.output = "/t.bmp";
    composition::RecordedCalendar damaged;
    damaged.look = calendar(NAN);
    rec.calendars = {damaged};
    ASSERT_EQ(composition::writeRecord(rec), QString());
    // list shows the damaged line as such; refresh stops on it
    const auto [listStatus, listText] = tessaryn({"list"});
    EXPECT_TRUE(listStatus == 0 && listText.contains("1. damaged") && !listText.contains("nan"))
        << listText.toStdString();
    const auto [status, text] = tessaryn({"refresh"});
    EXPECT_TRUE(status == 1 && text.contains("is damaged")) << text.toStdString();
}

TEST(NumberLimits, DrawingStaysInBoundedMemoryAndReportsRunningOut) {
    tk::overrideDpi(96);
    QImage small(800, 600, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    const QImage free = composition::composeCalendars(small, {calendar(2000 / 0.75)});
    {
        const DataLimit limit(64 << 20);
        EXPECT_EQ(composition::composeCalendars(small, {calendar(2000 / 0.75)}), free);
    }
    const QImage large(4000, 4000, QImage::Format_RGB32);
    const DataLimit limit(88 << 20);  // the 64 MiB copy, not the 50 MiB of the title on it
    EXPECT_TRUE(composition::composeCalendars(large, {calendar(4000)}).isNull());
}

// compose's command line, read without running anything.
#include <gtest/gtest.h>

#include "cli/ComposeCommand.h"

namespace {

QStringList args(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(ComposeArguments, ReadsEveryOption) {
    const cli::ComposeArguments a = cli::readComposeArguments(
        args("--base in.png --year 2026 --month 2 --at -10.5,20 --out out.bmp --font DejaVu "
             "--size 30 --style bold,Italic --color sunday=0x123456 --color weekday=255"));
    ASSERT_EQ(a.error, QString());
    const composition::PlacedCalendar& c = a.options.calendar;
    EXPECT_EQ(a.options.base, QStringLiteral("in.png"));
    EXPECT_EQ(a.options.out, QStringLiteral("out.bmp"));
    EXPECT_EQ(a.options.sizePoints, 30);
    EXPECT_EQ(c.year, 2026);
    EXPECT_EQ(c.month, 2);
    EXPECT_EQ(c.at, QPointF(-10.5, 20));
    EXPECT_EQ(c.face, QStringLiteral("DejaVu"));
    EXPECT_TRUE(c.bold && c.italic && !c.underline && !c.strikeout);
    EXPECT_EQ(c.colors, (std::array<int32_t, 4>{0x00FFFFFF, 0x123456, 0x00FF0000, 255}));
}

TEST(ComposeArguments, SaysWhatIsWrong) {
    // Each case's options follow a complete set; a later value wins.
    const QStringList complete = args("--base b --year 2026 --month 12 --at 0,0 --out o");
    const std::pair<const char*, const char*> cases[] = {
        {"--month 13", "--month wants 1 to 12, not \"13\""},
        {"--at 1,2,3", "--at wants X,Y in pixels from -1000000 to 1000000, not \"1,2,3\""},
        {"--color sunday=0x1000000",
         "--color wants month, sunday, saturday or weekday =0xBBGGRR, not \"sunday=0x1000000\""},
        {"--style heavy",
         "--style knows regular, bold, italic, underline, strikeout, not \"heavy\""},
        {"extra", "compose takes no argument \"extra\""},
    };
    for (const auto& [text, error] : cases) {
        EXPECT_EQ(cli::readComposeArguments(complete + args(text)).error, QString::fromUtf8(error));
    }
    EXPECT_EQ(cli::readComposeArguments(complete.mid(0, 8)).error,
              QStringLiteral("compose needs --out"));
    EXPECT_TRUE(cli::readComposeArguments(args("--help")).help);
    EXPECT_FALSE(cli::readComposeArguments(args("--bogus")).error.isEmpty());
}

}  // namespace

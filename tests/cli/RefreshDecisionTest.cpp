// What a refresh decides from the record alone.
#include <gtest/gtest.h>

#include "cli/RecordCommands.h"
#include "composition/CompositionRecord.h"

namespace {

using cli::RefreshStep;

TEST(RefreshDecision, RenewsOnlyWhatIsOutOfDate) {
    const QDate day(2026, 12, 8);
    const int december = composition::monthIndex(2026, 12);
    composition::Record rec;
    rec.composedFor = december;
    EXPECT_EQ(cli::decideRefresh(rec, day, false, true).step, RefreshStep::AlreadyCurrent);
    EXPECT_EQ(cli::decideRefresh(rec, day, false, false).step, RefreshStep::Renew);  // file gone
    EXPECT_EQ(cli::decideRefresh(rec, QDate(2027, 1, 1), false, true).step, RefreshStep::Renew);
    EXPECT_EQ(cli::decideRefresh(rec, QDate(2027, 1, 1), false, true).target,
              composition::monthIndex(2027, 1));
    rec.composedFor.reset();  // damaged or never composed
    EXPECT_EQ(cli::decideRefresh(rec, day, false, true).step, RefreshStep::Renew);

    // After a restore only --resume renews, even the current month.
    rec.composedFor = december;
    rec.restored = true;
    EXPECT_EQ(cli::decideRefresh(rec, day, false, true).step, RefreshStep::LeaveRestored);
    const cli::RefreshDecision resumed = cli::decideRefresh(rec, day, true, true);
    EXPECT_EQ(resumed.step, RefreshStep::Renew);
    EXPECT_TRUE(resumed.resuming);
    EXPECT_FALSE(cli::decideRefresh(composition::Record{}, day, true, true).resuming);
}

}  // namespace

#include <cfs_timer.h>

#include <gtest/gtest.h>

using namespace kestrova;

TEST(Stopwatch, LapAndStop)
{
    ManualClock clock(10000000);
    TCFSTimer timer(false, clock);
    EXPECT_FALSE(timer.Running());
    EXPECT_TRUE(timer.HasCounter());
    timer.Start();
    clock.AdvanceMs(1500);
    timer.Lap();
    EXPECT_EQ(timer.ElapsedMs(), 1500);
    clock.AdvanceMs(250);
    EXPECT_EQ(timer.ElapsedMs(), 1500);   // moves only with a lap
    timer.Stop();
    EXPECT_EQ(timer.ElapsedMs(), 1750);
    clock.AdvanceMs(5000);
    timer.Lap();
    EXPECT_EQ(timer.ElapsedMs(), 1750);
}

TEST(Stopwatch, TruncatesAndStartsOnCreate)
{
    ManualClock clock(3);   // three counts per second
    TCFSTimer timer(true, clock);
    EXPECT_TRUE(timer.Running());
    clock.AdvanceCounts(2);
    timer.Lap();
    EXPECT_EQ(timer.ElapsedMs(), 666);
}

TEST(Stopwatch, WithoutCounterTheFrequencyIsMilliseconds)
{
    ManualClock clock(1000000, false);
    TCFSTimer timer(false, clock);
    EXPECT_FALSE(timer.HasCounter());
    EXPECT_EQ(timer.Frequency(), 1000);
}

TEST(Stopwatch, SystemClockIsMonotonicNanoseconds)
{
    TCFSTimer timer(true);
    EXPECT_TRUE(timer.HasCounter());
    EXPECT_EQ(timer.Frequency(), 1000000000);
    timer.Lap();
    EXPECT_GE(timer.ElapsedMs(), 0);
    EXPECT_GE(timer.LapCount(), timer.StartCount());
}

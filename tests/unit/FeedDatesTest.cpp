#include "core/weather/FeedDates.h"

#include <gtest/gtest.h>

using namespace meltemix;

namespace {

struct ClockCase {
    const char* text;
    std::uint16_t hour;
    std::uint16_t minute;
};

class FeedDateClock : public testing::TestWithParam<ClockCase> {};

TEST_P(FeedDateClock, ReadsTheTwelveHourClock) {
    SystemTime t;
    ASSERT_TRUE(ReadFeedDate(GetParam().text, t));
    EXPECT_EQ(t.wHour, GetParam().hour);
    EXPECT_EQ(t.wMinute, GetParam().minute);
}

INSTANTIATE_TEST_SUITE_P(Markers, FeedDateClock,
                         testing::Values(ClockCase{"Mon, 07 Dec 2026 12:10 am", 0, 10},
                                         ClockCase{"Mon, 07 Dec 2026 12:10 pm", 12, 10},
                                         ClockCase{"Mon, 07 Dec 2026 1:05 pm", 13, 5},
                                         ClockCase{"Mon, 07 Dec 2026 1:05", 1, 5},
                                         ClockCase{"Mon, 07 Dec 2026 5:50 PM EET", 17, 50},
                                         ClockCase{"Mon, 07 Dec 2026 9:07 am", 9, 7},
                                         ClockCase{"Mon, 07 Dec 2026 9:07 xm", 9, 7}));

} // namespace

TEST(FeedDate, ReadsEveryField) {
    SystemTime t;
    t.wMilliseconds = 99;
    ASSERT_TRUE(ReadFeedDate("Mon, 07 Dec 2026 5:50 pm EET", t));
    EXPECT_EQ(t.wDayOfWeek, 1);
    EXPECT_EQ(t.wDay, 7);
    EXPECT_EQ(t.wMonth, 12);
    EXPECT_EQ(t.wYear, 2026);
    EXPECT_EQ(t.wHour, 17);
    EXPECT_EQ(t.wMinute, 50);
    EXPECT_EQ(t.wSecond, 0);
    EXPECT_EQ(t.wMilliseconds, 0);
}

TEST(FeedDate, EmptyTextLeavesTheRecordAlone) {
    SystemTime t;
    t.wYear = 1999;
    EXPECT_FALSE(ReadFeedDate("", t));
    EXPECT_FALSE(ReadServerTime("", t));
    EXPECT_EQ(t.wYear, 1999);
}

TEST(FeedDate, UnknownNamesGive65535AndTheRestIsStillRead) {
    SystemTime t;
    ASSERT_TRUE(ReadFeedDate("Xyz, 07 December 2026 5:50 pm", t));
    EXPECT_EQ(t.wDayOfWeek, 65535);
    EXPECT_EQ(t.wMonth, 65535);
    EXPECT_EQ(t.wDay, 7);
    EXPECT_EQ(t.wYear, 2026);
    EXPECT_EQ(t.wHour, 17);
}

TEST(FeedDate, MonthAndDayNamesIgnoreCaseOnly) {
    EXPECT_EQ(MonthFromName("dec"), 12);
    EXPECT_EQ(MonthFromName("DEC"), 12);
    EXPECT_EQ(MonthFromName("Jan"), 1);
    EXPECT_EQ(MonthFromName("December"), -1);
    EXPECT_EQ(MonthFromName("De"), -1);
    EXPECT_EQ(MonthFromName(""), -1);
    EXPECT_EQ(DayFromName("sun"), 0);
    EXPECT_EQ(DayFromName("SAT"), 6);
    EXPECT_EQ(DayFromName("Monday"), -1);
}

TEST(FeedDate, HugeNumbersSaturate) {
    SystemTime t;
    ASSERT_TRUE(ReadFeedDate("Mon, 99999999999999999999999 Dec 65536 65535:07 pm", t));
    EXPECT_EQ(t.wDay, 65535);
    EXPECT_EQ(t.wYear, 65535);
    EXPECT_EQ(t.wHour, 65535);
    EXPECT_EQ(t.wMinute, 7);
}

TEST(FeedDate, AValueSlotMovesOnEvenWhenTheTokenIsOfAnotherKind) {
    SystemTime t;
    // Without the weekday every later token lands one slot early; a separator slot waits
    // for its separator instead.
    ASSERT_TRUE(ReadFeedDate("07 Dec 2026 5:50 pm", t));
    EXPECT_EQ(t.wDayOfWeek, 0);
    EXPECT_EQ(t.wDay, 0);
    EXPECT_EQ(t.wMonth, 0);
    EXPECT_EQ(t.wYear, 5);
    EXPECT_EQ(t.wMinute, 50);
    EXPECT_EQ(t.wHour, 12); // 0 read as hour, then "pm"
}

TEST(ServerTime, ReadsTheCommentClock) {
    SystemTime t;
    ASSERT_TRUE(ReadServerTime("Mon Dec  7 06:21:12 PST 2026", t));
    EXPECT_EQ(t.wDayOfWeek, 1);
    EXPECT_EQ(t.wMonth, 12);
    EXPECT_EQ(t.wDay, 7);
    EXPECT_EQ(t.wHour, 6);
    EXPECT_EQ(t.wMinute, 21);
    EXPECT_EQ(t.wSecond, 12);
    EXPECT_EQ(t.wYear, 2026);

    ASSERT_TRUE(ReadServerTime("Tue Dec 8 23:01:02 2026", t));
    EXPECT_EQ(t.wYear, 2026) << "the zone name is optional";
    EXPECT_EQ(t.wHour, 23);
}

TEST(NextHour, WrapsAtMidnightOnly) {
    std::uint16_t hour = 23;
    NextHour(hour);
    EXPECT_EQ(hour, 0);
    hour = 7;
    NextHour(hour);
    EXPECT_EQ(hour, 8);
}

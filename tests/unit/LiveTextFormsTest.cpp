#include "core/provider/FeedTimeForms.h"
#include "core/provider/NumberText.h"
#include "core/weather/FeedDates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meltemix;

TEST(LiveNumberText, RoundingAndSigns) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{11.4, 0, "11"},    {11.5, 0, "12"},      {-11.5, 0, "-12"},   {-0.4, 0, "0"},
                 {-0.5, 0, "-1"},    {0.0, 0, "0"},        {-0.0, 2, "0.00"},   {41.01384, 2, "41.01"},
                 {-68.3, 2, "-68.30"}, {-0.004, 2, "0.00"}, {0.05, 1, "0.1"},   {28.94966, 4, "28.9497"},
                 {1e9, 0, "1000000000"}};
    for (const auto& c : cases)
        EXPECT_EQ(FixedText(c.value, c.decimals), c.text) << c.value;
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e10})
        EXPECT_FALSE(WholeText(bad)) << bad;
}

TEST(LiveTimeForms, ReadByTheFeedReaders) {
    const struct {
        const char* iso;
        const char* feed;
        int hour;
    } cases[] = {{"2026-12-08T00:05", "Tue, 08 Dec 2026 12:05 am EET", 0},
                 {"2026-12-08T12:00", "Tue, 08 Dec 2026 12:00 pm EET", 12},
                 {"2026-12-08T16:45:30", "Tue, 08 Dec 2026 4:45 pm EET", 16},
                 {"2028-02-29T09:07", "Tue, 29 Feb 2028 9:07 am EET", 9}};
    for (const auto& c : cases) {
        const auto time = ReadIsoDateTime(c.iso);
        ASSERT_TRUE(time) << c.iso;
        const std::string text = FeedDateText(*time, "EET");
        EXPECT_EQ(text, c.feed);
        SystemTime read;
        ASSERT_TRUE(ReadFeedDate(text, read));
        EXPECT_EQ(read.wHour, c.hour) << c.iso;
        ASSERT_TRUE(ReadServerTime(ServerClockText(*time, "EET"), read));
        EXPECT_EQ(read.wHour, c.hour) << c.iso;
        EXPECT_NE(read.wYear, 0) << c.iso;
    }
    for (const char* bad : {"", "2026-12-08", "2026-12-08 16:45", "2026-13-08T16:45",
                            "2026-02-29T10:00", "2026-12-08T24:00", "2026-12-08T16:60",
                            "2026-12-08T16:45:", "2026-12-08T16:45Z", "+026-12-08T16:45"})
        EXPECT_FALSE(ReadIsoDateTime(bad)) << bad;
    EXPECT_FALSE(ReadIsoDate("2026-12-08T00:00"));
    EXPECT_EQ(DayAbbrevText(*ReadIsoDate("2026-12-07")), "Mon");
    EXPECT_EQ(ForecastDateText(*ReadIsoDate("2026-01-05")), "5 Jan 2026");
}

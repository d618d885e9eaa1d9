// What goes into a request address and what comes back as a body.
#include "core/net/ResponseBody.h"
#include "core/text/PercentEncode.h"

#include <gtest/gtest.h>

#include <deque>

using namespace meltemix;

TEST(PercentEncode, KeepsOnlyTheUnreservedCharacters) {
    EXPECT_EQ(PercentEncode("TUXX0014"), "TUXX0014");
    EXPECT_EQ(PercentEncode("a-b.c_d~e"), "a-b.c_d~e");
    EXPECT_EQ(PercentEncode("New York"), "New%20York");
    EXPECT_EQ(PercentEncode("a&b=c#d/e?f+g%"), "a%26b%3Dc%23d%2Fe%3Ff%2Bg%25");
    EXPECT_EQ(PercentEncode("İzmir Çeşme"), "%C4%B0zmir%20%C3%87e%C5%9Fme");
    EXPECT_EQ(PercentEncode(std::string("a\0b\r\n", 5)), "a%00b%0D%0A");
}

namespace {
// Plays a server: each entry is one read's bytes; an entry "!" is a failed read.
ChunkReader serve(std::deque<std::string> reads, int* calls = nullptr) {
    return [reads, calls](char* buffer, std::uint32_t capacity, std::uint32_t& read) mutable {
        if (calls)
            ++*calls;
        EXPECT_EQ(capacity, 8193u);
        if (reads.empty()) {
            read = 0;
            return true;
        }
        std::string next = reads.front();
        reads.pop_front();
        if (next == "!") {
            read = 0;
            return false;
        }
        std::copy(next.begin(), next.end(), buffer);
        read = static_cast<std::uint32_t>(next.size());
        return true;
    };
}
} // namespace

TEST(ResponseBody, CollectsChunksUntilAnEmptyRead) {
    std::string body = "stale";
    EXPECT_EQ(ReadResponseBody(serve({"<rss>", std::string(8193, 'x'), "</rss>"}), body), 0);
    EXPECT_EQ(body, "<rss>" + std::string(8193, 'x') + "</rss>");

    EXPECT_EQ(ReadResponseBody(serve({}), body), 0);
    EXPECT_EQ(body, "");
}

TEST(ResponseBody, AFailedReadKeepsWhatArrived) {
    std::string body;
    EXPECT_EQ(ReadResponseBody(serve({"<rss><chan", "!", "never read"}), body), 0);
    EXPECT_EQ(body, "<rss><chan");
    EXPECT_EQ(ReadResponseBody(serve({"!"}), body), 0);
    EXPECT_EQ(body, "");
}

TEST(ResponseBody, ABodyPastTheLimitIsNoResponse) {
    int calls = 0;
    ChunkReader endless = [&](char* buffer, std::uint32_t capacity, std::uint32_t& read) {
        ++calls;
        std::fill(buffer, buffer + capacity, 'x');
        read = capacity;
        return true;
    };
    std::string body;
    EXPECT_EQ(ReadResponseBody(endless, body, 100000), -1);
    EXPECT_EQ(body, "");
    EXPECT_EQ(calls, 13); // stops at the read that crosses the limit, not later

    EXPECT_EQ(ReadResponseBody(serve({std::string(100, 'a')}), body, 100), 0);
    EXPECT_EQ(body.size(), 100u);
}

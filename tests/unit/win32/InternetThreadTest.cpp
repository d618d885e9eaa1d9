// The download worker's thread and its one message, with real threads and a real queue.
#include "win32/platform/InternetDownload.h"
#include "win32/platform/InternetThread.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace meltemix;

namespace {

constexpr UINT Done = WM_APP + 7;

// Waits for the worker's message on this thread's queue; the code in lParam, or 99 for none.
LPARAM waitForMessage(DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        if (PeekMessageW(&msg, nullptr, Done, Done, PM_REMOVE))
            return msg.lParam;
        Sleep(5);
    }
    return 99;
}

class InternetThreadTest : public testing::Test {
protected:
    InternetThreadTest() {
        window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    }
    ~InternetThreadTest() override { DestroyWindow(window); }
    HWND window;
};

TEST_F(InternetThreadTest, PostsTheJobsCodeWithItsText) {
    TInternetThread worker(window, Done, [](std::string& text) {
        text = "<rss/>";
        return 0;
    });
    worker.Start();
    EXPECT_EQ(waitForMessage(), 0);
    EXPECT_EQ(worker.ResultText(), "<rss/>");
}

TEST_F(InternetThreadTest, AnErrorInTheThreadStillAnswersWithMinusOne) {
    TInternetThread worker(window, Done, [](std::string& text) -> int {
        text = "half";
        throw std::runtime_error("out of memory");
    });
    worker.Start();
    EXPECT_EQ(waitForMessage(), -1);
    EXPECT_EQ(worker.ResultText(), "");
}

TEST_F(InternetThreadTest, ARefusedConnectionIsMinusOne) {
    // Port 9 on the loopback: nothing listens there.
    LiveMemory memory(SystemTicks);
    DownloadPlan plan;
    plan.Address = "http://127.0.0.1:9/forecastrss/x.xml";
    TInternetThread worker(window, Done, DownloadJob(plan, memory));
    worker.Start();
    EXPECT_EQ(waitForMessage(30000), -1);
}

TEST_F(InternetThreadTest, AWorkerNeverStartedEndsWithoutAMessage) {
    bool ran = false;
    {
        TInternetThread worker(window, Done, [&](std::string&) {
            ran = true;
            return 0;
        });
    }
    EXPECT_FALSE(ran);
    EXPECT_EQ(waitForMessage(200), 99);
}

} // namespace

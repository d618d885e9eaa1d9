// The download worker's thread and its one message, with real threads and a real queue.
#include "win32/platform/CriticalSectionLock.h"
#include "win32/platform/InternetDownload.h"
#include "win32/platform/InternetThread.h"

#include "LoopbackListener.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace meltemix;

namespace {

constexpr UINT Done = WM_APP + 7;

class InternetThreadTest : public testing::Test {
protected:
    InternetThreadTest() {
        window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    }
    ~InternetThreadTest() override { DestroyWindow(window); }

    // Waits for the worker's message to this test's window; the code in lParam, or 99 for
    // none. Only this window's: a worker let go of by an earlier test may still answer its own.
    LPARAM waitForMessage(DWORD milliseconds = 10000) const {
        const DWORD start = GetTickCount();
        MSG msg;
        while (GetTickCount() - start < milliseconds) {
            if (PeekMessageW(&msg, window, Done, Done, PM_REMOVE))
                return msg.lParam;
            Sleep(5);
        }
        return 99;
    }

    HWND window;
};

TEST_F(InternetThreadTest, PostsTheJobsCodeWithItsText) {
    TInternetThread worker(window, Done, [](std::string& text, DownloadCancel&) {
        text = "<rss/>";
        return 0;
    });
    worker.Start();
    EXPECT_EQ(waitForMessage(), 0);
    EXPECT_EQ(worker.ResultText(), "<rss/>");
}

TEST_F(InternetThreadTest, AnErrorInTheThreadStillAnswersWithMinusOne) {
    TInternetThread worker(window, Done, [](std::string& text, DownloadCancel&) -> int {
        text = "half";
        throw std::runtime_error("out of memory");
    });
    worker.Start();
    EXPECT_EQ(waitForMessage(), -1);
    EXPECT_EQ(worker.ResultText(), "");
}

TEST_F(InternetThreadTest, ARefusedConnectionIsMinusOne) {
    // Port 9 on the loopback: nothing listens there.
    DownloadPlan plan;
    plan.Address = "http://127.0.0.1:9/forecastrss/x.xml";
    TInternetThread worker(window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks, std::make_unique<CriticalSectionLock>())));
    worker.Start();
    EXPECT_EQ(waitForMessage(30000), -1);
}

// The close of the program must not wait for a server that says nothing. Where the system
// does not give up the call at once (Wine does not), the worker is let go of.
TEST_F(InternetThreadTest, ACancelledDownloadAsksForNothingMoreAndAHangingOneIsLetGo) {
    // A server that accepts connections and never answers.
    const test::LoopbackListener silent([](SOCKET) { return false; });
    DownloadPlan plan;
    plan.Address = silent.url("http", "/forecastrss/x.xml");
    TInternetThread cancelled(window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks, std::make_unique<CriticalSectionLock>())));
    cancelled.Cancel();
    cancelled.Start();
    EXPECT_EQ(waitForMessage(), -1);
    EXPECT_TRUE(cancelled.WaitEnd(5000));
    EXPECT_EQ(silent.accepted(), 0);

    auto hanging = std::make_unique<TInternetThread>(
        window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks, std::make_unique<CriticalSectionLock>())));
    hanging->Start();
    for (int i = 0; i < 500 && silent.accepted() == 0; ++i)
        Sleep(10);
    ASSERT_EQ(silent.accepted(), 1);
    hanging->Cancel();
    const DWORD before = GetTickCount();
    if (!hanging->WaitEnd(200))
        TInternetThread::Abandon(std::move(hanging)); // must not wait for the thread
    EXPECT_LT(GetTickCount() - before, 1000u);
}

TEST_F(InternetThreadTest, AWorkerNeverStartedEndsWithoutAMessage) {
    bool ran = false;
    {
        TInternetThread worker(window, Done, [&](std::string&, DownloadCancel&) {
            ran = true;
            return 0;
        });
    }
    EXPECT_FALSE(ran);
    EXPECT_EQ(waitForMessage(200), 99);
}

} // namespace

// The download worker's thread and its one message, with real threads and a real queue.
#include "win32/platform/InternetDownload.h"
#include "win32/platform/InternetThread.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

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

// A server that accepts connections and never answers, as one that hangs does.
class SilentListener {
public:
    SilentListener() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        ::listen(socket_, 8);
        thread_ = std::thread([this] {
            for (SOCKET client; (client = ::accept(socket_, nullptr, nullptr)) != INVALID_SOCKET;) {
                clients_.push_back(client);
                ++accepted_;
            }
        });
    }
    ~SilentListener() {
        closesocket(socket_);
        thread_.join();
        for (SOCKET client : clients_)
            closesocket(client);
        WSACleanup();
    }
    std::string url() const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/forecastrss/x.xml";
    }
    int accepted() const { return accepted_; }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
    std::vector<SOCKET> clients_;
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

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
    TInternetThread worker(window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks)));
    worker.Start();
    EXPECT_EQ(waitForMessage(30000), -1);
}

// The close of the program must not wait for a server that says nothing. Where the system
// does not give up the call at once (Wine does not), the worker is let go of.
TEST_F(InternetThreadTest, ACancelledDownloadAsksForNothingMoreAndAHangingOneIsLetGo) {
    SilentListener silent;
    DownloadPlan plan;
    plan.Address = silent.url();
    TInternetThread cancelled(window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks)));
    cancelled.Cancel();
    cancelled.Start();
    EXPECT_EQ(waitForMessage(), -1);
    EXPECT_TRUE(cancelled.WaitEnd(5000));
    EXPECT_EQ(silent.accepted(), 0);

    auto hanging = std::make_unique<TInternetThread>(
        window, Done, DownloadJob(plan, std::make_shared<LiveMemory>(SystemTicks)));
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

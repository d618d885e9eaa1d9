// The live jobs' GET with real WinInet against a listener on the loopback that speaks only
// plain HTTP, as the public services do for Windows XP.
#include "win32/platform/InternetDownload.h"

#include "LoopbackListener.h"

#include <wininet.h>

#include <gtest/gtest.h>

#include <string>

using namespace meltemix;

namespace {

// Answers every connection with one plain-HTTP response, whatever arrives first.
test::LoopbackListener PlainHttpListener() {
    return test::LoopbackListener([](SOCKET client) {
        char buffer[4096];
        ::recv(client, buffer, sizeof buffer, 0);
        static const char kAnswer[] =
            "HTTP/1.0 418 Teapot\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
        ::send(client, kAnswer, sizeof kAnswer - 1, 0);
        ::shutdown(client, SD_SEND);
        return true;
    });
}

} // namespace

TEST(InternetGet, TellsAFailedSecureChannelFromNoResponse) {
    const test::LoopbackListener listener = PlainHttpListener();
    const HttpGet get = InternetGet(L"Meltemix test");
    std::string body;
    int status = 0;
    EXPECT_EQ(get(listener.url("https", "/v1/x"), body, status), HttpOutcome::SecureChannel);
    EXPECT_EQ(get(listener.url("http", "/v1/x"), body, status), HttpOutcome::Response);
    EXPECT_EQ(status, 418);
    EXPECT_EQ(body, "ok");
    // Port 9 on the loopback: nothing listens there, over either scheme.
    EXPECT_EQ(get("https://127.0.0.1:9/", body, status), HttpOutcome::NoResponse);
    EXPECT_EQ(get("http://127.0.0.1:9/", body, status), HttpOutcome::NoResponse);
}

// Plain HTTP only where no secure connection can be had at all: a wrong clock or a captive
// portal's certificate must not send a system that has TLS 1.2 to plain HTTP.
TEST(InternetGet, WhichErrorsMeanNoSecureConnectionCanBeSetUp) {
    struct Case {
        unsigned long error;
        bool onOldSystem, onNewSystem;
    };
    const Case cases[] = {
        {ERROR_INTERNET_SECURITY_CHANNEL_ERROR, true, true}, // the handshake failed
        {ERROR_INTERNET_INVALID_CA, true, false},            // roots as old as the system
        {ERROR_INTERNET_SEC_CERT_DATE_INVALID, false, false}, // a wrong clock
        {ERROR_INTERNET_SEC_CERT_CN_INVALID, false, false},   // a portal answering for the host
        {ERROR_INTERNET_SEC_CERT_ERRORS, false, false},
        {ERROR_INTERNET_SEC_INVALID_CERT, false, false},
        {ERROR_INTERNET_SEC_CERT_REVOKED, false, false},
        {ERROR_INTERNET_CANNOT_CONNECT, false, false},
        {ERROR_INTERNET_TIMEOUT, false, false},
        {ERROR_INTERNET_NAME_NOT_RESOLVED, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSecureChannelError(c.error, true), c.onOldSystem) << c.error;
        EXPECT_EQ(IsSecureChannelError(c.error, false), c.onNewSystem) << c.error;
    }
}

TEST(InternetGet, SystemsWithoutTls12) {
    struct Case {
        unsigned long major, minor;
        bool lacks;
    };
    const Case cases[] = {{5, 1, true},  {5, 2, true},  {6, 0, true},
                          {6, 1, false}, {6, 2, false}, {6, 3, false}, {10, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(LacksTls12(c.major, c.minor), c.lacks) << c.major << "." << c.minor;
}

// A server that takes the request and then drops the connection (a network going down under
// a request) gave no answer: that is a failed download, not an empty document that would
// take the place of the weather on screen.
TEST(InternetDownload, AConnectionResetBeforeAnyAnswerIsNoResponse) {
    const test::LoopbackListener listener([](SOCKET client) {
        char buffer[4096];
        ::recv(client, buffer, sizeof buffer, 0);
        const linger reset = {1, 0};
        ::setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
                     sizeof reset);
        return true;
    });
    std::string body = "old";
    int status = -1;
    EXPECT_EQ(InternetDownload(L"Meltemix test", listener.url("http", "/forecastrss/X_c.xml"),
                              body, &status, nullptr, nullptr),
              -1);
    EXPECT_EQ(body, "");
    EXPECT_EQ(InternetDownload(L"Meltemix test", listener.url("http", "/forecastrss/X_c.xml"),
                              body, nullptr, nullptr, nullptr),
              -1);
}

// The firmware version request against a small HTTP server on 127.0.0.1, and the comparison.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "LocalHttpServer.h"
#include "app/device/VersionCheck.h"

namespace {

FetchOptions Quick()
{
    FetchOptions options;
    options.connectTimeoutMs = 500;
    options.totalTimeoutMs = 500;
    return options;
}

} // namespace

TEST(VersionCheck, CompareVersions)
{
    struct Case
    {
        const wchar_t* current;
        const wchar_t* latest;
        int result;
    } cases[] = {{L"103", L"104", 1},      {L"104", L"103", -1},
                 {L"103", L"103", 0},      {L"103", L"1.04", 2},
                 {L"1.2.3", L"1.2.10", 1}, {L"1.10", L"1.9", -1},
                 {L"1.04", L"1.4", 0},     {L"103", L"abc", -1},
                 {L"0", L"x", 0},          {L"1", L"99999999999999999999999", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(CompareVersions(c.current, c.latest), c.result) << c.current << " / " << c.latest;

    EXPECT_EQ(FirmwareVersionText(0x0103), L"103");
    EXPECT_EQ(FirmwareVersionText(0x1A2B), L"1A2B");
    EXPECT_EQ(FormatDisplayedVersion(L"Firmware", L"103"), L"Firmware: V1.03");
    EXPECT_EQ(FormatDisplayedVersion(L"FW", L"1.04"), L"FW: V1.04");
    EXPECT_EQ(FormatDisplayedVersion(L"FW", L"7"), L"FW: V7.7");
}

TEST(VersionCheck, AnswersOfTheServer)
{
    LocalHttpServer server;
    struct Case
    {
        std::string answer;
        const wchar_t* current;
        bool shown;
        int state;
        const wchar_t* latest;
    } cases[] = {
        {"104", L"103", true, FirmwareUpdateState::UpdateAvailable, L"104"},
        {"103", L"104", true, FirmwareUpdateState::UpToDate, L"103"},
        {"103", L"103", true, FirmwareUpdateState::UpToDate, L"103"},
        {"1.04", L"103", true, FirmwareUpdateState::UpdateAvailable, L"1.04"},
        {"105\r\n", L"103", true, FirmwareUpdateState::UpdateAvailable, L"105"},
        {"", L"103", false, FirmwareUpdateState::NotChecked, L""},
        {"1.2.3.4.5.67", L"103", false, FirmwareUpdateState::NotChecked, L""}, // 12 characters
        {"123456789", L"103", true, FirmwareUpdateState::UpdateAvailable, L"123456789"},
        {"104", L"", false, FirmwareUpdateState::NotChecked, L"104"},
        {"\xE7\x89\x88\xE6\x9C\xAC", L"103", true, FirmwareUpdateState::UpToDate, L"\x7248\x672C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        server.Answer(c.answer);
        FirmwareUpdateState state;
        EXPECT_EQ(CheckFirmwareVersion(server.Url(), c.current, state), c.shown);
        EXPECT_EQ(state.updateState, c.state);
        EXPECT_EQ(state.latestVersion, c.latest);
    }

    std::string request = server.LastRequest();
    EXPECT_EQ(request.rfind("GET /mouse/version HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("User-Agent: IIC2.0/PC 5.5.0000\r\n"), std::string::npos);
    EXPECT_NE(request.find("Accept: */*\r\n"), std::string::npos);
    EXPECT_NE(request.find("Cache-Control: no-cache\r\n"), std::string::npos);
    EXPECT_NE(request.find("Pragma: no-cache\r\n"), std::string::npos);
}

TEST(VersionCheck, FailedRequestsKeepThePreviousResult)
{
    LocalHttpServer server;
    FirmwareUpdateState state;
    server.Answer("104");
    ASSERT_TRUE(CheckFirmwareVersion(server.Url(), L"103", state));
    ASSERT_EQ(state.updateState, FirmwareUpdateState::UpdateAvailable);

    // An error page is not a version, an empty address and other schemes are not asked.
    server.Answer("Not Found", 404);
    EXPECT_FALSE(CheckFirmwareVersion(server.Url(), L"103", state, Quick()));
    EXPECT_FALSE(CheckFirmwareVersion(L"", L"103", state, Quick()));
    EXPECT_FALSE(CheckFirmwareVersion(L"file:///etc", L"103", state, Quick()));
    EXPECT_EQ(state.updateState, FirmwareUpdateState::UpdateAvailable);
    EXPECT_EQ(state.latestVersion, L"");

    std::wstring body = L"stale";
    EXPECT_EQ(FetchVersionText(server.Url() + L"/mouse/version", body, Quick()), FetchFailed);
    EXPECT_EQ(body, L"");
}

TEST(VersionCheck, SilentOrClosedServerEndsWithinTheTimeOut)
{
    LocalHttpServer server;
    server.StaySilent();
    FirmwareUpdateState state;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CheckFirmwareVersion(server.Url(), L"103", state, Quick()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    // Nobody listens on the port any more.
    std::wstring url;
    {
        LocalHttpServer gone;
        url = gone.Url();
    }
    std::wstring body;
    EXPECT_EQ(FetchVersionText(url, body, Quick()), FetchFailed);
}

TEST(VersionCheck, HugeAnswerIsCutAtTheLimit)
{
    LocalHttpServer server;
    server.Answer(std::string(1 << 20, '7'));
    std::wstring body;
    EXPECT_EQ(FetchVersionText(server.Url(), body), FetchOk);
    EXPECT_EQ(body.size(), 64u * 1024);
    FirmwareUpdateState state;
    EXPECT_FALSE(CheckFirmwareVersion(server.Url(), L"103", state));
}

TEST(VersionCheck, CancelledRequest)
{
    LocalHttpServer server;
    server.StaySilent();
    std::atomic<bool> keepGoing{true};
    FetchOptions options;
    options.keepGoing = &keepGoing;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        keepGoing = false;
    });
    std::wstring body;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchVersionText(server.Url(), body, options), FetchCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    canceller.join();
}

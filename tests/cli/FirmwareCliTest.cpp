// korvane-cli firmware-check against the virtual mouse and a local version server.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "LocalHttpServer.h"
#include "TempFolder.h"
#include "platform/Text.h"

namespace {

struct CliResult
{
    int status = -1;
    std::string out;
};

CliResult RunCli(const std::string& arguments)
{
    std::string command = std::string(KORVANE_RUNTIME_DIR) + "/korvane-cli " + arguments + " 2>&1";
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[512];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, got);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

TEST(FirmwareCli, ComparesTheServersVersionWithTheMouses)
{
    ScopedXdgHome home;
    LocalHttpServer server;
    const std::string url = platform::ToUtf8(server.Url());
    struct Case
    {
        std::string scenario, answer;
        int status;
        std::string expected;
    } cases[] = {
        {"release=103", "104", 0, "current: 103\nlatest: 104\nupdate available: firmware: V1.04\n"},
        {"release=104", "103", 0, "current: 104\nlatest: 103\nup to date\n"},
        {"release=103", "1.04", 0, "current: 103\nlatest: 1.04\nupdate available: firmware: V1.04\n"},
        {"usb=0,receiver=0", "104", 0, "current: -\nlatest: 104\nno device to compare with\n"},
        {"release=103", "", 1,
         "current: 103\nkorvane-cli: no usable version answer from " + url + "/mouse/version\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario + " / " + c.answer);
        server.Answer(c.answer);
        CliResult r = RunCli("--simulate=" + c.scenario + " firmware-check " + url);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.expected);
    }
    EXPECT_EQ(RunCli("firmware-check " + url + " " + url).status, 2);
}

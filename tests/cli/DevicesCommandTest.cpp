#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

TEST(DevicesCommand, ListsTheInterfacesOfEachScenario)
{
    CliRunner cli;
    struct Case
    {
        const char* args;
        const char* out;
    };
    const Case cases[] = {
        {"--simulate devices", "0 1209:0001 USB 101 1 KV01 0103\n"
                               "1 1209:0001 USB 101 1 KV01 0103\n"
                               "2 1209:0002 2.4G 0 1 - 0103\n"
                               "3 1209:0002 2.4G 0 1 - 0103\n"},
        {"--simulate=usb=0,release=0207 devices", "0 1209:0002 2.4G 101 1 KV01 0207\n"
                                                  "1 1209:0002 2.4G 101 1 KV01 0207\n"},
        {"--simulate=model=201,devid=KT02 devices", "0 1209:0003 USB 201 1 KT02 0103\n"
                                                    "1 1209:0003 USB 201 1 KT02 0103\n"},
    };
    for (const Case& c : cases) {
        const CliResult r = cli.Run(c.args);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

TEST(DevicesCommand, ExitStatusAndOneLineMessages)
{
    CliRunner cli;
    struct Case
    {
        const char* args;
        int status;
    };
    const Case cases[] = {
        {"", 2},
        {"--simulate nosuchcommand", 2},
        {"--bogus devices", 2},
        {"--simulate=usb=3 devices", 2},
        {"--wire-log=x.txt devices", 2},
        {"--simulate devices extra", 2},
        {"--simulate=usb=0,receiver=0 devices", 1},
        {"--simulate=model=999 devices", 1},
    };
    for (const Case& c : cases) {
        const CliResult r = cli.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(Lines(r.err), 1) << c.args << ": " << r.err;
        EXPECT_EQ(r.err.rfind("korvane-cli: ", 0), 0u) << r.err;
    }
}

TEST(DevicesCommand, WireLogAndTraceFile)
{
    CliRunner cli;
    const std::string wire = cli.File("wire.txt");
    const std::string trace = cli.File("trace.txt");
    const CliResult r = cli.Run("--simulate=receiver=0,sensor=5,battery=42 --wire-log=" + wire +
                                " --trace=" + trace + " devices");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string log = CliRunner::Read(wire);
    // The 0x30 request as written (33 bytes) and the 64-byte answer: id "KV01", bytes 8-9,
    // sensor 5, rate capability 0x40, not charging, battery 42, connected.
    const std::string request = "out 0030" + std::string(31 * 2, '0') + "\n";
    const std::string reply = "in 300000004b5630310001054000"
                              "2a01" +
                              std::string(49 * 2, '0') + "\n";
    EXPECT_EQ(log, request + reply + request + reply);
    const std::string lines = CliRunner::Read(trace);
    EXPECT_NE(lines.find("========== EnumerateDevice Complete! Total=2, HasUSB=YES ==========\n"),
              std::string::npos);
}

} // namespace

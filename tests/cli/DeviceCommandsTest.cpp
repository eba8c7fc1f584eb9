#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceCommands, StatusReadApplyResetAgainstTheVirtualMouse)
{
    CliRunner cli;
    const std::string sim = "--simulate=memory=" + cli.File("mouse.txt") + ",sensor=4,battery=37,charging=1";

    CliResult r = cli.Run(sim + " status");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "device: 101 Korvane Vector\nconnection: USB cable\nconnected: yes\nbattery: 37%\n"
                     "charging: yes\nsensor: 4 (DPI 100 to 8000)\nreport rates: 7\n");

    r = cli.Run(sim + " read");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("dpi_count=5\ndpi_index=1\ndpi_group0_value=800\n"), std::string::npos) << r.out;

    // apply writes the stored profile; the mouse keeps it in its memory file.
    r = cli.Run(sim + ",usb=0 --wire-log=" + cli.File("wire.txt") + " apply");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string wire = CliRunner::Read(cli.File("wire.txt"));
    for (const char* command :
         {"out 0009", "out 0003", "out 0004", "out 0002", "out 0006", "out 0007", "out 0005"})
        EXPECT_NE(wire.find(command), std::string::npos) << command;
    EXPECT_NE(CliRunner::Read(cli.File("mouse.txt")).find("korvane-sim-memory 1"), std::string::npos);

    r = cli.Run(sim + " reset");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "factory settings restored (profile 1)\n");
}

TEST(DeviceCommands, FailuresAndWatch)
{
    CliRunner cli;
    struct Case
    {
        const char* args;
        int status;
    };
    const Case cases[] = {
        {"--simulate=usb=0,online=0 status", 1}, // the receiver's mouse is off
        {"--simulate=usb=0,receiver=0 apply", 1},
        {"--simulate=latency=2000 read", 1}, // answers too late to identify the mouse
        {"--simulate status extra", 2},
        {"--simulate watch abc", 2},
    };
    for (const Case& c : cases) {
        const CliResult r = cli.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.out << r.err;
        EXPECT_EQ(Lines(r.err), 1) << c.args << ": " << r.err;
    }

    const CliResult r = cli.Run("--simulate=press=300 watch 1");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("dpi: stage 3 of 5", 0), 0u) << r.out;
}

} // namespace

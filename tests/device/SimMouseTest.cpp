#include "SimDeviceFixture.h"

#include "platform/DeviceNotifier.h"

#include <fstream>

namespace {

TEST(SimMemory, FileRoundTripAndCorruptFiles)
{
    TempFolder folder;
    SimMemory m = SimMemory::Factory();
    m.reportRate = 4;
    m.dpiLevels[3] = {1, 2, 3, 4};
    m.macroPackets[2] = {{2, 0x30, 0x32, 0, 4}, {9, 9}};
    ASSERT_TRUE(m.Save(folder.File("m.txt")));
    SimMemory loaded;
    ASSERT_TRUE(SimMemory::Load(folder.File("m.txt"), loaded));
    EXPECT_TRUE(loaded == m);

    const char* corrupt[] = {"", "something else\n", "korvane-sim-memory 1\nreport_rate=zz\n",
                             "korvane-sim-memory 1\ndpi_levels=0102\n",
                             "korvane-sim-memory 1\nmacro.99=01\n"};
    for (const char* text : corrupt) {
        std::ofstream(folder.File("bad.txt")) << text;
        SimMemory out;
        out.reportRate = 77;
        EXPECT_FALSE(SimMemory::Load(folder.File("bad.txt"), out)) << text;
        EXPECT_TRUE(out == SimMemory::Factory()) << text;
    }
}

using SimWorld = SimDeviceFixture;

TEST_F(SimWorld, MemoryFileSurvivesRestartAndPlugEventsAreNotified)
{
    TempFolder folder;
    Configure("memory=" + folder.File("mouse.txt"));
    SimMemory m = sim.Memory();
    m.liftoffHeight = 2;
    sim.SetMemory(m);
    RefreshAndUse(101);
    sim.PressDpiButton();

    SimTransport again;
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(SimScenario::Parse("memory=" + folder.File("mouse.txt"), scenario, error));
    ASSERT_TRUE(again.Configure(scenario, manager().Definitions(), error));
    EXPECT_EQ(again.Memory().liftoffHeight, 2);
    EXPECT_EQ(again.Memory().dpiIndexCount, 0x25);

    // Every interface of a link hears an unsolicited report, yet the link sent it once.
    ASSERT_TRUE(sim.OpenWireLog(folder.File("wire.txt")));
    sim.PressDpiButton();
    std::ifstream wire(folder.File("wire.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(wire, line);)
        lines.push_back(line.substr(0, 7));
    EXPECT_EQ(lines, (std::vector<std::string>{"in d235", "in d235"})); // cable and receiver

    platform::DeviceNotifier notifier;
    std::vector<platform::DeviceChange> changes;
    notifier.Start([&](const platform::DeviceChange& c) { changes.push_back(c); });
    sim.SetNotifier(&notifier);
    sim.Plug(SimTransport::Receiver, false);
    sim.Plug(SimTransport::Receiver, true);
    ASSERT_EQ(changes.size(), 6u);
    EXPECT_EQ(changes[2].kind, platform::DeviceChange::Removal);
    EXPECT_EQ(manager().UpdateUSBDevice(false, changes[2].path, false, 0, 0, true), 3);
    EXPECT_EQ(manager().UpdateUSBDevice(true, changes[5].path, changes[5].usageKnown, changes[5].usagePage,
                                        changes[5].usage, true),
              2);
    sim.SetNotifier(nullptr);
}

TEST(SimScenarioParse, KeysAndErrors)
{
    SimScenario s;
    std::string error;
    ASSERT_TRUE(
        SimScenario::Parse("model=201,usb=0,sensor=0x26,release=0105,devid=AB12,battery=55", s, error));
    EXPECT_EQ(s.model, 201);
    EXPECT_FALSE(s.usb);
    EXPECT_EQ(s.sensor, 38);
    EXPECT_EQ(s.release, 0x105);
    for (const char* bad : {"usb=2", "battery=101", "nokey=1", "usb", "devid=TOOLONG", "sensor=x"})
        EXPECT_FALSE(SimScenario::Parse(bad, s, error)) << bad;
}

} // namespace

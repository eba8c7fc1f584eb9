#include "SimDeviceFixture.h"

#include <array>
#include <cstring>
#include <numeric>

namespace {

std::array<uint8_t, 65> Frame(uint8_t command)
{
    std::array<uint8_t, 65> f{};
    f[1] = command;
    return f;
}

TEST(Checksum, SumsDataBytesFiveToThirtyOne)
{
    struct Case
    {
        std::vector<std::pair<int, uint8_t>> bytes;
        uint8_t expected;
    };
    const Case cases[] = {
        {{}, 0x00},
        {{{5, 0xFF}, {6, 0x02}}, 0x01},
        {{{1, 0x09}, {3, 0x01}, {4, 0x15}}, 0x00},    // header bytes are not summed
        {{{31, 0x10}, {32, 0x77}, {33, 0x55}}, 0x10}, // nor anything from byte 32 on
    };
    for (const Case& c : cases) {
        std::array<uint8_t, 65> f{};
        for (auto [i, v] : c.bytes)
            f[static_cast<size_t>(i)] = v;
        EXPECT_EQ(HidDeviceManager::Checksum(f.data()), c.expected);
    }
}

using ReportExchange = SimDeviceFixture;

TEST_F(ReportExchange, ValidReplyAfterPauseAndChecksumWritten)
{
    RefreshAndUse(101);
    sim.ClearWritten();
    const auto sleepsBefore = clock.Sleeps().size();
    auto f = Frame(0x02);
    f[4] = 1;
    f[5] = 3;
    EXPECT_TRUE(manager().SendCommand(f.data(), 33, true));
    const auto written = sim.Written();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_EQ(written[0].size(), 33u);
    EXPECT_EQ(written[0][32], 3);
    EXPECT_EQ(f[0], 0x02); // the frame now holds the reply
    EXPECT_EQ(f[1], 0x00);
    const auto sleeps = clock.Sleeps();
    ASSERT_EQ(sleeps.size(), sleepsBefore + 1);
    EXPECT_EQ(sleeps.back(), 66);
}

TEST_F(ReportExchange, ReplyWaitSequences)
{
    RefreshAndUse(101);
    struct Case
    {
        const char* name;
        SimFaults faults;
        bool ok;
        size_t timedOutReads;
    };
    SimFaults errorFirst;
    errorFirst.errorFirst = 1;
    SimFaults none;
    none.noReply = 1;
    SimFaults late;
    late.lateReplies = 1;
    late.lateMs = 100;
    SimFaults tooShort;
    tooShort.shortReplies = 1;
    tooShort.shortLength = 1;
    const Case cases[] = {
        {"status 1 then status 0", errorFirst, true, 0},
        {"no reply: 50 reads of 30 ms", none, false, 50},
        {"reply within the window", late, true, 4},
        {"one-byte reply is no status", tooShort, false, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.SetFaults(c.faults);
        const size_t waitsBefore = clock.Waits().size();
        auto f = Frame(0x12);
        EXPECT_EQ(manager().SendCommand(f.data(), 33, true), c.ok);
        const auto waits = clock.Waits();
        EXPECT_EQ(waits.size() - waitsBefore, c.timedOutReads);
        for (size_t i = waitsBefore; i < waits.size(); ++i)
            EXPECT_EQ(waits[i], 30);
    }
}

TEST_F(ReportExchange, LateReplyIsConsumedByTheNextCommand)
{
    RefreshAndUse(101);
    SimFaults late;
    late.lateReplies = 1;
    late.lateMs = 2000; // beyond the 1.5 s window
    sim.SetFaults(late);
    auto first = Frame(0x12);
    EXPECT_FALSE(manager().SendCommand(first.data(), 33, true));
    EXPECT_EQ(first[1], 0x12); // nothing read: the caller's frame is unchanged
    auto second = Frame(0x13);
    EXPECT_TRUE(manager().SendCommand(second.data(), 33, true));
    EXPECT_EQ(second[0], 0x12); // the stale answer of the first command
}

TEST_F(ReportExchange, LongFramesAreWrittenAndReadWhole)
{
    RefreshAndUse(101);
    sim.ClearWritten();
    auto f = Frame(0x05);
    f[4] = 24;
    f[40] = 0xAB; // beyond the checksum: travels, is not summed
    EXPECT_TRUE(manager().SendCommand(f.data(), 65, true));
    ASSERT_EQ(sim.Written().back().size(), 65u);
    EXPECT_EQ(sim.Written().back()[40], 0xAB);
}

TEST_F(ReportExchange, NothingIsSentWithoutAnOpenedManagerOrHandle)
{
    auto f = Frame(0x02);
    EXPECT_FALSE(manager().SendCommand(f.data(), 33, true)); // not opened
    Configure("usb=0,online=0");
    RefreshAndUse(101); // only an offline receiver: no handle
    sim.ClearWritten();
    EXPECT_FALSE(manager().SendCommand(f.data(), 33, true));
    EXPECT_TRUE(sim.Written().empty());
}

TEST_F(ReportExchange, UnplugInTheMiddleOfACommandFailsAtOnce)
{
    RefreshAndUse(101);
    SimFaults unplug;
    unplug.unplugOnNextCommand = true;
    sim.SetFaults(unplug);
    const size_t waitsBefore = clock.Waits().size();
    auto f = Frame(0x12);
    EXPECT_FALSE(manager().SendCommand(f.data(), 33, true));
    EXPECT_EQ(clock.Waits().size(), waitsBefore); // no 1.5 s wait for a vanished device
    auto g = Frame(0x12);
    EXPECT_FALSE(manager().SendCommand(g.data(), 33, true)); // the write fails now
}

TEST_F(ReportExchange, GarbageRepliesNeverCrash)
{
    RefreshAndUse(101);
    SimFaults garbage;
    garbage.garbageReplies = 20;
    sim.SetFaults(garbage);
    for (int i = 0; i < 20; ++i) {
        auto f = Frame(0x13);
        manager().SendCommand(f.data(), 65, true);
    }
    uint8_t info[65];
    ASSERT_TRUE(manager().RequestDeviceInfo(info, nullptr));
}

TEST_F(ReportExchange, RequestDeviceInfoTimingAndStoredCopy)
{
    RefreshAndUse(101);
    HidHandle handle = manager().CurrentHandle();
    ASSERT_NE(handle, nullptr);
    const size_t sleepsBefore = clock.Sleeps().size();
    uint8_t info[65];
    ASSERT_TRUE(manager().RequestDeviceInfo(info, handle));
    const auto sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<int>(sleeps.begin() + static_cast<long>(sleepsBefore), sleeps.end()),
              (std::vector<int>{20, 20}));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(info + 4), 4), "KV01");
    EXPECT_EQ(info[10], 17);
    EXPECT_EQ(info[14], 1);

    // A receiver status report waiting on the handle is not taken for the answer.
    sim.SendReport(SimTransport::Cable, {0xD1, 0x00, 0x50, 0x00});
    ASSERT_TRUE(manager().RequestDeviceInfo(info, handle));
    EXPECT_EQ(info[0], 0x30);
    EXPECT_EQ(info[10], 17);

    // Without a handle: the stored reply of the current record.
    uint8_t stored[65] = {};
    ASSERT_TRUE(manager().RequestDeviceInfo(stored, nullptr));
    EXPECT_EQ(std::memcmp(stored, info, 15), 0);

    SimFaults none;
    none.noReply = 1;
    sim.SetFaults(none);
    EXPECT_FALSE(manager().RequestDeviceInfo(info, handle));
    manager().SetCurrentDeviceType(999);
    EXPECT_FALSE(manager().RequestDeviceInfo(stored, nullptr));
}

} // namespace

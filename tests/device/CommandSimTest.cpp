// The command set end to end: settings in the store, commands through the device manager and
// the HID seam to the virtual mouse, its memory and the wire, and the read-back home again.
#include <gtest/gtest.h>

#include <map>
#include <mutex>

#include "TempFolder.h"
#include "app/device/ButtonCommands.h"
#include "app/device/DeviceCommands.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/SensorTable.h"
#include "app/device/sim/SimTransport.h"
#include "app/store/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace {

constexpr int kType = 7;

class CommandSimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetTraceSink([this](int, const std::string& line) {
            std::lock_guard lock(m_traceLock);
            m_trace.push_back(line);
        });
        m_sim.SetLinkIds(SimTransport::Cable, 0x1209, 0x0001, 0x0103);
        m_device.AddDefinition({0x1209, 0x0001, L"", kType, 0, L"KV01"});
        m_device.RefreshDevices();
        m_device.SetCurrentDeviceType(kType);
        platform::MakeFolders(m_temp.Path() + "/db");
        ASSERT_TRUE(m_store.OpenDeviceDatabase(m_temp.Path() + "/", L"m1"));
        m_profile = m_store.EnsureProfiles();
        ASSERT_GT(m_profile, 0);
        m_sim.ClearWritten();
        std::lock_guard lock(m_traceLock);
        m_trace.clear();
    }
    void TearDown() override { platform::SetTraceSink(nullptr); }

    void UseSensor(int code)
    {
        SimMouse::Identity identity = m_sim.Identity();
        identity.sensorCode = static_cast<uint8_t>(code);
        m_sim.SetIdentity(identity);
        m_sensor = code;
    }
    void Set(int profile, const std::wstring& key, int value) { m_store.SetSettingInt(profile, key, value); }
    int Get(int profile, const std::wstring& key) { return m_store.GetSettingInt(profile, key); }
    std::vector<std::string> Trace()
    {
        std::lock_guard lock(m_traceLock);
        return m_trace;
    }
    std::vector<uint8_t> LastWritten()
    {
        auto written = m_sim.Written();
        return written.empty() ? std::vector<uint8_t>{} : written.back();
    }

    platform::FakeClock m_clock;
    platform::ScopedClock m_scopedClock{m_clock};
    SimTransport m_sim;
    platform::ScopedHidTransport m_scopedTransport{m_sim};
    HidDeviceManager m_device;
    TempFolder m_temp;
    SettingsStore m_store;
    DeviceCommands m_commands{m_device, m_store};
    ButtonCommands m_buttons{m_device, m_store};
    int m_profile = 0;
    int m_sensor = 17;
    std::mutex m_traceLock;
    std::vector<std::string> m_trace;
};

std::vector<int> Ints(const uint8_t* from, size_t count)
{
    return std::vector<int>(from, from + count);
}

} // namespace

TEST_F(CommandSimTest, SettingsWrittenAndReadBackTravelTheWholeWay)
{
    UseSensor(4);
    const int p = m_profile;
    Set(p, L"report_rate", 16);
    const int dpis[6] = {400, 800, 20000, 1600, 3200, 6400};
    const int colours[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x00FFFF, 0xABCDEF};
    for (int k = 0; k < 6; ++k) {
        Set(p, DpiValueKey(k), dpis[k]);
        Set(p, DpiColourKey(k), colours[k]);
    }
    Set(p, L"dpi_index", 2);
    Set(p, L"dpi_count", 5);
    Set(p, L"liftoff_height", 2);
    Set(p, L"sensor_flag", 8 | 16);
    Set(p, L"sleep_light", 10);
    Set(p, L"move_wakeup", 0);
    Set(p, L"move_closelight", 1);
    Set(p, L"button_respondtime", 12);
    m_store.CreateDefaultLightRecords(p, {true, true, true, true, true, true, true, true});
    LightRecord light;
    ASSERT_TRUE(m_store.GetLightRecord(p, 2, light));
    light.brightness = 3;
    light.speed = 1;
    for (int i = 0; i < 7; ++i)
        light.color_value[i] = 0x010203 * (i + 1);
    m_store.UpdateLightRecord(2, light);

    EXPECT_TRUE(m_commands.SetReportRate(p));
    EXPECT_TRUE(m_commands.SetDpi(p, m_sensor));
    EXPECT_EQ(Ints(LastWritten().data(), 15),
              (std::vector<int>{0, 0x03, 0, 1, 0x26, 0, 0x25, 4, 0, 4, 0, 8, 0, 8, 0}));
    EXPECT_TRUE(m_commands.SetDpiColours(p));
    EXPECT_TRUE(m_commands.SetLighting(p, 2));
    EXPECT_EQ(LastWritten().size(), 65u);
    EXPECT_TRUE(m_commands.SetLiftoffSensor(p));
    EXPECT_TRUE(m_commands.SetPowerOptions(p));
    EXPECT_EQ(m_store.GetActiveLightMode(p), 2);

    SimMemory memory = m_sim.Memory();
    EXPECT_EQ(memory.reportRate, 16);
    EXPECT_EQ(memory.dpiIndexCount, 0x25);
    EXPECT_EQ((std::vector<int>(memory.dpiLevels[2].begin(), memory.dpiLevels[2].end())),
              (std::vector<int>{80, 0, 80, 0})); // 20000 clamped to the sensor's 8000
    EXPECT_EQ((std::vector<int>(memory.dpiColours[3].begin(), memory.dpiColours[3].end())),
              (std::vector<int>{0x56, 0x34, 0x12}));
    EXPECT_EQ(memory.lightMode, 2);
    EXPECT_EQ(memory.lightBrightSpeed, 0x31);
    EXPECT_EQ(memory.lightLength, 24);
    EXPECT_EQ(Ints(memory.lightData.data(), 6), (std::vector<int>{2, 0x31, 7, 3, 2, 1}));
    EXPECT_EQ((std::vector<int>{memory.liftoffHeight, memory.sensorSwitchA, memory.sensorSwitchB}),
              (std::vector<int>{2, 1, 0}));
    EXPECT_EQ((std::vector<int>{memory.sleepLight, memory.moveWakeup, memory.moveCloseLight,
                                memory.buttonRespondTime}),
              (std::vector<int>{10, 0, 1, 12}));

    // Profile 2 still holds the defaults; the read-back brings the mouse's values into it.
    const int q = 2;
    m_store.CreateDefaultLightRecords(q, {true, true, true, true, true, true, true, true});
    ReadBackResult read = m_commands.ReadSettings(q, m_sensor);
    EXPECT_EQ(read.accepted, 7);
    EXPECT_TRUE(read.lightingRead);
    EXPECT_EQ(read.lightingMode, 2);
    for (const wchar_t* key : {L"report_rate", L"dpi_index", L"dpi_count", L"liftoff_height", L"sleep_light",
                               L"move_closelight", L"button_respondtime"})
        EXPECT_EQ(Get(q, key), Get(p, key)) << platform::ToUtf8(key);
    EXPECT_EQ(Get(q, L"report_rate_wireless"), 16);
    EXPECT_EQ(Get(q, L"dpi_flag"), 5);
    EXPECT_EQ(Get(q, L"sensor_flag"), 8); // only the two switches the mouse keeps
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(Get(q, DpiValueKey(k)), ClampDpi(4, dpis[k])) << k;
        EXPECT_EQ(Get(q, DpiColourKey(k)), colours[k]) << k;
    }
    EXPECT_EQ(m_store.GetActiveLightMode(q), 2);
    LightRecord back;
    ASSERT_TRUE(m_store.GetLightRecord(q, 2, back));
    EXPECT_EQ(back.brightness, 3);
    EXPECT_EQ(back.speed, 1);
    EXPECT_TRUE(Trace().empty());
}

TEST_F(CommandSimTest, DpiReadBackTakesLevelZeroFromItsYPairAndKeepsTheSensorAsymmetry)
{
    UseSensor(38);
    const int p = m_profile;
    const int dpis[6] = {3000, 8000, 10000, 200, 5000, 5500};
    const int back[6] = {2900, 8500, 10500, 100, 4900, 6000};
    for (int k = 0; k < 6; ++k)
        Set(p, DpiValueKey(k), dpis[k]);
    ASSERT_TRUE(m_commands.SetDpi(p, m_sensor));
    m_commands.ReadSettings(p, m_sensor);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(Get(p, DpiValueKey(k)), back[k]) << k;

    // The mouse's level 0 X pair disagrees with its Y pair: the Y pair counts.
    SimMemory memory = m_sim.Memory();
    memory.dpiLevels[0] = {10, 0, 20, 0};
    memory.dpiLevels[1] = {0, 0, 0, 0}; // raw 0 reads as 0 DPI: the stored level stays
    m_sim.SetMemory(memory);
    m_commands.ReadSettings(p, m_sensor);
    EXPECT_EQ(Get(p, DpiValueKey(0)), 2000);
    EXPECT_EQ(Get(p, DpiValueKey(1)), 8500);
}

TEST_F(CommandSimTest, RefusedCommandsLeaveTheirTraceLine)
{
    const int p = m_profile;
    m_store.CreateDefaultLightRecords(p, {true, true, true, true, true, true, true, true});
    SimFaults faults;
    faults.noReply = 100;
    m_sim.SetFaults(faults);
    EXPECT_FALSE(m_commands.SetReportRate(p));
    EXPECT_FALSE(m_commands.SetDpi(p, m_sensor));
    EXPECT_FALSE(m_commands.SetDpiColours(p));
    EXPECT_FALSE(m_commands.SetLighting(p, 1));
    EXPECT_FALSE(m_commands.SetLiftoffSensor(p));
    EXPECT_FALSE(m_commands.SetPowerOptions(p));
    EXPECT_FALSE(m_commands.SendFactoryReset());
    EXPECT_FALSE(m_buttons.SendButtonFunctions(p));
    EXPECT_EQ(m_commands.ReadSettings(p, m_sensor).accepted, 0);
    EXPECT_EQ(Trace(),
              (std::vector<std::string>{"0x02: 设置回报率失败", "0x04: 设置鼠标DPI颜色数据失败",
                                        "0x05: 设置灯光模式失败", "0x02: 设置高级参数失败",
                                        "0x07: 设置睡眠时间、移动关闭灯效使能", "0x09: 设置按键功能失败"}));
    // Nothing came back, so nothing was stored.
    EXPECT_EQ(Get(p, L"dpi_group0_value"), 800);
    EXPECT_EQ(Get(p, L"report_rate"), 2);

    // Without a record for the effect nothing goes out.
    m_sim.SetFaults({});
    const int commandsBefore = m_sim.CommandCount();
    EXPECT_FALSE(m_commands.SetLighting(p, 7));
    EXPECT_EQ(m_sim.CommandCount(), commandsBefore);
}

TEST_F(CommandSimTest, LateRepliesAreNotStoredAsAnswersOfTheNextRequest)
{
    const int p = m_profile;
    Set(p, L"report_rate", 64);
    ASSERT_TRUE(m_commands.SetReportRate(p));
    const int q = 2;
    SimFaults faults;
    faults.lateReplies = 1; // the answer to 0x11 arrives while 0x12 is waiting, and so on
    m_sim.SetFaults(faults);
    ReadBackResult read = m_commands.ReadSettings(q, m_sensor);
    EXPECT_EQ(read.accepted, 0);
    EXPECT_EQ(Get(q, L"report_rate"), 2);
    EXPECT_EQ(Get(q, L"dpi_count"), 6);
    EXPECT_EQ(Get(q, L"dpi_group0_value"), 800);
    EXPECT_EQ(Trace().front(), "0x12: reply of 0x11 ignored");
}

TEST_F(CommandSimTest, ButtonsAndMacrosReachTheMouse)
{
    const int p = m_profile;
    const int macro = m_store.AddMacro(L"combo");
    ASSERT_GT(macro, 0);
    std::vector<MacroEventRecord> events;
    for (int i = 0; i < 20; ++i) // 20 events: 81 bytes, three packets
        events.push_back(
            {0, macro, i % 2 == 0 ? MacroEventKeyDown : MacroEventKeyUp, i, L"", 'A' + i / 2, 0});
    m_store.SaveMacroEvents(events);
    MacroRecord header;
    ASSERT_TRUE(m_store.GetMacro(macro, header));
    header.play_type = 2;
    m_store.UpdateMacro(macro, header);

    KeyAssignmentRecord a;
    a.profile = p;
    a.key_code = 3;
    a.macro_type = 4;
    a.macro_value = macro;
    m_store.SaveKeyAssignment(a);
    a.key_code = 1;
    a.macro_type = 2;
    a.macro_value = 0x04;
    a.macro_value2 = 0x01;
    m_store.SaveKeyAssignment(a);

    EXPECT_TRUE(m_buttons.SendButtonFunctions(p, 3));
    auto written = m_sim.Written();
    ASSERT_EQ(written.size(), 4u); // three macro packets, then the functions
    EXPECT_EQ((std::vector<int>{written[0][3], written[1][3], written[2][3]}),
              (std::vector<int>{0x03, 0x13, 0x23}));

    SimMemory memory = m_sim.Memory();
    EXPECT_EQ(Ints(memory.buttonCodes.data(), 12),
              (std::vector<int>{0x20, 1, 0, 0x80, 0x01, 0x04, 0x20, 4, 0, 0xA0, 0x43, 0}));
    const auto& packets = memory.macroPackets[3];
    ASSERT_EQ(packets.size(), 3u);
    std::vector<uint8_t> joined;
    for (const auto& packet : packets)
        joined.insert(joined.end(), packet.begin(), packet.end());
    EXPECT_EQ(joined, BuildMacroBlock(3, MacroStepsOf(events)));

    // The whole-profile write sends the macro of every macro button.
    m_sim.ClearWritten();
    EXPECT_EQ(m_buttons.SendAssignedMacros(p), 1);
    EXPECT_EQ(m_sim.Written().size(), 3u);

    // A macro the mouse cannot number is refused whole: traced, nothing sent.
    std::vector<MacroEventRecord> huge;
    for (int i = 0; i < 200; ++i)
        huge.push_back({0, macro, i % 2 == 0 ? MacroEventKeyDown : MacroEventKeyUp, i, L"", 'B', 0});
    EXPECT_FALSE(ButtonCommands::MacroFits(huge));
    EXPECT_TRUE(ButtonCommands::MacroFits(events));
    m_store.DeleteMacroEvents(macro);
    m_store.SaveMacroEvents(huge);
    m_sim.ClearWritten();
    const int commandsBefore = m_sim.CommandCount();
    EXPECT_EQ(m_buttons.SendMacro(3, macro), MacroSendResult::TooLong);
    EXPECT_EQ(m_sim.CommandCount(), commandsBefore);
    EXPECT_EQ(m_sim.Memory().macroPackets[3].size(), 3u);
    ASSERT_EQ(Trace().size(), 1u);
    EXPECT_NE(Trace()[0].find("too long"), std::string::npos);

    // Neither a macro too long to send nor a deleted one is played: the button keeps its
    // default code.
    EXPECT_TRUE(m_buttons.SendButtonFunctions(p));
    EXPECT_EQ(Ints(m_sim.Memory().buttonCodes.data() + 9, 3), (std::vector<int>{0x20, 8, 0}));
    m_store.DeleteMacroEvents(macro);
    m_store.SaveMacroEvents(events);
    ASSERT_TRUE(m_buttons.SendButtonFunctions(p));
    ASSERT_EQ(m_sim.Memory().buttonCodes[9], 0xA0);
    m_store.DeleteMacro(macro);
    EXPECT_TRUE(m_buttons.SendButtonFunctions(p));
    EXPECT_EQ(Ints(m_sim.Memory().buttonCodes.data() + 9, 3), (std::vector<int>{0x20, 8, 0}));
}

TEST_F(CommandSimTest, FactoryResetRestoresTheMousesMemory)
{
    const int p = m_profile;
    Set(p, L"report_rate", 64);
    m_commands.SetReportRate(p);
    m_commands.SetPowerOptions(p);
    ASSERT_NE(m_sim.Memory().reportRate, SimMemory::Factory().reportRate);
    EXPECT_TRUE(m_commands.SendFactoryReset());
    SimMemory memory = m_sim.Memory();
    EXPECT_EQ(memory.factoryResets, 1);
    memory.factoryResets = 0;
    EXPECT_TRUE(memory == SimMemory::Factory());
    EXPECT_EQ(Ints(LastWritten().data(), 7), (std::vector<int>{0, 0x0F, 0, 1, 1, 0xFF, 0}));
}

TEST(SimCommandSet, DamagedOrUnknownReportsAreRefused)
{
    SimMouse mouse;
    CommandFrame frame;
    BuildReportRateFrame(frame, 4);
    frame[32] = 0x55; // wrong checksum
    SimReply reply;
    EXPECT_TRUE(mouse.HandleCommandSet(frame.data(), 33, reply));
    EXPECT_EQ(reply[1], 1);
    EXPECT_EQ(mouse.memory.reportRate, SimMemory::Factory().reportRate);

    frame[32] = HidDeviceManager::Checksum(frame.data());
    EXPECT_TRUE(mouse.HandleCommandSet(frame.data(), 33, reply));
    EXPECT_EQ(reply[1], 0);
    EXPECT_EQ(mouse.memory.reportRate, 4);

    CommandFrame unknown{};
    unknown[1] = 0x44;
    EXPECT_FALSE(mouse.HandleCommandSet(unknown.data(), 33, reply));
}

#include "SimDeviceFixture.h"

#include "app/device/DeviceObserver.h"
#include "platform/HidapiTransport.h"
#include "platform/Paths.h"
#include "platform/UdevDeviceNotifier.h"
#include "platform/UserRegistry.h"

#include <atomic>
#include <cstring>
#include <map>
#include <thread>

namespace {

using Discovery = SimDeviceFixture;

struct RecordView
{
    uint16_t pid;
    int mode;
    int type;
    int online;
    std::wstring id;
    bool operator==(const RecordView&) const = default;
};

std::vector<RecordView> View(const std::vector<HidDeviceRecord>& records)
{
    std::vector<RecordView> out;
    for (const auto& r : records)
        out.push_back({r.productId, r.connectionMode, r.deviceType, r.onlineState, r.deviceId});
    return out;
}

TEST_F(Discovery, EnumerationAgainstScenarios)
{
    struct Case
    {
        const char* scenario;
        std::vector<RecordView> expected;
        bool hasUsb;
    };
    const Case cases[] = {
        // Cable and receiver: only the cable's collections are identified.
        {"", {{1, 0, 101, 1, L"KV01"}, {1, 0, 101, 1, L"KV01"}, {2, 1, 0, 1, L""}, {2, 1, 0, 1, L""}}, true},
        {"usb=0", {{2, 1, 101, 1, L"KV01"}, {2, 1, 101, 1, L"KV01"}}, false},
        // Mouse off: the receiver does not answer and stays unidentified.
        {"usb=0,online=0", {{2, 1, 0, 1, L""}, {2, 1, 0, 1, L""}}, false},
        {"receiver=0,devid=ZZ99", {{1, 0, 0, 1, L"ZZ99"}, {1, 0, 0, 1, L"ZZ99"}}, true},
        {"model=201", {{3, 0, 201, 1, L"KT02"}, {3, 0, 201, 1, L"KT02"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        Configure(c.scenario);
        manager().RefreshDevices();
        EXPECT_EQ(View(manager().Records()), c.expected);
        EXPECT_TRUE(Traced(std::string("========== EnumerateDevice Complete! Total=") +
                           std::to_string(c.expected.size()) + ", HasUSB=" + (c.hasUsb ? "YES" : "NO") +
                           " =========="));
    }
}

TEST_F(Discovery, TraceLinesOfAReceiverOnlyEnumeration)
{
    Configure("usb=0");
    manager().RefreshDevices();
    const std::vector<std::string> expected = {
        "========== EnumerateDevice Start ==========",
        "Step 1: Quick scan - collecting basic device info",
        "  Found [0]: VID=0x1209, PID=0x0002, Mode=2.4G",
        "  Found [1]: VID=0x1209, PID=0x0002, Mode=2.4G",
        "Step 2: No USB device, will read 2.4G device details",
        "  [0] 2.4G state: Online",
        "  [0] 2.4G device - reading details...",
        "  [0] DeviceId: KV01, DeviceType: 101",
        "  [0] Final: VID=0x1209, PID=0x0002, Type=101, Mode=1",
        "  [1] 2.4G state: Online",
        "  [1] 2.4G device - reading details...",
        "  [1] DeviceId: KV01, DeviceType: 101",
        "  [1] Final: VID=0x1209, PID=0x0002, Type=101, Mode=1",
        "========== EnumerateDevice Complete! Total=2, HasUSB=NO ==========",
    };
    EXPECT_EQ(Traces(), expected);
}

TEST_F(Discovery, ForeignAndDecoyInterfacesAreSkipped)
{
    sim.AddForeignInterface(0x046D, 0xC077, 0x0001, 0x0002);
    sim.AddForeignInterface(0x1209, 0x0001, 0x000C, 0x0001); // our ids, another usage
    sim.AddForeignInterface(0x1209, 0x7777, 0xFF01, 0x0010); // vendor usage, unknown product
    manager().RefreshDevices();
    EXPECT_EQ(manager().Records().size(), 4u);
}

// The virtual mouse plus one interface of the cable's ids whose path is too long to keep.
class LongPathTransport : public SimTransport
{
public:
    std::vector<platform::HidInterfaceInfo> Enumerate() override
    {
        auto list = SimTransport::Enumerate();
        platform::HidInterfaceInfo info = list.at(2);
        info.path = std::string(1100, 'x');
        list.insert(list.begin(), info);
        return list;
    }
};

TEST_F(Discovery, PathsLongerThanARecordHoldsAreSkipped)
{
    LongPathTransport transport;
    std::string error;
    ASSERT_TRUE(transport.Configure(SimScenario{}, manager().Definitions(), error));
    platform::ScopedHidTransport scoped(transport);
    manager().RefreshDevices();
    EXPECT_EQ(manager().Records().size(), 4u);
    EXPECT_TRUE(Traced("  Skipped: path longer than 1023 characters"));
    manager().CloseAll();
}

TEST_F(Discovery, DefinitionsDecideTypeAndMode)
{
    manager().ClearDefinitions();
    // Two definitions with the cable's ids: the first one gives the mode; a short dev_id means
    // "any device with these ids" and yields 101.
    manager().AddDefinition(Definition(0x1209, 0x0001, 301, 1, L"X"));
    manager().AddDefinition(Definition(0x1209, 0x0001, 101, 0, L"KV01"));
    manager().AddDefinition(Definition(0x1209, 0x0002, 101, 1, L"KV01"));
    manager().RefreshDevices();
    const auto records = manager().Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].connectionMode, 1);
    EXPECT_EQ(records[0].deviceType, 101);

    struct Case
    {
        int vid, pid;
        std::wstring id;
        int expected;
    };
    manager().ClearDefinitions();
    manager().AddDefinition(Definition(0x1209, 0x0010, 401, 0, L"AB12"));
    manager().AddDefinition(Definition(0x1209, 0x0010, 402, 0, L"CD34"));
    manager().AddDefinition(Definition(0x1209, 0x0011, 403, 0, L"ab"));
    const Case cases[] = {
        {0x1209, 0x0010, L"AB12", 401}, {0x1209, 0x0010, L"CD34", 402}, {0x1209, 0x0010, L"ab12", 0},
        {0x1209, 0x0011, L"ZZZZ", 101}, {0x1209, 0x0012, L"AB12", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(manager().LookupDeviceType(c.vid, c.pid, c.id), c.expected);
}

TEST_F(Discovery, CurrentHandlePrefersCableAndFollowsTheCache)
{
    RefreshAndUse(101);
    HidHandle cable = manager().CurrentHandle();
    ASSERT_NE(cable, nullptr);
    HidDeviceRecord record;
    ASSERT_TRUE(manager().CurrentRecord(record));
    EXPECT_EQ(record.connectionMode, 0);
    EXPECT_EQ(manager().ConnectionModeOfCurrent(), 0);

    // Receiver only: usable while online; offline (0 or 2) yields no handle.
    Configure("usb=0");
    RefreshAndUse(101);
    ASSERT_NE(manager().CurrentHandle(), nullptr);
    EXPECT_EQ(manager().ConnectionModeOfCurrent(), 1);
    for (int state : {0, 2}) {
        manager().SetOnlineState(101, 1, state);
        manager().ClearCurrentCache();
        EXPECT_EQ(manager().CurrentHandle(), nullptr) << state;
    }
    // The cache is cleared by a change of the current type.
    manager().SetOnlineState(101, 1, 1);
    EXPECT_NE(manager().CurrentHandle(), nullptr);
    manager().SetCurrentDeviceType(201);
    EXPECT_EQ(manager().CurrentHandle(), nullptr);
    EXPECT_EQ(manager().ConnectionModeOfCurrent(), -1);
}

TEST_F(Discovery, QueriesOfTheRecordList)
{
    manager().RefreshDevices();
    manager().SetCurrentDeviceType(0);
    EXPECT_EQ(manager().DevicesOfType(false).size(), 4u); // type 0: every record
    manager().SetCurrentDeviceType(101);
    EXPECT_EQ(manager().DevicesOfType(false).size(), 2u);
    EXPECT_TRUE(manager().HasUsableDevice(101));
    EXPECT_FALSE(manager().HasUsableDevice(201));
    int release = 0;
    EXPECT_TRUE(manager().ReleaseNumberOfMode(1, release));
    EXPECT_EQ(release, 0x0103);
    manager().SetOnlineState(101, 0, 0);
    EXPECT_TRUE(manager().DevicesOfType(true).empty());
    manager().CloseAll();
    EXPECT_FALSE(manager().ReleaseNumberOfMode(0, release));
}

TEST_F(Discovery, UpdateUSBDeviceMatchesPaths)
{
    const std::string vendor = "hid#vid_1209&pid_0002&mi_02#sim";
    const std::string other = "HID#VID_1209&PID_0002&MI_01#sim";
    const std::string foreign = "HID#VID_046D&PID_C077&MI_02#x";
    struct Case
    {
        bool arrival;
        std::string path;
        uint16_t page, usage;
        bool present;
        int task;
    };
    const Case cases[] = {
        {true, vendor, 0xFF01, 0x0010, false, 2},  {true, other, 0x0001, 0x0000, false, 0},
        {true, foreign, 0xFF01, 0x0010, false, 0}, {false, vendor, 0, 0, true, 3},
        {false, vendor, 0, 0, false, 0},           {false, other, 0, 0, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(manager().UpdateUSBDevice(c.arrival, c.path, true, c.page, c.usage, c.present), c.task)
            << c.path;
    EXPECT_TRUE(Traced("UpdateUSBDevice path: HID#VID_1209&PID_0002&MI_02#SIM"));
}

TEST_F(Discovery, PollNotificationWithACurrentHandle)
{
    RefreshAndUse(101);
    uint8_t buffer[65] = {};
    int type = -1;
    EXPECT_FALSE(manager().PollNotification(buffer, type));
    sim.PressDpiButton();
    ASSERT_TRUE(manager().PollNotification(buffer, type));
    EXPECT_EQ(type, 101);
    EXPECT_EQ(buffer[0], 0xD2);
    EXPECT_EQ(buffer[1], 0x25); // stage 2 of 5
}

TEST_F(Discovery, PollNotificationThroughAnOfflineReceiver)
{
    Configure("usb=0,online=0");
    RefreshAndUse(101);
    ASSERT_EQ(manager().CurrentHandle(), nullptr);
    EXPECT_EQ(manager().Records()[0].deviceType, 0);

    sim.SetOnline(true); // the receiver reports the mouse connected: it is identified now
    uint8_t buffer[65] = {};
    int type = -1;
    ASSERT_TRUE(manager().PollNotification(buffer, type));
    EXPECT_EQ(buffer[0], 0xD1);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(type, 101);
    EXPECT_EQ(manager().Records()[0].deviceId, L"KV01");
    EXPECT_NE(manager().CurrentHandle(), nullptr);

    // Gone again: a status refresh marks it with state 2.
    sim.SetOnline(false);
    manager().RefreshReceiverStates();
    EXPECT_EQ(manager().Records()[0].onlineState, 2);
}

class RecordingObserver : public DeviceObserver
{
public:
    std::vector<std::string> calls;
    int choice = 0;
    void OnAllDevicesState(int s) override { calls.push_back("all " + std::to_string(s)); }
    void OnDeviceState(int t, int m, int o) override
    {
        calls.push_back("state " + std::to_string(t) + " " + std::to_string(m) + " " + std::to_string(o));
    }
    int SelectDevice(int saved, int suggested) override
    {
        calls.push_back("select " + std::to_string(saved) + " " + std::to_string(suggested));
        return choice ? choice : suggested;
    }
    void OnDeviceSelected(int t) override { calls.push_back("selected " + std::to_string(t)); }
    void OnShowView(int m) override { calls.push_back("view " + std::to_string(m)); }
    void OnDevicePresent(bool p) override { calls.push_back(p ? "present" : "absent"); }
};

TEST_F(Discovery, RefreshAndSelectPersistsTheChoice)
{
    ScopedXdgHome home;
    const std::wstring key = platform::DeviceName();
    platform::UserRegistry::CreateKey(key);
    platform::UserRegistry::WriteInt(key, L"DeviceType", 201); // saved type not attached
    RecordingObserver observer;
    EXPECT_TRUE(manager().RefreshAndSelect(observer));
    const std::vector<std::string> expected = {
        "all 0", "state 101 0 1", "state 101 0 1", "select 201 101", "selected 101", "present", "view 0"};
    EXPECT_EQ(observer.calls, expected);
    EXPECT_EQ(manager().CurrentDeviceType(), 101);
    EXPECT_EQ(platform::UserRegistry::ReadInt(key, L"DeviceType"), 101);

    sim.Plug(SimTransport::Cable, false);
    sim.Plug(SimTransport::Receiver, false);
    RecordingObserver empty;
    EXPECT_FALSE(manager().RefreshAndSelect(empty));
    EXPECT_EQ(empty.calls, (std::vector<std::string>{"all 0", "absent", "view -1"}));
}

TEST_F(Discovery, QueriesDuringRebuildsSeeWholeLists)
{
    manager().RefreshDevices();
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop) {
            const auto records = manager().Records();
            EXPECT_TRUE(records.empty() || records.size() == 4u);
            manager().ConnectionModeOfCurrent();
            manager().HasUsableDevice(101);
        }
    });
    for (int i = 0; i < 20; ++i)
        manager().RefreshDevices();
    stop = true;
    reader.join();
}

TEST(UdevNotifier, PathsAndUsagesFromSysfs)
{
    platform::DeviceChange change;
    ASSERT_TRUE(platform::UdevDeviceNotifier::ChangeFromDevPath(
        "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1209:0002.0007/hidraw/hidraw5",
        "/dev/hidraw5", change));
    EXPECT_EQ(change.path, "HID#VID_1209&PID_0002&MI_02#/dev/hidraw5");
    EXPECT_FALSE(platform::UdevDeviceNotifier::ChangeFromDevPath("/devices/virtual/misc/uhid", "", change));

    uint16_t page = 0, usage = 0;
    const std::vector<uint8_t> vendor = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0xC0};
    ASSERT_TRUE(platform::UdevDeviceNotifier::TopLevelUsage(vendor, page, usage));
    EXPECT_EQ(page, 0xFF01);
    EXPECT_EQ(usage, 0x0010);
    const std::vector<uint8_t> mouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01};
    ASSERT_TRUE(platform::UdevDeviceNotifier::TopLevelUsage(mouse, page, usage));
    EXPECT_EQ(usage, 0x0002);
    EXPECT_FALSE(platform::UdevDeviceNotifier::TopLevelUsage({0x06, 0x01}, page, usage)); // cut short
    EXPECT_FALSE(platform::UdevDeviceNotifier::TopLevelUsage({}, page, usage));
}

// hidraw sends a short buffer as it is; the mouse expects its whole 64-byte output report.
TEST(HidapiTransport, WritesArePaddedToTheOutputReport)
{
    using platform::HidapiTransport;
    // Vendor collection: 64-byte input and output reports, no report IDs.
    const std::vector<uint8_t> vendor = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x75, 0x08, 0x95,
                                         0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
    const auto lengths = HidapiTransport::OutputReportLengths(vendor);
    EXPECT_EQ(lengths, (std::map<uint8_t, size_t>{{0, 64}}));
    EXPECT_EQ(HidapiTransport::PaddedWriteLength(lengths, 0, 33), 65u);
    EXPECT_EQ(HidapiTransport::PaddedWriteLength(lengths, 0, 65), 65u);
    // Report IDs count per report; an input-only descriptor or a cut one pads nothing.
    const std::vector<uint8_t> ids = {0x85, 0x02, 0x75, 0x08, 0x95, 0x07, 0x91, 0x02,
                                      0x85, 0x05, 0x95, 0x02, 0x91, 0x02, 0x91, 0x02};
    EXPECT_EQ(HidapiTransport::OutputReportLengths(ids), (std::map<uint8_t, size_t>{{2, 7}, {5, 4}}));
    EXPECT_EQ(HidapiTransport::PaddedWriteLength(HidapiTransport::OutputReportLengths(ids), 9, 3), 3u);
    EXPECT_TRUE(HidapiTransport::OutputReportLengths({0x75, 0x08, 0x95, 0x40, 0x81, 0x02}).empty());
    EXPECT_TRUE(HidapiTransport::OutputReportLengths({0x75, 0x08, 0x96, 0x40}).empty());
}

TEST(DeviceId, SignedBytesAndEarlyEnd)
{
    uint8_t info[65] = {};
    std::memcpy(info + 4, "AB\0D", 4);
    EXPECT_EQ(DeviceIdFromInfo(info), L"AB");
    info[4] = 0xC8;
    EXPECT_EQ(DeviceIdFromInfo(info), std::wstring(1, static_cast<wchar_t>(-56)) + L"B");
}

} // namespace

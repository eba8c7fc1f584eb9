#include "LocalHttpServer.h"
#include "SimDeviceFixture.h"

#include "app/device/CommandFrames.h"
#include "app/device/DeviceObserver.h"
#include "app/device/DeviceTaskWorker.h"
#include "app/device/SensorTable.h"
#include "app/device/VersionCheck.h"
#include "app/store/SettingsStore.h"
#include "platform/DeviceNotifier.h"
#include "platform/Paths.h"
#include "platform/UserRegistry.h"

#include <chrono>
#include <thread>

namespace {

class Recorder : public DeviceObserver
{
public:
    std::vector<std::string> Calls()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }
    bool Has(const std::string& call)
    {
        for (const auto& c : Calls())
            if (c == call) return true;
        return false;
    }

    void OnDeviceSelected(int t) override { Add("selected " + std::to_string(t)); }
    void OnShowView(int m) override { Add("view " + std::to_string(m)); }
    void OnRefreshButtonPage() override { Add("buttons"); }
    void OnRefreshMacroPage() override { Add("macros"); }
    void OnRefreshPerformancePage() override { Add("performance"); }
    void OnRefreshLightingPage() override { Add("lighting"); }
    void OnDeviceInformation(int t, int r) override
    {
        Add("info " + std::to_string(t) + " " + std::to_string(r));
    }
    void OnBatteryInfo(int l, int c) override
    {
        Add("battery " + std::to_string(l) + " " + std::to_string(c));
    }
    void OnSensorRange(int s, int lo, int hi, const std::wstring&, const std::wstring&, int slider) override
    {
        Add("sensor " + std::to_string(s) + " " + std::to_string(lo) + " " + std::to_string(hi) + " " +
            std::to_string(slider));
    }
    void OnDpiCount(int c) override { Add("dpi count " + std::to_string(c)); }
    void OnDpiIndex(int i) override { Add("dpi index " + std::to_string(i)); }
    void OnDpiSlider(int v) override { Add("slider " + std::to_string(v)); }
    void OnDpiPopup(int d) override { Add("popup " + std::to_string(d)); }
    void OnDeviceState(int t, int m, int o) override
    {
        Add("state " + std::to_string(t) + " " + std::to_string(m) + " " + std::to_string(o));
    }
    void OnShowEmptyState(bool e) override { Add(e ? "empty" : "list"); }
    void OnVersionCheck(int t, const std::atomic<bool>*) override { Add("version " + std::to_string(t)); }
    void OnSelectFirstButton() override { Add("first button"); }
    void OnCloseUpdateTip() override { Add("close tip"); }
    void OnApplyPointerSetting() override { Add("pointer"); }
    void OnDpiStage(int stage, int dpi, int) override
    {
        Add("stage " + std::to_string(stage) + " " + std::to_string(dpi));
    }

private:
    void Add(const std::string& call)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(call);
    }
    std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

class TaskWorker : public SimDeviceFixture
{
protected:
    void SetUp() override
    {
        SimDeviceFixture::SetUp();
        platform::UserRegistry::CreateKey(platform::DeviceName());
        settings = home.Folder().Path() + "/settings/";
        platform::MakeFolders(settings + "db");
        ASSERT_TRUE(store.OpenDeviceDatabase(settings, L"vector"));
    }
    void TearDown() override
    {
        worker.Stop();
        store.CloseDatabase();
        SimDeviceFixture::TearDown();
    }
    // Runs passes until the queue is empty.
    void Drain()
    {
        for (int i = 0; i < 20 && worker.QueueSize() > 0; ++i)
            worker.RunPass();
    }
    std::vector<uint8_t> CommandCodes()
    {
        std::vector<uint8_t> codes;
        for (const auto& w : sim.Written())
            codes.push_back(w.size() > 1 ? w[1] : 0);
        return codes;
    }
    int Setting(const wchar_t* key) { return store.GetSettingInt(worker.State().profile, key); }

    ScopedXdgHome home;
    std::string settings;
    SettingsStore store;
    Recorder observer;
    DeviceTaskWorker worker{HidDeviceManager::Instance(), store, observer};
};

TEST_F(TaskWorker, UnknownCodesLeaveTheQueueWithoutEffect)
{
    for (int code : {15, 19, 0, -4, 99})
        worker.Enqueue(code);
    Drain();
    EXPECT_EQ(worker.QueueSize(), 0u);
    EXPECT_TRUE(sim.Written().empty());
    EXPECT_TRUE(observer.Calls().empty());
}

TEST_F(TaskWorker, ReadTaskBringsTheMouseSettingsHomeOnce)
{
    SimMemory m = sim.Memory();
    m.reportRate = 3;
    m.dpiIndexCount = 0x24;         // stage 2 of 4
    m.dpiLevels[0] = {0, 0, 40, 0}; // level 0 is read from its Y pair: 2000 DPI
    m.dpiLevels[1] = {60, 0, 0, 0}; // 3000 DPI
    m.dpiLevels[2] = {0, 0, 0, 0};  // would read below 50: the stored value stays
    m.liftoffHeight = 0xFF;         // stored as 1
    sim.SetMemory(m);

    worker.Enqueue(2);
    Drain();
    EXPECT_EQ(Setting(L"report_rate"), 3);
    EXPECT_EQ(Setting(L"report_rate_wireless"), 3);
    EXPECT_EQ(Setting(L"dpi_index"), 2);
    EXPECT_EQ(Setting(L"dpi_count"), 4);
    EXPECT_EQ(Setting(L"dpi_group0_value"), 2000);
    EXPECT_EQ(Setting(L"dpi_group1_value"), 3000);
    EXPECT_GE(Setting(L"dpi_group2_value"), 50);
    EXPECT_EQ(Setting(L"liftoff_height"), 1);
    EXPECT_TRUE(worker.WasRead(101));
    const DeviceState state = worker.State();
    EXPECT_TRUE(state.devicePresent);
    EXPECT_EQ(state.sensorCode, 17);
    EXPECT_EQ(state.battery, 80);
    EXPECT_EQ(state.reportRateCount, 7);

    const auto calls = observer.Calls();
    const std::vector<std::string> tail(calls.end() - 7, calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"battery 80 0", "buttons", "macros", "performance", "lighting",
                                              "info 101 259", "version 101"}));
    EXPECT_TRUE(observer.Has("sensor 17 50 24000 232"));

    // The same device type again: no read requests go out.
    sim.ClearWritten();
    worker.Enqueue(2);
    Drain();
    for (uint8_t code : CommandCodes())
        EXPECT_TRUE(code == 0x30) << int(code);
}

TEST_F(TaskWorker, ReadTaskStopsWhenTheMouseIsNotConnected)
{
    Configure("usb=0,online=0");
    worker.Enqueue(3);
    Drain();
    // The receiver is found but its mouse is off: no device information, no read-back.
    EXPECT_TRUE(Traced("无线设备未连接"));
    EXPECT_TRUE(Traced("获取鼠标数据异常, 当前模式: 1"));
    EXPECT_FALSE(worker.WasRead(101));
    EXPECT_FALSE(observer.Has("info 101 259"));
}

TEST_F(TaskWorker, WholeProfileGoesOutInOrderWithItsPauses)
{
    worker.Enqueue(2);
    Drain();
    const int profile = worker.State().profile;
    ASSERT_GT(profile, 0);
    LightEffectFlags all;
    all.fill(true);
    store.CreateDefaultLightRecords(profile, all); // the lighting page does this on its first load
    store.SetSettingInt(profile, L"report_rate", 2);
    store.SetSettingInt(profile, L"dpi_group0_value", 20000); // clamped to 12000 for sensor 17... its max
    store.SetSettingInt(profile, L"dpi_index", 1);
    store.SetSettingInt(profile, L"dpi_count", 3);
    store.SetSettingInt(profile, L"liftoff_height", 2);
    store.SetSettingInt(profile, L"button_respondtime", 8);
    sim.ClearWritten();
    const auto sleepsBefore = clock.Sleeps().size();

    worker.Enqueue(5);
    Drain();
    const std::vector<uint8_t> expected = {0x09, 0x03, 0x04, 0x02, 0x06, 0x07, 0x05};
    EXPECT_EQ(CommandCodes(), expected);
    const auto sleeps = clock.Sleeps();
    const std::vector<int> pauses(sleeps.begin() + static_cast<long>(sleepsBefore), sleeps.end());
    EXPECT_EQ(pauses, (std::vector<int>{66, 100, 66, 100, 66, 100, 66, 100, 66, 100, 66, 100, 66}));

    const SimMemory m = sim.Memory();
    EXPECT_EQ(m.reportRate, 2);
    EXPECT_EQ(m.dpiIndexCount, 0x13);
    const int raw = DpiToRaw(17, ClampDpi(17, 20000));
    EXPECT_EQ(m.dpiLevels[0][0], raw & 0xFF);
    EXPECT_EQ(m.liftoffHeight, 2);
    EXPECT_EQ(m.buttonRespondTime, 8);

    // Read back into a fresh run: the values come home.
    store.SetSettingInt(profile, L"report_rate", 0);
    store.SetSettingInt(profile, L"dpi_index", 0);
    worker.ClearReadTypes();
    worker.Enqueue(2);
    Drain();
    EXPECT_EQ(Setting(L"report_rate"), 2);
    EXPECT_EQ(Setting(L"dpi_index"), 1);
    EXPECT_EQ(Setting(L"dpi_group0_value"), RawToDpi(17, raw));
}

// Each task code against an identified mouse: the commands it sends, the pauses it takes and
// what the pages are told, in order.
TEST_F(TaskWorker, EachTaskCodeRunsItsSteps)
{
    worker.Enqueue(2);
    Drain();
    const int profile = worker.State().profile;
    LightEffectFlags all;
    all.fill(true);
    store.CreateDefaultLightRecords(profile, all);
    store.SetSettingInt(profile, L"dpi_count", 3);
    store.SetSettingInt(profile, L"dpi_index", 2);
    for (int stage = 0; stage < 7; ++stage)
        store.SetSettingInt(profile, DpiValueKey(stage), 100 * (stage + 1));
    const int macro = store.AddMacro(L"tap");
    store.SaveMacroEvents(
        {{0, macro, MacroEventKeyDown, 0, L"", 'A', 0}, {0, macro, MacroEventKeyUp, 1, L"", 'A', 0}});
    KeyAssignmentRecord key;
    key.profile = profile;
    key.key_code = 4;
    key.macro_type = 4;
    key.macro_value = macro;
    store.SaveKeyAssignment(key);

    using Calls = std::vector<std::string>;
    const Calls pages = {"buttons", "macros", "performance", "lighting"};
    Calls task4 = pages;
    task4.insert(task4.end(), {"battery 80 100", "sensor 17 50 24000 232", "battery 80 0"});
    task4.insert(task4.end(), pages.begin(), pages.end());
    task4.push_back("info 101 259");
    Calls task18;
    for (int stage = 0; stage < 7; ++stage)
        task18.push_back("stage " + std::to_string(stage) + " " + std::to_string(100 * (stage + 1)));
    task18.insert(task18.end(),
                  {"dpi count 3", "dpi index 2", "slider " + std::to_string(DpiToSliderValue(17, 300))});
    struct Case
    {
        int code;
        std::vector<uint8_t> commands;
        std::vector<int> pauses;
        Calls calls;
    } cases[] = {
        {8, {0x05}, {66}, {}},
        {9, {0x03}, {66}, {}},
        {10, {0x04}, {66}, {}},
        {11, {0x02}, {66}, {}},
        {12, {0x06}, {66}, {}},
        {13, {0x07}, {66}, {}},
        {6, {0x08, 0x09}, {66, 66}, {}}, // the marked button's new macro goes first
        {6, {0x09}, {66}, {}},           // and only once
        {18, {0x03, 0x04}, {66, 10, 66}, task18},
        {27, {}, {100, 100}, {"close tip"}},
        {22, {}, {}, {"pointer"}},
        {4, {}, {}, task4}, // the type was read already: no read requests
    };
    worker.MarkPendingMacro(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        sim.ClearWritten();
        observer.Clear();
        const size_t sleepsBefore = clock.Sleeps().size();
        worker.Enqueue(c.code);
        worker.RunPass();
        EXPECT_EQ(CommandCodes(), c.commands);
        const auto sleeps = clock.Sleeps();
        EXPECT_EQ(std::vector<int>(sleeps.begin() + static_cast<long>(sleepsBefore), sleeps.end()), c.pauses);
        EXPECT_EQ(observer.Calls(), c.calls);
    }
}

TEST_F(TaskWorker, UnplugDuringTheWholeProfileWriteEndsTheTaskQuietly)
{
    worker.Enqueue(2);
    Drain();
    SimFaults unplug;
    unplug.unplugOnNextCommand = true;
    sim.SetFaults(unplug);
    const auto waitsBefore = clock.Waits().size();
    worker.Enqueue(5);
    worker.Enqueue(9);
    Drain();
    EXPECT_EQ(worker.QueueSize(), 0u);
    EXPECT_EQ(clock.Waits().size(), waitsBefore); // no reply waits on a vanished device
    EXPECT_TRUE(Traced("0x09: 设置按键功能失败"));
}

TEST_F(TaskWorker, BadAnswersEndTasksWithTheirTracesAndTheWorkerGoesOn)
{
    worker.Enqueue(2);
    Drain();
    const int profile = worker.State().profile;

    // Never a zero status: every command of the whole-profile write fails after its 50 reads.
    SimFaults rejectAll;
    rejectAll.rejected = 1000;
    sim.SetFaults(rejectAll);
    const int64_t before = clock.ElapsedMs();
    worker.Enqueue(5);
    worker.RunPass();
    EXPECT_LE(clock.ElapsedMs() - before, 7 * (66 + 50 * 30) + 6 * 100);
    for (const char* line :
         {"0x09: 设置按键功能失败", "0x04: 设置鼠标DPI颜色数据失败", "0x02: 设置回报率失败",
          "0x02: 设置高级参数失败", "0x07: 设置睡眠时间、移动关闭灯效使能"})
        EXPECT_TRUE(Traced(line)) << line;

    // Garbage and cut answers to a read-back: nothing crashes, the store stays usable.
    SimFaults garbage;
    garbage.garbageReplies = 4;
    garbage.shortReplies = 4;
    garbage.shortLength = 3;
    sim.SetFaults(garbage);
    worker.ClearReadTypes();
    worker.Enqueue(2);
    worker.Enqueue(9);
    Drain();
    EXPECT_EQ(worker.QueueSize(), 0u);
    EXPECT_EQ(store.EnsureProfiles(), profile);
    std::wstring value;
    EXPECT_TRUE(store.GetSetting(profile, L"dpi_count", value));
}

TEST_F(TaskWorker, HotPlugReadsTheArrivingMouseAndNoticesItsRemoval)
{
    Configure("usb=0,receiver=0");
    worker.Enqueue(1);
    Drain();
    EXPECT_FALSE(worker.State().devicePresent);

    platform::DeviceNotifier notifier;
    notifier.Start([&](const platform::DeviceChange& c) {
        const int task =
            manager().UpdateUSBDevice(c.kind == platform::DeviceChange::Arrival, c.path, c.usageKnown,
                                      c.usagePage, c.usage, worker.State().devicePresent);
        if (task) worker.Enqueue(task);
    });
    sim.SetNotifier(&notifier);
    sim.Plug(SimTransport::Receiver, true);
    EXPECT_EQ(worker.Queue(), std::vector<int>{2}); // only the vendor collection counts
    Drain();
    EXPECT_TRUE(worker.State().devicePresent);
    EXPECT_TRUE(worker.WasRead(101));
    EXPECT_EQ(manager().ConnectionModeOfCurrent(), 1);

    sim.Plug(SimTransport::Receiver, false);
    EXPECT_EQ(worker.Queue(), std::vector<int>{3});
    Drain();
    EXPECT_FALSE(worker.State().devicePresent);
    EXPECT_EQ(observer.Calls().back(), "view -1");
    sim.SetNotifier(nullptr);
}

TEST_F(TaskWorker, DpiButtonReportsUpdateStoreAndPages)
{
    worker.Enqueue(2);
    Drain();
    observer.Clear();
    sim.PressDpiButton(); // factory memory stage 1 of 5 -> stage 2
    worker.RunPass();
    EXPECT_EQ(Setting(L"dpi_index"), 2);
    EXPECT_EQ(Setting(L"dpi_count"), 5);
    const int dpi = Setting(L"dpi_group2_value");
    EXPECT_EQ(observer.Calls(),
              (std::vector<std::string>{"dpi count 5", "dpi index 2",
                                        "slider " + std::to_string(DpiToSliderValue(17, dpi)),
                                        "popup " + std::to_string(dpi)}));
    EXPECT_TRUE(Traced("mouse notify data: D2 25 00 00 00 00"));

    // The same stage again, and stages the mouse cannot have, change nothing.
    observer.Clear();
    SimMemory m = sim.Memory();
    m.dpiIndexCount = 0x15;
    sim.SetMemory(m);
    sim.PressDpiButton(); // 0x25 again
    worker.RunPass();
    for (uint8_t odd : {0x70, 0x00, 0x33, 0x98}) { // no stages, index beyond the count
        std::vector<uint8_t> report(64, 0);
        report[0] = 0xD2;
        report[1] = odd;
        sim.SendReport(SimTransport::Cable, report);
        worker.RunPass();
    }
    EXPECT_TRUE(observer.Calls().empty());
    EXPECT_EQ(Setting(L"dpi_index"), 2);
}

TEST_F(TaskWorker, ReceiverStatusReports)
{
    Configure("usb=0");
    worker.Enqueue(2);
    Drain();
    observer.Clear();

    sim.SetOnline(false);
    worker.RunPass();
    EXPECT_EQ(observer.Calls(),
              (std::vector<std::string>{"view -1", "state 101 1 0", "empty", "battery 80 0"}));
    EXPECT_TRUE(Traced("上报dongle和设备的连接状态: 0"));

    // Connected: task 2 once, however often the receiver says so.
    sim.SetOnline(true);
    worker.RunPass();
    EXPECT_EQ(worker.Queue(), std::vector<int>{2});
    worker.RunPass(); // runs task 2
    observer.Clear();
    sim.SetBattery(0, false); // a report without a battery level
    worker.RunPass();
    EXPECT_EQ(worker.QueueSize(), 0u); // the latch is set
    EXPECT_FALSE(observer.Has("battery 0 0"));
}

TEST_F(TaskWorker, FactoryResetRestoresMouseAndStore)
{
    worker.Enqueue(2);
    Drain();
    const int profile = worker.State().profile;
    store.SetSettingInt(profile, L"report_rate", 4);
    KeyAssignmentRecord key;
    key.profile = profile;
    key.key_code = 1;
    key.macro_type = 9;
    key.macro_value = 1;
    store.SaveKeyAssignment(key);
    SimMemory m = sim.Memory();
    m.reportRate = 4;
    sim.SetMemory(m);

    sim.ClearWritten();
    observer.Clear();
    const size_t sleepsBefore = clock.Sleeps().size();
    worker.Enqueue(20);
    Drain();
    EXPECT_EQ(sim.Memory().factoryResets, 1);
    std::vector<KeyAssignmentRecord> keys;
    EXPECT_EQ(store.LoadKeyAssignments(profile, keys), 0);
    // Reset, the DPI stages and colours from the fresh store, lift-off and sensor; the lighting
    // records are gone until the lighting page makes new ones, so no lighting goes out.
    EXPECT_EQ(CommandCodes(), (std::vector<uint8_t>{0x0F, 0x03, 0x04, 0x06}));
    const auto sleeps = clock.Sleeps();
    EXPECT_EQ(std::vector<int>(sleeps.begin() + static_cast<long>(sleepsBefore), sleeps.end()),
              (std::vector<int>{66, 66, 10, 66, 66, 500}));
    const auto calls = observer.Calls();
    const std::vector<std::string> tail(calls.end() - 5, calls.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"buttons", "macros", "performance", "lighting", "first button"}));
}

TEST_F(TaskWorker, RunsOnItsThreadAndStops)
{
    platform::SetClock(nullptr); // real time: the thread sleeps 2 ms between passes
    ASSERT_TRUE(worker.Start());
    std::thread ui([&] {
        worker.Enqueue(15);
        worker.Enqueue(1);
    });
    ui.join();
    for (int i = 0; i < 400 && !(worker.QueueSize() == 0 && worker.WasRead(101)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(worker.WasRead(101));
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(worker.IsDone());
}

// The version check runs on the worker; a server that accepts and never answers must not hold
// the window's close for the request's 15 s time-out.
TEST_F(TaskWorker, StoppingAbandonsTheVersionCheckOfASilentServer)
{
    LocalHttpServer server;
    server.StaySilent();
    struct Checker : DeviceObserver
    {
        std::wstring url;
        std::atomic<bool> asking{false};
        void OnVersionCheck(int, const std::atomic<bool>* keepGoing) override
        {
            FetchOptions options; // the real time-outs
            options.keepGoing = keepGoing;
            asking = true;
            FirmwareUpdateState state;
            CheckFirmwareVersion(url, L"103", state, options);
        }
    } checker;
    checker.url = server.Url();
    platform::SetClock(nullptr);
    DeviceTaskWorker threaded{HidDeviceManager::Instance(), store, checker};
    ASSERT_TRUE(threaded.Start());
    threaded.Enqueue(2);
    for (int i = 0; i < 500 && !checker.asking; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(checker.asking);
    const auto start = std::chrono::steady_clock::now();
    threaded.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

} // namespace

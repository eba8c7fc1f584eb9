#include "app/device/DeviceTaskWorker.h"

#include "app/device/ButtonCommands.h"
#include "app/device/CommandFrames.h"
#include "app/device/DeviceCommands.h"
#include "app/device/DeviceObserver.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/SensorTable.h"
#include "app/store/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/Trace.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

void Sleep(int ms)
{
    platform::GetClock().SleepMs(ms);
}

constexpr int StoredDpiStages = 7; // the DPI page shows up to seven stages; six travel

} // namespace

DeviceTaskWorker::DeviceTaskWorker(HidDeviceManager& device, SettingsStore& store, DeviceObserver& observer)
    : m_device(device), m_store(store), m_observer(observer)
{
}

DeviceTaskWorker::~DeviceTaskWorker()
{
    Stop();
}

// ---------------------------------------------------------------- queue and passes

void DeviceTaskWorker::Enqueue(int code)
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    m_queue.push_back(code);
}

size_t DeviceTaskWorker::QueueSize() const
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    return m_queue.size();
}

std::vector<int> DeviceTaskWorker::Queue() const
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    return {m_queue.begin(), m_queue.end()};
}

bool DeviceTaskWorker::Start()
{
    if (IsRunning()) return false;
    m_keepGoing = true;
    return StartThread(1, 2, platform::GetClock().NowMs());
}

void DeviceTaskWorker::Stop()
{
    m_keepGoing = false;
    StopThread(1000);
}

void DeviceTaskWorker::Pass()
{
    RunPass();
}

int DeviceTaskWorker::RunPass()
{
    int code = 0;
    bool took = false;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        if (!m_queue.empty()) {
            code = m_queue.front();
            m_queue.pop_front();
            took = true;
        }
    }
    // A pass runs one queued code, whatever it is, or polls: never both.
    if (took) {
        RunTask(code);
        return code;
    }
    if (State().devicePresent) HandleNotification();
    return 0;
}

void DeviceTaskWorker::RunTask(int code)
{
    DeviceCommands commands(m_device, m_store);
    switch (code) {
    case 1:
    case 2:
    case 3:
        ReadTask(code);
        break;
    case 4:
        DeviceInfoTask();
        break;
    case 5:
        WriteWholeProfile();
        break;
    case 6: {
        int pending = -1;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            if (m_pendingMacro) pending = m_pendingMacroButton;
            m_pendingMacro = false;
            m_pendingMacroButton = -1;
        }
        ButtonCommands(m_device, m_store).SendButtonFunctions(Profile(), pending);
        break;
    }
    case 8:
        commands.SetLighting(Profile(), CurrentLightMode());
        break;
    case 9:
        commands.SetDpi(Profile(), SensorCode());
        break;
    case 10:
        commands.SetDpiColours(Profile());
        break;
    case 11:
        commands.SetReportRate(Profile());
        break;
    case 12:
        commands.SetLiftoffSensor(Profile());
        break;
    case 13:
        commands.SetPowerOptions(Profile());
        break;
    case 18:
        DpiFromStore();
        commands.SetDpi(Profile(), SensorCode());
        Sleep(10);
        commands.SetDpiColours(Profile());
        break;
    case 20:
        FactoryReset();
        break;
    case 22:
        m_observer.OnApplyPointerSetting();
        break;
    case 27:
        Sleep(100);
        m_observer.OnCloseUpdateTip();
        Sleep(100);
        break;
    default:
        break; // nothing handles it
    }
}

// ---------------------------------------------------------------- state

DeviceState DeviceTaskWorker::State() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_state;
}

void DeviceTaskWorker::SetProfile(int profile)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_state.profile = profile;
}

void DeviceTaskWorker::SetLightingSupported(bool supported)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_lightingSupported = supported;
}

void DeviceTaskWorker::SetLightMode(int mode)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_state.lightMode = mode;
}

void DeviceTaskWorker::SetDevicePresent(bool present)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_state.devicePresent = present;
}

void DeviceTaskWorker::SetDefinitions(const std::vector<DeviceDefinition>& definitions)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_definitions = definitions;
    m_haveDefinitions = true;
}

void DeviceTaskWorker::SetProfileDefaults(std::function<void(int)> apply)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_profileDefaults = std::move(apply);
}

void DeviceTaskWorker::MarkPendingMacro(int button)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_pendingMacro = true;
    m_pendingMacroButton = button;
}

void DeviceTaskWorker::ClearReadTypes()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_readTypes.clear();
}

bool DeviceTaskWorker::WasRead(int deviceType) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_readTypes.count(deviceType) != 0;
}

int DeviceTaskWorker::Profile() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_state.profile;
}

int DeviceTaskWorker::SensorCode() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_state.sensorCode;
}

int DeviceTaskWorker::CurrentLightMode()
{
    int mode = -1;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        mode = m_state.lightMode;
    }
    return mode >= 0 ? mode : m_store.GetActiveLightMode(Profile());
}

int DeviceTaskWorker::EnsureProfiles()
{
    std::function<void(int)> defaults;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        defaults = m_profileDefaults;
    }
    const int active = m_store.EnsureProfiles(defaults);
    if (active > 0) SetProfile(active);
    return active;
}

int DeviceTaskWorker::OnlineDeviceCount() const
{
    std::set<int> online;
    for (const HidDeviceRecord& r : m_device.Records())
        if (r.deviceType > 0 && r.onlineState == 1) online.insert(r.deviceType);
    return static_cast<int>(online.size());
}

// ---------------------------------------------------------------- read-back

bool DeviceTaskWorker::RefreshAndSelect()
{
    const bool present = m_device.RefreshAndSelect(m_observer);
    SetDevicePresent(present);
    return present;
}

void DeviceTaskWorker::RefreshPages(bool withMacroPage)
{
    bool lighting = false;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        lighting = m_lightingSupported;
    }
    m_observer.OnRefreshButtonPage();
    if (withMacroPage) m_observer.OnRefreshMacroPage();
    m_observer.OnRefreshPerformancePage();
    if (lighting) m_observer.OnRefreshLightingPage();
}

int DeviceTaskWorker::TakeDeviceInformation()
{
    const int type = m_device.CurrentDeviceType();
    DeviceState s = State();
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_state.connectionFlag = 0;
    }
    // The stored level first, as "not charging" (100), until the device says otherwise.
    m_observer.OnBatteryInfo(s.battery, 100);
    m_observer.OnDeviceBattery(type, s.charging, 100);

    m_device.CurrentHandle(); // picks the current record
    HidDeviceRecord record;
    if (!m_device.CurrentRecord(record)) return 0;
    const uint8_t* info = record.deviceInfo.data();
    const int sensor = info[10];
    const SensorRange range = SensorRangeOf(sensor);
    const int rates = ReportRateCount(info[11]);
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_state.dpiMinimum = range.minimum;
        m_state.dpiMaximum = range.maximum;
        m_state.sensorCode = sensor;
        m_state.infoWord = info[8] | (info[9] << 8);
        m_state.sliderMinimum = 1;
        m_state.sliderMaximum = range.sliderMaximum;
        m_state.reportRateCount = rates;
        m_state.connectionFlag = info[14];
        m_state.charging = info[12];
        m_state.battery = info[13];
        s = m_state;
    }
    m_observer.OnSensorRange(sensor, range.minimum, range.maximum, range.minimumText, range.maximumText,
                             range.sliderMaximum);
    m_observer.OnReportRateCount(rates);
    m_observer.OnBatteryInfo(s.battery, s.charging);
    m_observer.OnDeviceBattery(type, s.charging, s.battery);
    return s.connectionFlag;
}

bool DeviceTaskWorker::ReadDeviceConfig()
{
    if (TakeDeviceInformation() == 0) {
        platform::Trace(2, "无线设备未连接");
        return false;
    }
    const int type = m_device.CurrentDeviceType();
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        if (!m_readTypes.insert(type).second) return true; // read once per run
    }
    const ReadBackResult result = DeviceCommands(m_device, m_store).ReadSettings(Profile(), SensorCode());
    if (result.lightingRead) SetLightMode(result.lightingMode);
    return true;
}

void DeviceTaskWorker::ReadTask(int code)
{
    if (code == 1) {
        std::vector<DeviceDefinition> definitions;
        bool have = false;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            definitions = m_definitions;
            have = m_haveDefinitions;
        }
        if (have) {
            m_device.ClearDefinitions();
            for (const DeviceDefinition& d : definitions)
                m_device.AddDefinition(d);
        }
        m_device.RefreshDevices();
        m_observer.OnDevicesRefreshed();
    }
    Sleep(code == 3 ? 500 : code == 2 ? 1 : 0);
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_state.connectionFlag = 0;
    }
    RefreshAndSelect();
    const int mode = m_device.ConnectionModeOfCurrent();
    if (mode == -1) return;
    if (code != 3) {
        EnsureProfiles();
        RefreshPages(true);
    }
    if (!ReadDeviceConfig()) {
        platform::Trace(2, "获取鼠标数据异常, 当前模式: %d", mode);
        return;
    }
    RefreshPages(true);
    int release = 0;
    m_device.ReleaseNumberOfMode(mode, release);
    m_observer.OnDeviceInformation(m_device.CurrentDeviceType(), release);
    if (code != 3) m_observer.OnVersionCheck(m_device.CurrentDeviceType(), KeepGoing());
}

void DeviceTaskWorker::DeviceInfoTask()
{
    EnsureProfiles();
    RefreshPages(true);
    if (!ReadDeviceConfig()) platform::Trace(2, "获取鼠标数据异常");
    RefreshPages(true);
    int release = 0;
    m_device.ReleaseNumberOfMode(std::max(0, m_device.ConnectionModeOfCurrent()), release);
    m_observer.OnDeviceInformation(m_device.CurrentDeviceType(), release);
}

// ---------------------------------------------------------------- writes

void DeviceTaskWorker::WriteWholeProfile()
{
    bool lighting = false;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        lighting = m_lightingSupported;
        m_pendingMacro = false;
        m_pendingMacroButton = -1;
    }
    m_observer.OnRefreshButtonPage();
    m_observer.OnRefreshPerformancePage();
    if (lighting) m_observer.OnRefreshLightingPage();

    const int profile = Profile();
    ButtonCommands buttons(m_device, m_store);
    DeviceCommands commands(m_device, m_store);
    buttons.SendAssignedMacros(profile);
    buttons.SendButtonFunctions(profile);
    Sleep(100);
    commands.SetDpi(profile, SensorCode());
    Sleep(100);
    commands.SetDpiColours(profile);
    Sleep(100);
    commands.SetReportRate(profile);
    Sleep(100);
    commands.SetLiftoffSensor(profile);
    Sleep(100);
    commands.SetPowerOptions(profile);
    if (lighting) {
        Sleep(100);
        commands.SetLighting(profile, CurrentLightMode());
    }
}

void DeviceTaskWorker::DpiFromStore()
{
    const int profile = Profile();
    for (int stage = 0; stage < StoredDpiStages; ++stage)
        m_observer.OnDpiStage(stage, m_store.GetSettingInt(profile, DpiValueKey(stage)),
                              m_store.GetSettingInt(profile, DpiColourKey(stage)));
    const int count = m_store.GetSettingInt(profile, L"dpi_count");
    m_observer.OnDpiCount(count);
    int index = m_store.GetSettingInt(profile, L"dpi_index");
    int lastCount = 0;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        lastCount = m_state.lastDpiCount;
    }
    // Before the mouse has reported any stage count, the stored count is the one in force.
    if (lastCount <= 0) lastCount = count;
    if (index < 0 || index >= lastCount) index = 0;
    m_observer.OnDpiIndex(index);
    m_observer.OnDpiSlider(
        DpiToSliderValue(SensorCode(), m_store.GetSettingInt(profile, DpiValueKey(index))));
}

void DeviceTaskWorker::FactoryReset()
{
    DeviceCommands commands(m_device, m_store);
    commands.SendFactoryReset();
    EnsureProfiles();
    for (int p = 1; p <= 5; ++p)
        m_store.DeleteKeyAssignments(p);
    for (int p = 1; p <= 5; ++p)
        m_store.ResetSettingsToDefaults(p);
    DpiFromStore();
    commands.SetDpi(Profile(), SensorCode());
    Sleep(10);
    commands.SetDpiColours(Profile());
    commands.SetLiftoffSensor(Profile());
    m_store.DeleteKeyAssignments(Profile());
    m_observer.OnRefreshButtonPage();
    m_observer.OnRefreshMacroPage();
    m_observer.OnRefreshPerformancePage();
    Sleep(500);
    bool lighting = false;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        lighting = m_lightingSupported;
    }
    if (lighting) {
        for (int p = 0; p <= 5; ++p)
            m_store.DeleteLightRecords(p);
        m_observer.OnRefreshLightingPage();
        commands.SetLighting(Profile(), CurrentLightMode());
    }
    m_observer.OnSelectFirstButton();
}

// ---------------------------------------------------------------- notifications

void DeviceTaskWorker::HandleNotification()
{
    uint8_t data[HidDeviceManager::InfoLength] = {};
    int type = 0;
    if (!m_device.PollNotification(data, type)) return;
    if (data[0] != 0)
        platform::Trace(2, "mouse notify data: %02X %02X %02X %02X %02X %02X", data[0], data[1], data[2],
                        data[3], data[4], data[5]);
    const int profile = Profile();
    if (data[0] == 0xD2) {
        const int count = data[1] & 0x0F;
        const int index = data[1] >> 4;
        // A stage outside the stages the mouse has cannot be shown or stored.
        if (count < 1 || count > StoredDpiStages || index >= count) {
            platform::Trace(2, "mouse notify data: DPI stage %d of %d ignored", index, count);
            return;
        }
        bool countChanged = false;
        bool indexChanged = false;
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            countChanged = count != m_state.lastDpiCount;
            indexChanged = index != m_state.lastDpiIndex;
            if (countChanged) m_state.lastDpiCount = count;
            if (indexChanged) m_state.lastDpiIndex = index;
        }
        // Stored before the pages hear of it, so that a page rebuilding its stages reads the new
        // count.
        if (countChanged) {
            m_store.SetSettingInt(profile, L"dpi_count", count);
            m_observer.OnDpiCount(count);
        }
        if (indexChanged) {
            m_store.SetSettingInt(profile, L"dpi_index", index);
            m_observer.OnDpiIndex(index);
            const int dpi = m_store.GetSettingInt(profile, DpiValueKey(index));
            m_observer.OnDpiSlider(DpiToSliderValue(SensorCode(), dpi));
            m_observer.OnDpiPopup(dpi);
        }
        if (countChanged || indexChanged) m_observer.OnDpiChanged(type, index, count);
        return;
    }
    if (data[0] == 0xD1) {
        platform::Trace(2, "上报dongle和设备的连接状态: %d", data[3]);
        m_observer.OnCloseTransientPopups();
        if (data[1] == 1) {
            bool enqueue = false;
            {
                std::lock_guard<std::mutex> lock(m_stateMutex);
                enqueue = !m_state.receiverLatch;
                m_state.receiverLatch = true;
            }
            if (enqueue) Enqueue(2);
        } else {
            {
                std::lock_guard<std::mutex> lock(m_stateMutex);
                m_state.receiverLatch = false;
            }
            m_observer.OnShowView(-1);
            m_observer.OnDeviceState(type, 1, 0);
            m_device.SetOnlineState(type, 1, 0);
            m_device.RefreshReceiverStates();
            m_observer.OnEndMacroRecording();
            m_observer.OnShowEmptyState(OnlineDeviceCount() < 1);
        }
        if (data[2] != 0) {
            {
                std::lock_guard<std::mutex> lock(m_stateMutex);
                m_state.battery = data[2];
                m_state.charging = data[3];
            }
            m_observer.OnBatteryInfo(data[2], data[3]);
        }
        m_observer.OnReceiverStatus(type, data[1], data[2], data[3]);
    }
}

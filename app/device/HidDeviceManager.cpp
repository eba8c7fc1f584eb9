#include "app/device/HidDeviceManager.h"

#include "app/device/CommandFrames.h"
#include "app/device/DeviceObserver.h"
#include "platform/Clock.h"
#include "platform/HidTransport.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "platform/UserRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ReplyReads = 50;
constexpr int ReplyTimeoutMs = 30;
constexpr int PreWritePauseMs = 66;
constexpr int InfoPauseMs = 20;
constexpr int InfoReadTimeoutMs = 10;
constexpr int PollTimeoutMs = 10;

bool AcceptedUsage(uint16_t page, uint16_t usage)
{
    return (page == 0x0001 && usage == 0x0000) || (page == 0xFF01 && usage == 0x0010);
}

const char* ModeText(int mode)
{
    return mode == 0 ? "USB" : "2.4G";
}

} // namespace

std::wstring DeviceIdFromInfo(const uint8_t* info)
{
    std::wstring id;
    for (int i = 4; i < 8; ++i) {
        if (info[i] == 0) break;
        // The id is read as signed characters: a byte above 0x7F widens with its sign.
        id.push_back(static_cast<wchar_t>(static_cast<signed char>(info[i])));
    }
    return id;
}

HidDeviceManager& HidDeviceManager::Instance()
{
    static HidDeviceManager manager;
    return manager;
}

HidDeviceManager::HidDeviceManager()
{
    platform::GetHidTransport().Init();
}

HidDeviceManager::~HidDeviceManager()
{
    CloseAll();
}

// ---------------------------------------------------------------- definitions

void HidDeviceManager::ClearDefinitions()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_definitions.clear();
}

void HidDeviceManager::AddDefinition(const DeviceDefinition& definition)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_definitions.push_back(definition);
}

std::vector<DeviceDefinition> HidDeviceManager::Definitions() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_definitions;
}

// ---------------------------------------------------------------- records

int HidDeviceManager::LookupDeviceType(int vendorId, int productId, const std::wstring& deviceId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const DeviceDefinition& d : m_definitions) {
        if (d.vendorId != vendorId || d.productId != productId) continue;
        // A definition without a full id stands for every device with these ids.
        if (d.deviceId.size() < 4) return 101;
        if (d.deviceId == deviceId) return d.deviceType;
    }
    return 0;
}

bool HidDeviceManager::ReadDetails(HidDeviceRecord& record)
{
    if (record.onlineState <= 0) return false;
    uint8_t info[InfoLength];
    bool ok = RequestDeviceInfoOn(info, record.handle);
    if (!ok) {
        platform::GetClock().SleepMs(500);
        ok = RequestDeviceInfoOn(info, record.handle);
    }
    if (!ok) return false;
    std::memcpy(record.deviceInfo.data(), info, InfoLength);
    record.deviceId = DeviceIdFromInfo(info);
    record.deviceType = LookupDeviceType(record.vendorId, record.productId, record.deviceId);
    platform::Trace(2, "  [%d] DeviceId: %s, DeviceType: %d", record.index,
                    platform::ToUtf8(record.deviceId).c_str(), record.deviceType);
    return true;
}

int HidDeviceManager::EnumerateDevice()
{
    platform::Trace(2, "========== EnumerateDevice Start ==========");
    std::vector<platform::HidInterfaceInfo> all = platform::GetHidTransport().Enumerate();
    platform::Trace(2, "Step 1: Quick scan - collecting basic device info");
    const std::vector<DeviceDefinition> definitions = Definitions();

    std::vector<HidDeviceRecord> records;
    std::vector<std::unique_ptr<platform::HidDevice>> devices;
    bool hasUsb = false;
    for (const platform::HidInterfaceInfo& hid : all) {
        auto definition =
            std::find_if(definitions.begin(), definitions.end(), [&](const DeviceDefinition& d) {
                return d.vendorId == hid.vendorId && d.productId == hid.productId;
            });
        if (definition == definitions.end() || !AcceptedUsage(hid.usagePage, hid.usage)) continue;
        if (hid.path.size() > HidDeviceRecord::MaxPath) {
            // A cut path would name another interface or none; such an interface is not used.
            platform::Trace(2, "  Skipped: path longer than %zu characters", HidDeviceRecord::MaxPath);
            continue;
        }
        std::unique_ptr<platform::HidDevice> device = platform::GetHidTransport().OpenPath(hid.path);
        if (!device) continue;
        HidDeviceRecord record;
        record.index = static_cast<int>(records.size());
        record.vendorId = hid.vendorId;
        record.productId = hid.productId;
        record.path = hid.path;
        record.handle = device.get();
        record.releaseNumber = hid.releaseNumber;
        record.connectionMode = definition->connectionMode;
        record.onlineState = 1;
        platform::Trace(2, "  Found [%d]: VID=0x%04X, PID=0x%04X, Mode=%s", record.index, record.vendorId,
                        record.productId, ModeText(record.connectionMode));
        if (record.connectionMode == 0) hasUsb = true;
        records.push_back(std::move(record));
        devices.push_back(std::move(device));
    }
    all.clear();
    if (hasUsb)
        platform::Trace(2, "Step 2: USB device found, SKIP reading 2.4G details (reduce HID traffic)");
    else
        platform::Trace(2, "Step 2: No USB device, will read 2.4G device details");

    for (HidDeviceRecord& record : records) {
        if (hasUsb && record.connectionMode == 0) {
            platform::Trace(2, "  [%d] USB device - reading details...", record.index);
            ReadDetails(record);
        } else if (hasUsb) {
            platform::Trace(2, "  [%d] 2.4G device - SKIP (USB exists)", record.index);
        } else if (record.connectionMode == 1) {
            record.onlineState = 1;
            platform::Trace(2, "  [%d] 2.4G state: %s", record.index, "Online");
            platform::Trace(2, "  [%d] 2.4G device - reading details...", record.index);
            ReadDetails(record);
        } else {
            ReadDetails(record);
        }
        platform::Trace(2, "  [%d] Final: VID=0x%04X, PID=0x%04X, Type=%d, Mode=%d", record.index,
                        record.vendorId, record.productId, record.deviceType, record.connectionMode);
    }

    const int total = static_cast<int>(records.size());
    std::vector<std::unique_ptr<platform::HidDevice>> old;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records = std::move(records);
        old.swap(m_devices);
        m_devices = std::move(devices);
        m_cachedHandle = nullptr;
        m_cachedRecord = -1;
    }
    old.clear();
    platform::Trace(2, "========== EnumerateDevice Complete! Total=%d, HasUSB=%s ==========", total,
                    hasUsb ? "YES" : "NO");
    return total;
}

void HidDeviceManager::CloseAll()
{
    std::vector<std::unique_ptr<platform::HidDevice>> devices;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened && m_records.empty()) return;
        devices.swap(m_devices);
        m_records.clear();
        m_cachedHandle = nullptr;
        m_cachedRecord = -1;
        m_opened = false;
    }
    devices.clear(); // closes the handles outside the lock
}

bool HidDeviceManager::IsOpened() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opened;
}

void HidDeviceManager::SetOpened(bool opened)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_opened = opened;
}

int HidDeviceManager::ConnectionModeOfCurrent() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    bool receiver = false;
    for (const HidDeviceRecord& r : m_records) {
        if (r.deviceType != m_currentType) continue;
        if (r.connectionMode == 0) return 0;
        if (r.connectionMode == 1) receiver = true;
    }
    return receiver ? 1 : -1;
}

std::vector<HidDeviceRecord> HidDeviceManager::DevicesOfType(bool onlineOnly) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<HidDeviceRecord> out;
    for (const HidDeviceRecord& r : m_records) {
        if (m_currentType != 0 && r.deviceType != m_currentType) continue;
        if (onlineOnly && r.onlineState != 1) continue;
        out.push_back(r);
    }
    return out;
}

std::vector<HidDeviceRecord> HidDeviceManager::Records() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
}

bool HidDeviceManager::HasUsableDevice(int deviceType) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::any_of(m_records.begin(), m_records.end(), [&](const HidDeviceRecord& r) {
        return r.deviceType == deviceType && !r.deviceId.empty() && r.onlineState > 0;
    });
}

bool HidDeviceManager::ReleaseNumberOfMode(int connectionMode, int& releaseNumber) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_opened) return false;
    for (const HidDeviceRecord& r : m_records) {
        if (r.connectionMode == connectionMode) {
            releaseNumber = r.releaseNumber;
            return true;
        }
    }
    return false;
}

void HidDeviceManager::SetOnlineState(int deviceType, int connectionMode, int state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (HidDeviceRecord& r : m_records)
        if (r.deviceType == deviceType && r.connectionMode == connectionMode) r.onlineState = state;
}

int HidDeviceManager::CurrentDeviceType() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_currentType;
}

void HidDeviceManager::SetCurrentDeviceType(int deviceType)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_currentType = deviceType;
    m_cachedHandle = nullptr;
    m_cachedRecord = -1;
}

void HidDeviceManager::ClearCurrentCache()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cachedHandle = nullptr;
    m_cachedRecord = -1;
}

bool HidDeviceManager::CurrentRecord(HidDeviceRecord& record) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cachedRecord < 0 || m_cachedRecord >= static_cast<int>(m_records.size())) return false;
    record = m_records[static_cast<size_t>(m_cachedRecord)];
    return true;
}

// ---------------------------------------------------------------- report exchange

uint8_t HidDeviceManager::Checksum(const uint8_t* frame)
{
    unsigned sum = 0;
    for (int i = 5; i <= 31; ++i)
        sum += frame[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

void HidDeviceManager::WriteChecksum(uint8_t* frame)
{
    frame[32] = Checksum(frame);
}

HidHandle HidDeviceManager::CurrentHandleLocked()
{
    if (m_cachedHandle) return m_cachedHandle;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const HidDeviceRecord& r = m_records[i];
        if (r.deviceType == m_currentType && r.connectionMode == 0 && r.handle) {
            m_cachedHandle = r.handle;
            m_cachedRecord = static_cast<int>(i);
            return m_cachedHandle;
        }
    }
    for (size_t i = 0; i < m_records.size(); ++i) {
        const HidDeviceRecord& r = m_records[i];
        if (r.deviceType == m_currentType && r.connectionMode == 1) {
            // The receiver is used only while the mouse behind it is on.
            if (r.onlineState != 1 || !r.handle) return nullptr;
            m_cachedHandle = r.handle;
            m_cachedRecord = static_cast<int>(i);
            return m_cachedHandle;
        }
    }
    return nullptr;
}

HidHandle HidDeviceManager::CurrentHandle()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return CurrentHandleLocked();
}

bool HidDeviceManager::SendCommand(uint8_t* frame, int length, bool wait)
{
    const bool ok = Exchange(frame, length, wait);
    if (!ok) ++m_failedCommands;
    return ok;
}

bool HidDeviceManager::Exchange(uint8_t* frame, int length, bool wait)
{
    HidHandle handle = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_opened) return false;
        handle = CurrentHandleLocked();
    }
    if (!handle) return false;
    if (!frame || length < FrameLength || length > 1024) {
        platform::Trace(2, "SendCommand: bad frame length %d", length);
        return false;
    }
    WriteChecksum(frame);
    const size_t n = static_cast<size_t>(length);
    std::vector<uint8_t> scratch(frame, frame + n);
    platform::GetClock().SleepMs(PreWritePauseMs);
    if (handle->Write(scratch.data(), n) <= 0) return false;
    if (!wait) return false;

    std::memcpy(scratch.data(), frame, n);
    std::vector<uint8_t> reply(n);
    bool ok = false;
    for (int i = 0; i < ReplyReads && !ok; ++i) {
        std::fill(reply.begin(), reply.end(), 0);
        const int got = handle->ReadTimeout(reply.data(), n, ReplyTimeoutMs);
        if (got < 0) {
            // The device is gone (unplugged, handle closed): no reply can come any more.
            platform::Trace(2, "SendCommand: read failed");
            break;
        }
        if (got == 0) continue;
        // A short reply is taken zero-padded, never mixed with bytes of an earlier report.
        scratch = reply;
        ok = got >= 2 && reply[1] == 0;
    }
    std::memcpy(frame, scratch.data(), n);
    return ok;
}

bool HidDeviceManager::RequestDeviceInfoOn(uint8_t* info, HidHandle handle)
{
    std::memset(info, 0, InfoLength);
    info[0] = 0x00;
    info[1] = 0x30;
    WriteChecksum(info);
    platform::GetClock().SleepMs(InfoPauseMs);
    if (handle->Write(info, FrameLength) <= 0) return false;
    for (int i = 0; i < 2; ++i) {
        platform::GetClock().SleepMs(InfoPauseMs);
        const int got = handle->ReadTimeout(info, FrameLength, InfoReadTimeoutMs);
        if (got < 0) return false;
        std::memset(info + got, 0, static_cast<size_t>(InfoLength - got));
        // A receiver's "mouse gone" report carries status 0 too; it is no device information.
        if (got >= 2 && info[1] == 0 && ReplyBelongsTo(info, 0x30)) return true;
    }
    return false;
}

bool HidDeviceManager::RequestDeviceInfo(uint8_t* info, HidHandle handle)
{
    if (!info) return false;
    if (!handle) {
        std::lock_guard<std::mutex> lock(m_mutex);
        CurrentHandleLocked();
        if (m_cachedRecord < 0) return false;
        std::memcpy(info, m_records[static_cast<size_t>(m_cachedRecord)].deviceInfo.data(), InfoLength);
        return true;
    }
    return RequestDeviceInfoOn(info, handle);
}

// ---------------------------------------------------------------- notifications

bool HidDeviceManager::PollNotification(uint8_t* buffer, int& deviceType)
{
    HidHandle handle = nullptr;
    std::vector<HidDeviceRecord> receivers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        handle = CurrentHandleLocked();
        deviceType = m_currentType;
        if (!handle)
            for (const HidDeviceRecord& r : m_records)
                if (r.connectionMode == 1 && r.handle) receivers.push_back(r);
    }
    if (handle) {
        uint8_t data[InfoLength] = {};
        const int got = handle->ReadTimeout(data, InfoLength, PollTimeoutMs);
        if (got <= 0) return false;
        std::memcpy(buffer, data, InfoLength);
        return true;
    }
    for (HidDeviceRecord& r : receivers) {
        uint8_t data[InfoLength] = {};
        const int got = r.handle->ReadTimeout(data, FrameLength, PollTimeoutMs);
        if (got <= 0) continue;
        deviceType = r.deviceType;
        if (data[0] == 0xD1) {
            if (data[1] == 1) {
                r.onlineState = 1;
                uint8_t info[InfoLength];
                bool ok = RequestDeviceInfoOn(info, r.handle);
                if (!ok) {
                    platform::GetClock().SleepMs(50);
                    ok = RequestDeviceInfoOn(info, r.handle);
                }
                if (ok) {
                    std::memcpy(r.deviceInfo.data(), info, InfoLength);
                    r.deviceId = DeviceIdFromInfo(info);
                    r.deviceType = LookupDeviceType(r.vendorId, r.productId, r.deviceId);
                }
            } else {
                r.onlineState = 0;
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (HidDeviceRecord& mine : m_records) {
                    if (mine.handle != r.handle) continue;
                    mine.onlineState = r.onlineState;
                    mine.deviceInfo = r.deviceInfo;
                    mine.deviceId = r.deviceId;
                    mine.deviceType = r.deviceType;
                }
            }
            SetOnlineState(r.deviceType, r.connectionMode, r.onlineState);
            deviceType = r.deviceType;
        }
        std::memcpy(buffer, data, InfoLength);
        return true;
    }
    return false;
}

void HidDeviceManager::RefreshReceiverStates()
{
    std::vector<HidDeviceRecord> receivers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const HidDeviceRecord& r : m_records)
            if (r.deviceType == m_currentType && r.connectionMode == 1 && r.handle) receivers.push_back(r);
    }
    for (const HidDeviceRecord& r : receivers) {
        uint8_t data[InfoLength] = {};
        if (r.handle->ReadTimeout(data, FrameLength, PollTimeoutMs) <= 0) continue;
        if (data[0] == 0xD1) SetOnlineState(r.deviceType, 1, data[1] == 1 ? 1 : 2);
    }
}

int HidDeviceManager::UpdateUSBDevice(bool arrival, const std::string& path, bool usageKnown,
                                      uint16_t usagePage, uint16_t usage, bool devicePresent)
{
    std::string upper = path;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    platform::Trace(2, "UpdateUSBDevice path: %s", upper.c_str());
    const std::vector<DeviceDefinition> definitions = Definitions();
    char ids[64];
    if (arrival) {
        for (const DeviceDefinition& d : definitions) {
            std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", d.vendorId & 0xFFFF, d.productId & 0xFFFF);
            if (upper.find(ids) == std::string::npos) continue;
            return usageKnown && usagePage == 0xFF01 && usage == 0x0010 ? 2 : 0;
        }
        return 0;
    }
    if (!devicePresent) return 0;
    for (const DeviceDefinition& d : definitions) {
        std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X&MI_02", d.vendorId & 0xFFFF, d.productId & 0xFFFF);
        if (upper.find(ids) != std::string::npos) return 3;
    }
    return 0;
}

// ---------------------------------------------------------------- refresh steps

int HidDeviceManager::RefreshDevices()
{
    ClearCurrentCache();
    CloseAll();
    const int total = EnumerateDevice();
    SetOpened(true);
    return total;
}

bool HidDeviceManager::RefreshAndSelect(DeviceObserver& observer)
{
    const std::wstring key = platform::DeviceName();
    const int saved = platform::UserRegistry::ReadInt(key, L"DeviceType");
    RefreshDevices();
    SetCurrentDeviceType(0);
    const std::vector<HidDeviceRecord> all = DevicesOfType(false);
    SetCurrentDeviceType(saved);

    observer.OnAllDevicesState(0);
    int firstType = 0;
    bool savedPresent = false;
    for (const HidDeviceRecord& r : all) {
        if (r.deviceType <= 0) continue;
        if (firstType == 0) firstType = r.deviceType;
        if (r.deviceType == saved) savedPresent = true;
        observer.OnDeviceState(r.deviceType, r.connectionMode, r.onlineState);
        observer.OnDeviceVersion(r.deviceType, r.releaseNumber);
    }
    if (firstType != 0) {
        const int selected = observer.SelectDevice(saved, savedPresent ? saved : firstType);
        SetCurrentDeviceType(selected);
        platform::UserRegistry::WriteInt(key, L"DeviceType", selected);
        observer.OnDeviceSelected(selected);
    }
    const bool present = !all.empty();
    observer.OnDevicePresent(present);
    observer.OnShowView(present ? ConnectionModeOfCurrent() : -1);
    observer.OnCloseTransientPopups();
    return present;
}

void HidDeviceManager::ResetForTests()
{
    CloseAll();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_definitions.clear();
    m_currentType = 0;
    m_opened = false;
}

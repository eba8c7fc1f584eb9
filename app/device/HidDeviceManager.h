#pragma once
// The one device manager of the process: the device definitions of the application
// configuration, the records of the accepted HID interfaces, the current device type and the
// handle commands go to, and the command report exchange.
//
// Threads: every operation that does I/O (EnumerateDevice, SendCommand, RequestDeviceInfo,
// PollNotification, RefreshReceiverStates, CloseAll) runs on the task worker thread. Queries
// (ConnectionModeOfCurrent, DevicesOfType, HasUsableDevice, ReleaseNumberOfMode, ...) may come
// from any thread: the lists are guarded, and a rebuild is published in one step, so a query sees
// either the old or the new list, never half of one.
//
// Tests: ResetForTests() closes everything and forgets definitions and state; the transport is
// whatever platform::GetHidTransport() returns (install a SimTransport with ScopedHidTransport).
#include "app/device/DeviceDefinition.h"
#include "app/device/HidDeviceRecord.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class DeviceObserver;

namespace platform {
class HidDevice;
}

class HidDeviceManager
{
public:
    static constexpr int FrameLength = 33;     // most command reports
    static constexpr int LongFrameLength = 65; // lighting, lift-off/sensor, sleep
    static constexpr int InfoLength = 65;      // device-information buffer

    static HidDeviceManager& Instance();

    HidDeviceManager();
    ~HidDeviceManager();
    HidDeviceManager(const HidDeviceManager&) = delete;
    HidDeviceManager& operator=(const HidDeviceManager&) = delete;

    // ---- definitions ----
    void ClearDefinitions();
    void AddDefinition(const DeviceDefinition& definition);
    std::vector<DeviceDefinition> Definitions() const;

    // ---- records ----
    // Rebuilds the record list from the transport's interfaces (call after CloseAll). Returns
    // the number of records.
    int EnumerateDevice();
    // Closes every handle, empties the list, clears the cache and the opened flag.
    void CloseAll();
    bool IsOpened() const;
    void SetOpened(bool opened);

    int LookupDeviceType(int vendorId, int productId, const std::wstring& deviceId) const;
    // 0 when a record of the current type is on the cable, else 1 when one is on the receiver, else -1.
    int ConnectionModeOfCurrent() const;
    // Records of the current type (every record when the current type is 0), in list order.
    std::vector<HidDeviceRecord> DevicesOfType(bool onlineOnly) const;
    std::vector<HidDeviceRecord> Records() const;
    bool HasUsableDevice(int deviceType) const;
    // The release number of the first record with that connection mode; false when none.
    bool ReleaseNumberOfMode(int connectionMode, int& releaseNumber) const;
    void SetOnlineState(int deviceType, int connectionMode, int state);

    int CurrentDeviceType() const;
    // Changing the type clears the cached handle and record.
    void SetCurrentDeviceType(int deviceType);
    void ClearCurrentCache();
    // Copy of the record commands go to (the one CurrentHandle chose); false when there is none.
    bool CurrentRecord(HidDeviceRecord& record) const;

    // ---- report exchange ----
    // Writes the checksum into byte 32, waits 66 ms, writes length bytes to the current handle
    // and, with wait, reads up to 50 replies (30 ms each) until one has status 0. The frame ends
    // up holding the last reply read (or itself when nothing came). True only for a valid reply.
    // The frame buffer must hold at least max(length, 33) bytes.
    bool SendCommand(uint8_t* frame, int length, bool wait);
    // Command 0x30 on the given handle into a 65-byte buffer; with no handle, copies the stored
    // reply of the current record (false when there is none).
    bool RequestDeviceInfo(uint8_t* info, HidHandle handle);
    HidHandle CurrentHandle();
    // Commands SendCommand reported as failed since start (diagnostics, korvane-cli's status).
    int FailedCommandCount() const { return m_failedCommands.load(); }

    static uint8_t Checksum(const uint8_t* frame);
    static void WriteChecksum(uint8_t* frame);

    // ---- notifications ----
    // One pending input report (up to 65 bytes) into buffer; deviceType gets the type it
    // belongs to. False when nothing was read.
    bool PollNotification(uint8_t* buffer, int& deviceType);
    void RefreshReceiverStates();
    // A device-interface notification. Returns the task code to enqueue: 2 for the arrival of a
    // known device's vendor collection, 3 for the removal of a known device's interface 2 while
    // devicePresent, 0 otherwise. usageKnown false: the interface could not be queried.
    int UpdateUSBDevice(bool arrival, const std::string& path, bool usageKnown, uint16_t usagePage,
                        uint16_t usage, bool devicePresent);

    // ---- refresh steps ----
    // Task 1: clear the cache, CloseAll, EnumerateDevice, opened. Returns the record count.
    int RefreshDevices();
    // Tasks 2 to 4: refresh, then choose the current device from the saved type ("DeviceType" in
    // the per-user settings) with the observer's help, persist it and tell the observer which
    // view to show. Returns true when any record was found (the device-present flag).
    bool RefreshAndSelect(DeviceObserver& observer);

    // Forget everything: CloseAll, no definitions, current type 0 (tests).
    void ResetForTests();

private:
    HidHandle CurrentHandleLocked();
    bool Exchange(uint8_t* frame, int length, bool wait);
    bool ReadDetails(HidDeviceRecord& record);
    bool RequestDeviceInfoOn(uint8_t* info, HidHandle handle);

    mutable std::mutex m_mutex;
    bool m_opened = false;
    std::vector<DeviceDefinition> m_definitions;
    std::vector<HidDeviceRecord> m_records;
    std::vector<std::unique_ptr<platform::HidDevice>> m_devices; // owns the record handles
    int m_currentType = 0;
    HidHandle m_cachedHandle = nullptr;
    int m_cachedRecord = -1; // index into m_records
    std::atomic<int> m_failedCommands{0};
};

// Reads the device identity from a device-information reply: bytes 4..7, each widened with its
// sign, a zero byte ending the id early.
std::wstring DeviceIdFromInfo(const uint8_t* info);

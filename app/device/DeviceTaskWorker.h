#pragma once
// The task worker: all device traffic runs here, one task code per pass, on the worker thread.
// The user interface stores a setting and enqueues a task code; when the queue is empty and a
// device is present, a pass polls one unsolicited report (DPI change 0xD2, receiver status
// 0xD1). Every step the user interface must show goes to the DeviceObserver, in order.
//
// Task codes: 1 refresh and read, 2 read (device arrived), 3 read after removal, 4 read the
// chosen device, 5 write the whole profile, 6 buttons, 8 lighting, 9 DPI, 10 DPI colours,
// 11 report rate, 12 lift-off and sensor, 13 sleep and response, 18 DPI stages from the store
// then DPI and colours, 20 factory reset, 22 pointer setting, 27 close the update tip.
// Any other code is taken from the queue without effect.
//
// Tests drive it without a thread: Enqueue(), then RunPass() on the test thread.
#include "app/device/CThreadBasic.h"
#include "app/device/DeviceDefinition.h"

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <vector>

class DeviceObserver;
class HidDeviceManager;
class SettingsStore;

// What the worker knows of the current device (the main window's device state).
struct DeviceState
{
    int profile = 0;            // current profile number
    bool devicePresent = false; // records were found by the last refresh (enables polling)
    int connectionFlag = 0;     // byte 14 of the device information
    int battery = 0;
    int charging = 0;
    int sensorCode = 0;
    int infoWord = 0; // bytes 8-9 of the device information
    int dpiMinimum = 50;
    int dpiMaximum = 26000;
    int sliderMinimum = 1;
    int sliderMaximum = 520;
    int reportRateCount = 4;
    int lightMode = -1;    // -1: not known yet (the profile's active mode is used)
    int lastDpiIndex = -1; // as last reported by the mouse (0xD2)
    int lastDpiCount = 0;
    bool receiverLatch = false; // a receiver reported the mouse connected
};

class DeviceTaskWorker : public CThreadBasic
{
public:
    DeviceTaskWorker(HidDeviceManager& device, SettingsStore& store, DeviceObserver& observer);
    ~DeviceTaskWorker() override;

    // Appends a task code (any thread).
    void Enqueue(int code);
    size_t QueueSize() const;
    std::vector<int> Queue() const;

    // Starts the worker thread (2 ms between passes); Stop waits up to 1000 ms.
    bool Start();
    void Stop();
    // Cleared by Stop(): long requests made for the worker (the version check) give up when it
    // is, so that stopping never waits for a server's time-out.
    const std::atomic<bool>* KeepGoing() const { return &m_keepGoing; }

    // One pass: the first queued task, or one notification when the queue is empty and a device
    // is present. Returns the task code run (0 when none).
    int RunPass();
    // Runs one task code now, on the calling thread.
    void RunTask(int code);

    // The read-back of the mouse's configuration into the current profile.
    bool ReadDeviceConfig();
    // Steps 1 and 2 of the read-back: battery display and the current record's device
    // information (sensor table, report rates, battery). Returns the connection flag.
    int TakeDeviceInformation();
    // Refresh and select (tasks 2 to 4); sets the device-present flag.
    bool RefreshAndSelect();
    void WriteWholeProfile();
    void FactoryReset();
    void HandleNotification();

    // ---- main window's state ----
    DeviceState State() const;
    void SetProfile(int profile);
    void SetLightingSupported(bool supported);
    void SetLightMode(int mode);
    void SetDevicePresent(bool present);
    // The configuration's definitions, re-added to the device manager by task 1.
    void SetDefinitions(const std::vector<DeviceDefinition>& definitions);
    // Lays a model's defaults over a new profile (EnsureProfiles).
    void SetProfileDefaults(std::function<void(int profile)> apply);
    // The button page marked a button whose new macro must go out with the next task 6.
    void MarkPendingMacro(int button);
    // Forget which device types were read in this run (restoring factory settings).
    void ClearReadTypes();
    bool WasRead(int deviceType) const;

protected:
    void Pass() override;

private:
    void ReadTask(int code);
    void DeviceInfoTask();
    void DpiFromStore();
    void RefreshPages(bool withMacroPage);
    int EnsureProfiles();
    int OnlineDeviceCount() const;
    int Profile() const;
    int SensorCode() const;
    int CurrentLightMode();

    HidDeviceManager& m_device;
    SettingsStore& m_store;
    DeviceObserver& m_observer;

    mutable std::mutex m_queueMutex;
    std::deque<int> m_queue;

    mutable std::mutex m_stateMutex;
    DeviceState m_state;
    bool m_lightingSupported = true;
    int m_pendingMacroButton = -1;
    bool m_pendingMacro = false;
    std::set<int> m_readTypes;
    std::vector<DeviceDefinition> m_definitions;
    bool m_haveDefinitions = false;
    std::function<void(int)> m_profileDefaults;
    std::atomic<bool> m_keepGoing{true};
};

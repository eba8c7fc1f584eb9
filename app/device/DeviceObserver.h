#pragma once
// What the device link tells the user interface. The refresh of the device list and the task
// worker call these hooks in the order the steps happen; every hook has a no-op default so that
// a caller implements only what it shows (korvane-cli prints a few, the main window forwards
// every call to its own thread, keeping the order).
//
// Calls come from the task worker thread unless noted.
#include <atomic>
#include <string>

class DeviceObserver
{
public:
    virtual ~DeviceObserver() = default;

    // ---- device list (refresh and select) ----
    // Every device entry of the list goes to "absent" (state 0).
    virtual void OnAllDevicesState(int state) {}
    // One identified record: its type, connection mode and online state.
    virtual void OnDeviceState(int deviceType, int connectionMode, int onlineState) {}
    virtual void OnDeviceVersion(int deviceType, int releaseNumber) {}
    // Chooses the device to work with among the identified ones. savedType is the type saved in
    // the per-user settings; suggested is the type the device link would take (savedType when it
    // is present, else the first identified record's type). Return the type to select.
    virtual int SelectDevice(int savedType, int suggested) { return suggested; }
    // The selected device changed (or was confirmed): load its description, rebuild the pages.
    virtual void OnDeviceSelected(int deviceType) {}
    // Task 1 re-enumerated the devices: load the description of the window's current device
    // and rebuild the pages.
    virtual void OnDevicesRefreshed() {}
    // Which view to show: -1 none (title text 50), 0 USB cable (51), 1 receiver (52).
    virtual void OnShowView(int connectionMode) {}
    // Whether any record was found (removal notifications only matter while one is present).
    virtual void OnDevicePresent(bool present) {}
    // Close transient pop-ups (tips, key dialogs, menus, message boxes, palettes...).
    virtual void OnCloseTransientPopups() {}

    // ---- pages ----
    virtual void OnRefreshButtonPage() {}
    virtual void OnRefreshMacroPage() {}
    virtual void OnRefreshPerformancePage() {} // LoadDpiPage
    virtual void OnRefreshLightingPage() {}
    // Version text "%s: V%s.%s" and the other device-information fields.
    virtual void OnDeviceInformation(int deviceType, int releaseNumber) {}
    // The button page selects its first button and re-applies its first function entry.
    virtual void OnSelectFirstButton() {}
    // A macro recording in progress ends as by its stop control.
    virtual void OnEndMacroRecording() {}
    // Empty-state controls (no online device) or the device list.
    virtual void OnShowEmptyState(bool empty) {}

    // ---- battery ----
    virtual void OnBatteryInfo(int level, int charging) {}                   // BatteryCtrl::SetBatteryInfo
    virtual void OnDeviceBattery(int deviceType, int charging, int level) {} // CDeviceList::SetDeviceBattery

    // ---- DPI and performance ----
    // Sensor table applied: DPI minimum and maximum, their texts, the slider range 1..sliderMax.
    virtual void OnSensorRange(int sensorCode, int dpiMin, int dpiMax, const std::wstring& minText,
                               const std::wstring& maxText, int sliderMax)
    {
    }
    virtual void OnReportRateCount(int count) {}
    // DPI stage values and colours (0x00BBGGRR) for the DPI control, stage by stage.
    virtual void OnDpiStage(int stage, int dpi, int colour) {}
    virtual void OnDpiCount(int count) {}        // the DPI-count box, then RebuildDpiStages
    virtual void OnDpiIndex(int index) {}        // DPIControl::SetSelectItem
    virtual void OnDpiSlider(int sliderValue) {} // DPISlider::SetProgress
    // The mouse's own DPI button changed the stage: show dpi in the DPI pop-up (when enabled).
    virtual void OnDpiPopup(int dpi) {}

    // ---- worker tasks ----
    // Read tasks 1 and 2 end with the online version check. Runs on the worker thread and may
    // block it (the request has its own time-outs): do the check here, post only its results.
    // Hand keepGoing to the request (FetchOptions::keepGoing): it is cleared when the worker
    // is stopped, and the request then gives up instead of holding the window's close.
    virtual void OnVersionCheck(int deviceType, const std::atomic<bool>* keepGoing) {}
    // Task 27: close the update tip dialog when one exists.
    virtual void OnCloseUpdateTip() {}
    // Task 22: apply the pending pointer setting of the settings page.
    virtual void OnApplyPointerSetting() {}

    // ---- notifications ----
    // An unsolicited report arrived (0xD1 receiver status, 0xD2 DPI change).
    virtual void OnReceiverStatus(int deviceType, int connected, int battery, int charging) {}
    virtual void OnDpiChanged(int deviceType, int index, int count) {}
};

#pragma once
// The settings commands of the mouse: each reads its values from a profile of the store,
// builds the command report, sends it to the current device and, when the mouse does not
// accept it, leaves a trace line. Nothing is retried; the stored settings stay the reference
// and go out again with the next write of the whole profile.
//
// Runs on the task worker thread (all device traffic does).
#include <cstdint>

class HidDeviceManager;
class SettingsStore;

// What a read-back brought home besides the settings keys it stored.
struct ReadBackResult
{
    int accepted = 0;          // read requests the mouse answered (of 7)
    bool lightingRead = false; // the mouse reported its lighting mode
    int lightingMode = 0;      // that mode: the window's current lighting mode from now on
};

class DeviceCommands
{
public:
    DeviceCommands(HidDeviceManager& device, SettingsStore& store);

    // 0x02: "report_rate".
    bool SetReportRate(int profile);
    // 0x03: "dpi_group0_value".."dpi_group5_value" clamped to the sensor's range, "dpi_index"
    // and "dpi_count".
    bool SetDpi(int profile, int sensorCode);
    // 0x04: "dpi_group0_rgb".."dpi_group5_rgb".
    bool SetDpiColours(int profile);
    // 0x05: makes lightingMode the profile's active effect and sends that effect's record;
    // false without sending when the profile has no record for the mode.
    bool SetLighting(int profile, int lightingMode);
    // 0x06: "liftoff_height" and the sensor switches of "sensor_flag".
    bool SetLiftoffSensor(int profile);
    // 0x07: "sleep_light", "move_wakeup", "move_closelight", "button_respondtime".
    bool SetPowerOptions(int profile);
    // 0x0F: the mouse restores its factory memory. The store is the caller's business.
    bool SendFactoryReset();

    // The read requests 0x11..0x17 in order; every answered one is stored into the profile.
    // A request the mouse does not answer is skipped.
    ReadBackResult ReadSettings(int profile, int sensorCode);

private:
    bool Send(uint8_t* frame, uint8_t code);

    HidDeviceManager& m_device;
    SettingsStore& m_store;
};

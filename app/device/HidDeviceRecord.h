#pragma once
// One accepted HID interface of a known mouse, as the device manager keeps it.
#include <array>
#include <cstdint>
#include <string>

namespace platform {
class HidDevice;
}

// The handle is owned by the device manager and stays valid until its CloseAll; copies of a
// record handed to other threads must not use it.
using HidHandle = platform::HidDevice*;

struct HidDeviceRecord
{
    static constexpr size_t MaxPath = 1023;

    int index = 0; // position among the interfaces accepted in this enumeration
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string path; // at most MaxPath characters
    HidHandle handle = nullptr;
    int releaseNumber = 0;  // shown as the device version
    int deviceType = 0;     // 0 until identified
    int connectionMode = 0; // 0 USB cable, 1 2.4 GHz receiver
    int onlineState = 1;    // 1 online; 0 the receiver reported the mouse gone; 2 a status poll found it gone
    std::wstring deviceId;  // the 4 characters of bytes 4..7 of the device-information reply
    std::array<uint8_t, 65> deviceInfo{}; // last successful reply to command 0x30
};

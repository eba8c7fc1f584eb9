#pragma once
// One USB identity of a supported mouse model: a `mode` element of a `mouse` element in
// config.xml. The device manager matches enumerated HID interfaces against these.
#include <string>

struct DeviceDefinition
{
    int vendorId = 0;
    int productId = 0;
    std::wstring name;      // always empty
    int deviceType = 0;     // the mouse's "device_type"
    int connectionMode = 0; // 0 = USB cable, 1 = 2.4 GHz receiver
    std::wstring deviceId;  // "dev_id": the 4-character id the device reports
};

#pragma once
// The mouse's sensors differ in DPI range and in how a DPI value maps to the raw code the
// firmware keeps. The sensor code comes from byte 10 of the device-information reply.

struct SensorRange
{
    int minimum = 50; // smallest DPI the pages offer and the writes clamp to
    const wchar_t* minimumText = L"50";
    const wchar_t* maximumText = L"26000"; // shown at the slider's end
    int maximum = 26000;                   // largest DPI a write sends (may be below the shown text)
    int sliderMaximum = 520;               // the slider runs from 1 to this position
};

SensorRange SensorRangeOf(int sensorCode);

// Raw code read from the mouse -> DPI.
int RawToDpi(int sensorCode, int raw);
// DPI -> raw code to write. The caller clamps the DPI into the sensor's range first.
int DpiToRaw(int sensorCode, int dpi);
// DPI -> position of the DPI slider.
int DpiToSliderValue(int sensorCode, int dpi);
// Clamps a DPI into [minimum, maximum] of the sensor.
int ClampDpi(int sensorCode, int dpi);
// The largest raw code a level may hold: the code of the sensor's maximum DPI. Codes above
// it cannot come from this program or the mouse's own buttons.
int MaximumRawCode(int sensorCode);

// Number of report rates the performance page offers, from byte 11 of the device information.
int ReportRateCount(int capability);

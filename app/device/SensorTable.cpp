#include "app/device/SensorTable.h"

#include <algorithm>

SensorRange SensorRangeOf(int sensorCode)
{
    switch (sensorCode) {
    case 3:
    case 5:
        return {50, L"50", L"12000", 12000, 184};
    case 4:
        return {100, L"100", L"8000", 8000, 80};
    case 16:
    case 18:
        return {100, L"100", L"4800", 4800, 48};
    case 17:
        return {50, L"50", L"24000", 24000, 232};
    case 25:
        return {100, L"100", L"30000", 30000, 174};
    case 37:
        return {100, L"100", L"10000", 10000, 60};
    case 38:
        return {200, L"200", L"10000", 10000, 59};
    case 53:
        return {100, L"100", L"16000", 16000, 160};
    case 149:
        // The slider shows 30000, but the sensor's encoding tops out at 26000.
        return {50, L"50", L"30000", 26000, 600};
    default:
        return {50, L"50", L"26000", 26000, 520};
    }
}

int RawToDpi(int sensorCode, int r)
{
    switch (sensorCode) {
    case 17:
        if (r < 200) return r * 50;
        if (r <= 220) return (r - 100) * 100;
        return (r - 208) * 1000;
    case 3:
    case 5:
        return r <= 128 ? r * 50 : (r - 64) * 100;
    case 37:
        return r < 50 ? r * 100 : (r - 40) * 500;
    case 38:
        return r < 50 ? r * 100 : (r - 39) * 500;
    case 25:
        return r < 160 ? r * 100 : (r - 144) * 1000;
    case 4:
    case 16:
    case 18:
    case 53:
        return r * 100;
    default:
        return r * 50 + 50;
    }
}

int DpiToRaw(int sensorCode, int d)
{
    switch (sensorCode) {
    case 17:
        if (d >= 13000) return (d - 13000) / 1000 + 221;
        if (d > 10000) return (d - 10000) / 100 + 200;
        return d / 50;
    case 3:
    case 5:
        return d > 6400 ? (d - 6400) / 100 + 128 : d / 50;
    case 37:
        return d > 5000 ? (d - 5000) / 500 + 50 : d / 100;
    case 38:
        return d > 5000 ? (d - 5000) / 500 + 50 : d / 100 - 1;
    case 25:
        return d > 16000 ? (d - 16000) / 1000 + 160 : d / 100;
    case 4:
    case 16:
    case 18:
    case 53:
        return d / 100;
    default:
        return d / 50 - 1;
    }
}

int DpiToSliderValue(int sensorCode, int d)
{
    switch (sensorCode) {
    case 17:
        if (d <= 10000) return d / 50;
        if (d <= 12000) return (d - 10000) / 100 + 200;
        return (d - 13000) / 1000 + 221;
    case 3:
    case 5:
    case 37:
    case 38:
    case 25:
    case 4:
    case 16:
    case 18:
    case 53:
        return DpiToRaw(sensorCode, d);
    default:
        return d / 50;
    }
}

int ClampDpi(int sensorCode, int dpi)
{
    SensorRange range = SensorRangeOf(sensorCode);
    return std::clamp(dpi, range.minimum, range.maximum);
}

int MaximumRawCode(int sensorCode)
{
    return DpiToRaw(sensorCode, SensorRangeOf(sensorCode).maximum);
}

int ReportRateCount(int capability)
{
    switch (capability) {
    case 0x10:
        return 5;
    case 0x20:
        return 6;
    case 0x40:
        return 7;
    default:
        return 4;
    }
}

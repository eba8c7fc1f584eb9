#include "app/device/CommandFrames.h"

#include "app/device/SensorTable.h"

namespace {

void StartFrame(CommandFrame& frame, uint8_t code, uint8_t dataLength)
{
    frame.fill(0);
    frame[1] = code;
    frame[3] = 0x01;
    frame[4] = dataLength;
}

void PutColour(CommandFrame& frame, int at, int colour)
{
    frame[at] = static_cast<uint8_t>(colour & 0xFF);
    frame[at + 1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
    frame[at + 2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
}

int GetColour(const uint8_t* reply, int at)
{
    return reply[at] | (reply[at + 1] << 8) | (reply[at + 2] << 16);
}

} // namespace

int FrameLength(uint8_t code)
{
    switch (code) {
    case command::Lighting:
    case command::LiftoffSensor:
    case command::Power:
        return 65;
    default:
        return 33;
    }
}

void BuildReportRateFrame(CommandFrame& frame, int rateCode)
{
    StartFrame(frame, command::ReportRate, 1);
    frame[5] = static_cast<uint8_t>(rateCode);
}

void BuildDpiFrame(CommandFrame& frame, int sensorCode, int index, int count,
                   const std::array<int, kDpiLevels>& dpis)
{
    StartFrame(frame, command::Dpi, 0x26);
    frame[5] = 0;
    frame[6] = static_cast<uint8_t>(((index & 0x0F) << 4) | (count & 0x0F));
    for (int k = 0; k < kDpiLevels; ++k) {
        int raw = DpiToRaw(sensorCode, ClampDpi(sensorCode, dpis[k]));
        int at = 7 + 4 * k;
        frame[at] = static_cast<uint8_t>(raw & 0xFF);
        frame[at + 1] = static_cast<uint8_t>((raw >> 8) & 0xFF);
        frame[at + 2] = frame[at];
        frame[at + 3] = frame[at + 1];
    }
}

void BuildDpiColourFrame(CommandFrame& frame, const std::array<int, kDpiLevels>& colours)
{
    StartFrame(frame, command::DpiColours, 18);
    for (int k = 0; k < kDpiLevels; ++k)
        PutColour(frame, 5 + 3 * k, colours[k]);
}

void BuildLightingFrame(CommandFrame& frame, const LightingValues& light)
{
    StartFrame(frame, command::Lighting, 0);
    int length = 0;
    switch (light.mode) {
    case 0:
    case 4:
    case 5:
    case 9:
        length = 2;
        break;
    case 1:
        length = 3;
        break;
    case 2:
        length = 24;
        frame[7] = 7;
        for (int i = 0; i < kLightColours; ++i)
            PutColour(frame, 8 + 3 * i, light.colours[i]);
        break;
    case 3:
        length = 5;
        PutColour(frame, 7, light.colours[0]);
        break;
    case 6:
        length = 23;
        for (int i = 0; i < kLightColours; ++i)
            PutColour(frame, 7 + 3 * i, light.colours[i]);
        break;
    default:
        // A mode the mouse does not know goes out empty.
        return;
    }
    frame[4] = static_cast<uint8_t>(length);
    frame[5] = static_cast<uint8_t>(light.mode);
    frame[6] = static_cast<uint8_t>(((light.brightness & 0x0F) << 4) | (light.speed & 0x0F));
}

void BuildLiftoffSensorFrame(CommandFrame& frame, int liftoffHeight, int sensorFlag)
{
    StartFrame(frame, command::LiftoffSensor, 5);
    frame[5] = static_cast<uint8_t>(liftoffHeight);
    frame[6] = (sensorFlag & 8) ? 1 : 0;
    frame[7] = (sensorFlag & 4) ? 1 : 0;
}

void BuildPowerFrame(CommandFrame& frame, int sleepLight, int moveWakeup, int moveCloseLight,
                     int buttonRespondTime)
{
    StartFrame(frame, command::Power, 4);
    frame[5] = static_cast<uint8_t>(sleepLight);
    frame[6] = static_cast<uint8_t>(moveWakeup);
    frame[7] = static_cast<uint8_t>(moveCloseLight);
    frame[8] = static_cast<uint8_t>(buttonRespondTime);
}

void BuildFactoryResetFrame(CommandFrame& frame)
{
    StartFrame(frame, command::FactoryReset, 1);
    frame[5] = 0xFF;
}

void BuildReadRequest(CommandFrame& frame, uint8_t code)
{
    frame.fill(0);
    frame[1] = code;
}

std::wstring DpiValueKey(int level)
{
    return L"dpi_group" + std::to_wstring(level) + L"_value";
}

std::wstring DpiColourKey(int level)
{
    return L"dpi_group" + std::to_wstring(level) + L"_rgb";
}

bool ReplyBelongsTo(const uint8_t* reply, uint8_t code)
{
    const uint8_t kind = reply[0];
    if (kind == code) return true;
    const bool known = (kind >= command::ReportRate && kind <= command::ButtonFunctions) ||
                       kind == command::FactoryReset ||
                       (kind >= command::ReadOpen && kind <= command::ReadPower) ||
                       kind == command::DeviceInfo || kind == 0xD1 || kind == 0xD2;
    return !known;
}

SettingUpdates ParseReportRateReply(const uint8_t* reply)
{
    return {{L"report_rate", reply[4]}, {L"report_rate_wireless", reply[4]}};
}

SettingUpdates ParseDpiReply(const uint8_t* reply, int sensorCode)
{
    SettingUpdates updates;
    const int count = reply[4] & 0x0F;
    const int index = (reply[4] >> 4) & 0x0F;
    if (count >= 1 && count <= kDpiLevels) {
        updates.emplace_back(L"dpi_flag", count);
        updates.emplace_back(L"dpi_count", count);
        if (index < count) updates.emplace_back(L"dpi_index", index);
    }
    const int maximumRaw = MaximumRawCode(sensorCode);
    for (int k = 0; k < kDpiLevels; ++k) {
        // Level k sits at 5 + 4k as X low, X high, Y low, Y high. Level 0 is taken from its
        // Y pair, the others from their X pair.
        int at = k == 0 ? 7 : 5 + 4 * k;
        int raw = reply[at] | (reply[at + 1] << 8);
        if (raw > maximumRaw) continue;
        int dpi = RawToDpi(sensorCode, raw);
        if (dpi >= 50) updates.emplace_back(DpiValueKey(k), dpi);
    }
    return updates;
}

SettingUpdates ParseDpiColourReply(const uint8_t* reply)
{
    SettingUpdates updates;
    for (int k = 0; k < kDpiLevels; ++k)
        updates.emplace_back(DpiColourKey(k), GetColour(reply, 4 + 3 * k));
    return updates;
}

SettingUpdates ParseLiftoffSensorReply(const uint8_t* reply)
{
    int height = reply[4] == 0xFF ? 1 : reply[4];
    int sensorFlag = (reply[5] == 1 ? 8 : 0) + (reply[6] == 1 ? 4 : 0);
    return {{L"liftoff_height", height}, {L"sensor_flag", sensorFlag}};
}

SettingUpdates ParsePowerReply(const uint8_t* reply)
{
    // Byte 5 is the wake setting; it stays as the profile has it.
    return {{L"sleep_light", reply[4]}, {L"move_closelight", reply[6]}, {L"button_respondtime", reply[7]}};
}

LightingReply ParseLightingReply(const uint8_t* reply)
{
    return {reply[4], (reply[5] >> 4) & 0x0F, reply[5] & 0x0F};
}

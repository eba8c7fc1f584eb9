#pragma once
// Command reports of the mouse's command set, built from plain values, and the replies of
// the read requests turned back into settings. Nothing here touches the store or a device:
// DeviceCommands and ButtonCommands feed these from the profile and send the result.
//
// A frame is 65 bytes, zeroed: byte 0 report id 0, byte 1 command, byte 3 = 1 for writes,
// byte 4 data length, data from byte 5, checksum in byte 32 (written by HidDeviceManager::SendCommand).
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using CommandFrame = std::array<uint8_t, 65>;

namespace command {
enum Code : uint8_t
{
    ReportRate = 0x02,
    Dpi = 0x03,
    DpiColours = 0x04,
    Lighting = 0x05,
    LiftoffSensor = 0x06,
    Power = 0x07,
    Macro = 0x08,
    ButtonFunctions = 0x09,
    FactoryReset = 0x0F,
    ReadOpen = 0x11,
    ReadReportRate = 0x12,
    ReadDpi = 0x13,
    ReadDpiColours = 0x14,
    ReadLighting = 0x15,
    ReadLiftoffSensor = 0x16,
    ReadPower = 0x17,
    DeviceInfo = 0x30,
};
} // namespace command

// Lengths handed to the transport: most reports are 33 bytes, the lighting, lift-off and
// power reports 65.
int FrameLength(uint8_t code);

constexpr int kDpiLevels = 6;
constexpr int kLightColours = 7;

struct LightingValues
{
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    std::array<int, kLightColours> colours{}; // COLORREF 0x00BBGGRR
};

// Write commands. Every builder zeroes the frame first.
void BuildReportRateFrame(CommandFrame& frame, int rateCode);
// DPIs are clamped into the sensor's range and converted to raw codes.
void BuildDpiFrame(CommandFrame& frame, int sensorCode, int index, int count,
                   const std::array<int, kDpiLevels>& dpis);
void BuildDpiColourFrame(CommandFrame& frame, const std::array<int, kDpiLevels>& colours);
void BuildLightingFrame(CommandFrame& frame, const LightingValues& light);
void BuildLiftoffSensorFrame(CommandFrame& frame, int liftoffHeight, int sensorFlag);
void BuildPowerFrame(CommandFrame& frame, int sleepLight, int moveWakeup, int moveCloseLight,
                     int buttonRespondTime);
void BuildFactoryResetFrame(CommandFrame& frame);
// Read requests (0x11..0x17): only the command byte is set.
void BuildReadRequest(CommandFrame& frame, uint8_t code);

// Whether a reply accepted by the sender answers the request `code`. A reply whose byte 0 is
// another command the program sends, or a notification kind (0xD1, 0xD2), is the late answer of
// an earlier request or an unsolicited report that happened to carry status 0.
bool ReplyBelongsTo(const uint8_t* reply, uint8_t code);

// One settings key and its new value, from a reply.
using SettingUpdates = std::vector<std::pair<std::wstring, int>>;

// Reply parsers; `reply` holds at least 33 bytes (byte 1 status, data from byte 4).
SettingUpdates ParseReportRateReply(const uint8_t* reply);
// Levels whose raw code converts below 50 DPI, or above what the sensor's maximum encodes
// to, keep their stored value; so do the stage count and index when the count is not 1..6
// or the index not below the count.
SettingUpdates ParseDpiReply(const uint8_t* reply, int sensorCode);
SettingUpdates ParseDpiColourReply(const uint8_t* reply);
SettingUpdates ParseLiftoffSensorReply(const uint8_t* reply);
SettingUpdates ParsePowerReply(const uint8_t* reply);

struct LightingReply
{
    int mode = 0;
    int brightness = 0;
    int speed = 0;
};
LightingReply ParseLightingReply(const uint8_t* reply);

// Settings keys of DPI level k.
std::wstring DpiValueKey(int level);
std::wstring DpiColourKey(int level);

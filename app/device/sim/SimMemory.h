#pragma once
// What the virtual mouse keeps in its own memory: every value the command set can write, kept
// as the bytes the commands carry so that a read request answers with exactly what was written.
//
// Adding a field: add the member, give it a factory value in Factory(), and list it in
// SimMemory.cpp's field table so that it is saved and loaded with the "memory=" file.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SimMemory
{
    static constexpr int Buttons = 21; // room of the button code table (3 bytes each)
    static constexpr int DpiLevels = 6;
    static constexpr int LightColours = 7;

    // 0x02: the report-rate code (command byte 5).
    uint8_t reportRate = 0;
    // 0x03: byte 6, current stage in the high nibble, stage count in the low nibble.
    uint8_t dpiIndexCount = 0;
    // 0x03: bytes 7..30, per level X low, X high, Y low, Y high (raw DPI codes).
    std::array<std::array<uint8_t, 4>, DpiLevels> dpiLevels{};
    // 0x04: bytes 5..22, per level the colour's low, mid and high byte.
    std::array<std::array<uint8_t, 3>, DpiLevels> dpiColours{};
    // 0x05: mode (byte 5), brightness << 4 | speed (byte 6), and every data byte of the last
    // lighting command as carried (bytes 5 .. 5 + length - 1; length from byte 4).
    uint8_t lightMode = 0;
    uint8_t lightBrightSpeed = 0;
    std::array<uint8_t, 60> lightData{};
    uint8_t lightLength = 0;
    // 0x06: lift-off height (byte 5) and the two sensor switches (bytes 6 and 7).
    uint8_t liftoffHeight = 0;
    uint8_t sensorSwitchA = 0; // byte 6
    uint8_t sensorSwitchB = 0; // byte 7
    // 0x07: sleep light, move wake-up, move close-light, button response time (bytes 5..8).
    uint8_t sleepLight = 0;
    uint8_t moveWakeup = 0;
    uint8_t moveCloseLight = 0;
    uint8_t buttonRespondTime = 0;
    // 0x09: the function code table, 3 bytes per button (only the first 27 bytes travel).
    std::array<uint8_t, 64> buttonCodes{};
    // 0x08: the macro packets each button received, in order, as the data bytes they carried
    // (byte 5 onward, byte 4 of the report giving the count). A new first packet replaces
    // the button's list.
    std::array<std::vector<std::vector<uint8_t>>, Buttons> macroPackets;
    // 0x0F: how often the factory memory was restored (not saved to the memory file).
    int factoryResets = 0;

    static SimMemory Factory();

    // Text form ("korvane-sim-memory 1" then "name=hex" lines). Load returns false and leaves
    // the factory memory in out when the file is missing, unreadable or corrupt.
    bool Save(const std::string& path) const;
    static bool Load(const std::string& path, SimMemory& out);
    std::string ToText() const;
    static bool FromText(const std::string& text, SimMemory& out);

    bool operator==(const SimMemory& other) const;
};

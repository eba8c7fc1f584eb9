#pragma once
// The firmware side of the virtual mouse: its identity (what command 0x30 reports), its memory,
// and the answer to each command report. The transport side (interfaces, cable and receiver,
// timing, faults, wire log) is SimTransport.
//
// Extending the command set: SimMouse::HandleCommandSet is defined in SimCommandSet.cpp. It gets
// every command report except 0x30, changes `memory` and fills the reply (SimReply::Start then
// data from byte 4). Nothing else needs to change; SimTransport saves the memory file whenever
// a command changed the memory. SimMouse is used under SimTransport's lock: no locking here.
#include "app/device/sim/SimMemory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One input report the mouse sends (no report-ID byte). Empty: no reply.
struct SimReply
{
    static constexpr size_t Length = 64; // the input report length of the vendor interface
    std::vector<uint8_t> data;

    // A zeroed report with byte 0 = kind (the echoed command) and byte 1 = status (0 accepted).
    void Start(uint8_t kind, uint8_t status);
    uint8_t& operator[](size_t i) { return data.at(i); }
};

class SimMouse
{
public:
    struct Identity
    {
        std::string deviceId = "KV01"; // 4 characters, bytes 4..7 of the 0x30 reply
        uint16_t infoWord = 0x0100;    // bytes 8..9
        uint8_t sensorCode = 17;       // byte 10
        uint8_t rateCapability = 0x40; // byte 11
        bool charging = false;         // byte 12
        int battery = 80;              // byte 13, percent
    };

    Identity identity;
    SimMemory memory = SimMemory::Factory();

    // report: the bytes the host wrote (byte 0 report ID, byte 1 command, byte 4 data length,
    // data from byte 5, checksum in byte 32). connected: the mouse is reachable on the link the
    // report came through (byte 14 of the 0x30 reply).
    void HandleReport(const uint8_t* report, size_t length, bool connected, SimReply& reply);

    // Every command but 0x30. Returns false for a command the mouse does not know; the reply
    // then carries status 1. Defined in SimCommandSet.cpp.
    bool HandleCommandSet(const uint8_t* report, size_t length, SimReply& reply);

    // The mouse's DPI button: the next stage (wrapping at the stage count) becomes current.
    // Returns the 0xD2 report announcing it.
    std::vector<uint8_t> PressDpiButton();
    // The 0xD1 receiver status report.
    std::vector<uint8_t> StatusReport(bool connected) const;
};

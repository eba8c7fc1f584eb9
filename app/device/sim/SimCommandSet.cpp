#include "app/device/sim/SimMouse.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "app/device/CommandFrames.h"
#include "app/device/HidDeviceManager.h"

// The mouse keeps the bytes each write command carries and answers a read request with them,
// laid out as the read replies have them (data from byte 4). A report whose checksum does not
// match is refused with status 1, as the firmware refuses a damaged report.
namespace {

uint8_t At(const uint8_t* report, size_t length, size_t i)
{
    return i < length ? report[i] : 0;
}

// The button whose macro is arriving, per mouse: only the first packet names the button.
std::mutex g_macroLock;
std::map<const SimMouse*, int> g_macroButton;

// A macro arrives as packets numbered "index << 4 | count" in byte 3. The first packet starts
// the button's list (its first data byte is the button); the following ones are appended in
// order. A packet out of order is dropped.
void TakeMacroPacket(const SimMouse* mouse, SimMemory& memory, const uint8_t* report, size_t length)
{
    const size_t index = At(report, length, 3) >> 4;
    const size_t dataLength = std::min<size_t>(At(report, length, 4), 27);
    std::vector<uint8_t> data;
    for (size_t i = 0; i < dataLength; ++i)
        data.push_back(At(report, length, 5 + i));

    std::lock_guard lock(g_macroLock);
    if (index == 0) {
        if (data.empty() || data[0] >= SimMemory::Buttons) return;
        g_macroButton[mouse] = data[0];
        memory.macroPackets[data[0]] = {data};
        return;
    }
    auto button = g_macroButton.find(mouse);
    if (button == g_macroButton.end()) return;
    auto& packets = memory.macroPackets[button->second];
    if (packets.size() == index) packets.push_back(data);
}

} // namespace

bool SimMouse::HandleCommandSet(const uint8_t* report, size_t length, SimReply& reply)
{
    const uint8_t code = At(report, length, 1);
    auto data = [&](size_t i) { return At(report, length, 5 + i); };
    if (length >= 33 && report[32] != HidDeviceManager::Checksum(report)) {
        reply.Start(code, 1);
        return true;
    }
    reply.Start(code, 0);
    SimMemory& m = memory;
    switch (code) {
    case command::ReportRate:
        m.reportRate = data(0);
        break;
    case command::Dpi:
        m.dpiIndexCount = data(1);
        for (int k = 0; k < SimMemory::DpiLevels; ++k)
            for (int b = 0; b < 4; ++b)
                m.dpiLevels[k][b] = data(2 + 4 * k + b);
        break;
    case command::DpiColours:
        for (int k = 0; k < SimMemory::DpiLevels; ++k)
            for (int b = 0; b < 3; ++b)
                m.dpiColours[k][b] = data(3 * k + b);
        break;
    case command::Lighting: {
        // A report without data (an effect the mouse does not know) changes nothing.
        const size_t carried = std::min<size_t>(At(report, length, 4), m.lightData.size());
        if (carried == 0) break;
        m.lightData.fill(0);
        for (size_t i = 0; i < carried; ++i)
            m.lightData[i] = data(i);
        m.lightLength = static_cast<uint8_t>(carried);
        m.lightMode = data(0);
        m.lightBrightSpeed = data(1);
        break;
    }
    case command::LiftoffSensor:
        m.liftoffHeight = data(0);
        m.sensorSwitchA = data(1);
        m.sensorSwitchB = data(2);
        break;
    case command::Power:
        m.sleepLight = data(0);
        m.moveWakeup = data(1);
        m.moveCloseLight = data(2);
        m.buttonRespondTime = data(3);
        break;
    case command::Macro:
        TakeMacroPacket(this, m, report, length);
        break;
    case command::ButtonFunctions:
        // Byte 4 says 21, yet the report carries buttons 0..8 (27 bytes); all of them count.
        for (int i = 0; i < 27; ++i)
            m.buttonCodes[i] = data(i);
        break;
    case command::FactoryReset: {
        const int resets = m.factoryResets + 1;
        m = SimMemory::Factory();
        m.factoryResets = resets;
        std::lock_guard lock(g_macroLock);
        g_macroButton.erase(this);
        break;
    }
    case command::ReadOpen:
        break;
    case command::ReadReportRate:
        reply[4] = m.reportRate;
        break;
    case command::ReadDpi:
        reply[4] = m.dpiIndexCount;
        for (int k = 0; k < SimMemory::DpiLevels; ++k)
            for (int b = 0; b < 4; ++b)
                reply[5 + 4 * k + b] = m.dpiLevels[k][b];
        break;
    case command::ReadDpiColours:
        for (int k = 0; k < SimMemory::DpiLevels; ++k)
            for (int b = 0; b < 3; ++b)
                reply[4 + 3 * k + b] = m.dpiColours[k][b];
        break;
    case command::ReadLighting:
        reply[4] = m.lightMode;
        reply[5] = m.lightBrightSpeed;
        for (size_t i = 2; i < m.lightLength && 4 + i < SimReply::Length; ++i)
            reply[4 + i] = m.lightData[i];
        break;
    case command::ReadLiftoffSensor:
        reply[4] = m.liftoffHeight;
        reply[5] = m.sensorSwitchA;
        reply[6] = m.sensorSwitchB;
        break;
    case command::ReadPower:
        reply[4] = m.sleepLight;
        reply[5] = m.moveWakeup;
        reply[6] = m.moveCloseLight;
        reply[7] = m.buttonRespondTime;
        break;
    default:
        return false;
    }
    return true;
}

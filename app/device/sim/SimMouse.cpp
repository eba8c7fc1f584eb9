#include "app/device/sim/SimMouse.h"

#include <algorithm>

void SimReply::Start(uint8_t kind, uint8_t status)
{
    data.assign(Length, 0);
    data[0] = kind;
    data[1] = status;
}

void SimMouse::HandleReport(const uint8_t* report, size_t length, bool connected, SimReply& reply)
{
    reply.data.clear();
    if (length < 2) return;
    const uint8_t command = report[1];
    if (command == 0x30) {
        reply.Start(0x30, 0);
        for (size_t i = 0; i < 4 && i < identity.deviceId.size(); ++i)
            reply[4 + i] = static_cast<uint8_t>(identity.deviceId[i]);
        reply[8] = static_cast<uint8_t>(identity.infoWord & 0xFF);
        reply[9] = static_cast<uint8_t>(identity.infoWord >> 8);
        reply[10] = identity.sensorCode;
        reply[11] = identity.rateCapability;
        reply[12] = identity.charging ? 1 : 0;
        reply[13] = static_cast<uint8_t>(std::clamp(identity.battery, 0, 100));
        reply[14] = connected ? 1 : 0;
        return;
    }
    if (!HandleCommandSet(report, length, reply)) reply.Start(command, 1);
}

std::vector<uint8_t> SimMouse::PressDpiButton()
{
    int count = memory.dpiIndexCount & 0x0F;
    if (count < 1 || count > SimMemory::DpiLevels) count = 1;
    const int index = ((memory.dpiIndexCount >> 4) + 1) % count;
    memory.dpiIndexCount = static_cast<uint8_t>((index << 4) | count);
    std::vector<uint8_t> report(SimReply::Length, 0);
    report[0] = 0xD2;
    report[1] = memory.dpiIndexCount;
    return report;
}

std::vector<uint8_t> SimMouse::StatusReport(bool connected) const
{
    std::vector<uint8_t> report(SimReply::Length, 0);
    report[0] = 0xD1;
    report[1] = connected ? 1 : 0;
    report[2] = static_cast<uint8_t>(std::clamp(identity.battery, 0, 100));
    report[3] = identity.charging ? 1 : 0;
    return report;
}

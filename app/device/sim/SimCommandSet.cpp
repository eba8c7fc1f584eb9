#include "app/device/sim/SimMouse.h"

// Placeholder until the full command set lands: every command is accepted and changes nothing.
bool SimMouse::HandleCommandSet(const uint8_t* report, size_t length, SimReply& reply)
{
    reply.Start(report[1], 0);
    return true;
}

// Device commands of korvane-cli.
#include "app/device/HidDeviceManager.h"
#include "cli/CliDeviceSession.h"
#include "platform/Text.h"

#include <cstdio>

namespace {

int RunDevices(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("devices takes no arguments");
    CliDeviceSession session(context);
    if (!session.Open()) return context.Fail(session.Error());
    DeviceObserver quiet;
    session.RefreshAndSelect(quiet);
    const std::vector<HidDeviceRecord> records = HidDeviceManager::Instance().Records();
    if (records.empty()) return context.Fail("no supported device found");
    for (const HidDeviceRecord& r : records) {
        char line[256];
        const std::string id = r.deviceId.empty() ? "-" : platform::ToUtf8(r.deviceId);
        std::snprintf(line, sizeof line, "%d %04x:%04x %s %d %d %s %04x", r.index, r.vendorId, r.productId,
                      r.connectionMode == 0 ? "USB" : "2.4G", r.deviceType, r.onlineState, id.c_str(),
                      r.releaseNumber & 0xFFFF);
        context.Out() << line << "\n";
    }
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("devices", "devices",
                    "refresh, then list the interfaces of supported mice: index, VID:PID, mode, device type, "
                    "online state, device id, release number",
                    RunDevices);

// firmware-check: the online version check of the desktop program, from the command line.
#include "app/device/HidDeviceManager.h"
#include "app/device/VersionCheck.h"
#include "app/documents/DeviceDescription.h"
#include "cli/CliDeviceSession.h"
#include "cli/StoreSelection.h"
#include "platform/Text.h"

namespace {

// The attached mouse's firmware version; empty without a device.
std::wstring CurrentFirmwareVersion(CliContext& context)
{
    CliDeviceSession session(context);
    if (!session.Open()) return {};
    DeviceObserver quiet;
    if (!session.RefreshAndSelect(quiet)) return {};
    HidDeviceManager& device = HidDeviceManager::Instance();
    int release = 0;
    const int mode = device.ConnectionModeOfCurrent();
    if (mode < 0 || !device.ReleaseNumberOfMode(mode, release)) return {};
    return FirmwareVersionText(release);
}

int RunFirmwareCheck(CliContext& context)
{
    if (context.args.size() > 1) return context.Usage("firmware-check takes at most one address");
    std::wstring url;
    if (!context.args.empty()) {
        url = platform::FromUtf8(context.args[0]);
    } else {
        // The selected model's firmware link, as the desktop program asks it.
        StoreSelection selection(context);
        if (int status = selection.OpenOrFail()) return status;
        DeviceDescription description;
        LoadDeviceDescription(description, selection.DeviceType());
        url = description.firmwareUrl;
        if (url.empty()) return context.Fail("the model's description names no firmware address");
    }
    const std::wstring current = CurrentFirmwareVersion(context);
    context.Out() << "current: " << (current.empty() ? "-" : platform::ToUtf8(current)) << "\n";

    FirmwareUpdateState state;
    const bool shown = CheckFirmwareVersion(url, current, state);
    if (state.latestVersion.empty())
        return context.Fail("no usable version answer from " + platform::ToUtf8(url) + "/mouse/version");
    context.Out() << "latest: " << platform::ToUtf8(state.latestVersion) << "\n";
    if (!shown) {
        context.Out() << "no device to compare with\n";
        return 0;
    }
    if (state.updateState == FirmwareUpdateState::UpdateAvailable)
        context.Out() << "update available: "
                      << platform::ToUtf8(FormatDisplayedVersion(L"firmware", state.latestVersion)) << "\n";
    else
        context.Out() << "up to date\n";
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("firmware-check", "firmware-check [URL]",
                    "ask URL/mouse/version (default: the model's firmware link) for the newest firmware and "
                    "compare it with the attached mouse's version",
                    RunFirmwareCheck);

// Device commands of korvane-cli: devices, status, read, apply, reset, watch.
#include "app/device/CommandFrames.h"
#include "app/device/DeviceTaskWorker.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/SensorTable.h"
#include "app/store/SettingsStore.h"
#include "cli/CliDeviceSession.h"
#include "platform/Clock.h"
#include "platform/DeviceNotifier.h"
#include "platform/Text.h"
#include "platform/UdevDeviceNotifier.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<bool> g_interrupted{false};

// What the command line shows of the worker's steps: the settings database follows the
// selected model; watch prints the mouse's reports as they arrive.
class CliObserver : public DeviceObserver
{
public:
    CliObserver(CliContext& context, CliDeviceSession& session) : m_context(context), m_session(session) {}
    void SetWorker(DeviceTaskWorker* worker) { m_worker = worker; }
    void SetWatching(bool watching) { m_watching = watching; }

    // As the main window does: switch the database and the description to the model, and take
    // what the worker needs of the description.
    void OnDeviceSelected(int deviceType) override
    {
        if (deviceType <= 0 || !m_worker) return;
        m_session.SelectModel(deviceType);
        m_worker->SetLightingSupported(m_session.Description().hasLighting);
        m_worker->SetProfileDefaults([this, deviceType](int profile) {
            DeviceDescription description = m_session.Description();
            ApplyDeviceDefaults(description, deviceType, profile, false);
        });
    }
    // The lighting page creates a profile's lighting records on its first load.
    void OnRefreshLightingPage() override
    {
        if (!m_worker) return;
        if (int profile = m_worker->State().profile; profile > 0)
            SettingsStore::Instance().CreateDefaultLightRecords(profile,
                                                                m_session.Description().lightEffects);
    }
    void OnDeviceInformation(int deviceType, int releaseNumber) override
    {
        if (m_watching)
            m_context.Out() << "mouse ready: " << deviceType << " "
                            << platform::ToUtf8(m_session.ModelName(deviceType)) << std::endl;
    }
    void OnDpiChanged(int deviceType, int index, int count) override
    {
        if (!m_watching || !m_worker) return;
        const int dpi =
            SettingsStore::Instance().GetSettingInt(m_worker->State().profile, DpiValueKey(index));
        m_context.Out() << "dpi: stage " << index + 1 << " of " << count << " (" << dpi << " DPI)"
                        << std::endl;
    }
    void OnReceiverStatus(int deviceType, int connected, int battery, int charging) override
    {
        if (!m_watching) return;
        if (connected == 1)
            m_context.Out() << "receiver: mouse connected, battery " << battery << "%, "
                            << (charging ? "charging" : "not charging") << std::endl;
        else
            m_context.Out() << "receiver: mouse disconnected" << std::endl;
    }

private:
    CliContext& m_context;
    CliDeviceSession& m_session;
    DeviceTaskWorker* m_worker = nullptr;
    bool m_watching = false;
};

// A device session with its worker, refreshed and selected.
struct DeviceRun
{
    explicit DeviceRun(CliContext& context) : session(context), observer(context, session) {}

    // Opens the session, refreshes and selects the device. Returns 0 or the exit status.
    // identified: a mouse of a known model must answer; otherwise an attached receiver (or,
    // with waiting, nothing at all) is enough.
    int Start(CliContext& context, bool identified = true, bool waiting = false)
    {
        if (!session.Open()) return context.Fail(session.Error());
        worker = std::make_unique<DeviceTaskWorker>(HidDeviceManager::Instance(), SettingsStore::Instance(),
                                                    observer);
        observer.SetWorker(worker.get());
        const bool present = session.RefreshAndSelect(observer);
        worker->SetDevicePresent(present);
        if (!present && waiting) return 0;
        if (!present) return context.Fail("no supported device found");
        if (identified && HidDeviceManager::Instance().ConnectionModeOfCurrent() < 0)
            return context.Fail("no identified mouse (is it switched on?)");
        return 0;
    }
    // Makes sure the profiles exist and works on the active one.
    bool UseActiveProfile()
    {
        const int deviceType = HidDeviceManager::Instance().CurrentDeviceType();
        const int profile = SettingsStore::Instance().EnsureProfiles([this, deviceType](int p) {
            DeviceDescription description = session.Description();
            ApplyDeviceDefaults(description, deviceType, p, false);
        });
        worker->SetProfile(profile);
        return profile > 0;
    }

    CliDeviceSession session;
    CliObserver observer;
    std::unique_ptr<DeviceTaskWorker> worker;
};

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

int RunStatus(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("status takes no arguments");
    DeviceRun run(context);
    if (int status = run.Start(context)) return status;
    HidDeviceManager& device = HidDeviceManager::Instance();
    const int connected = run.worker->TakeDeviceInformation();
    const DeviceState s = run.worker->State();
    const int type = device.CurrentDeviceType();
    const int mode = device.ConnectionModeOfCurrent();
    const SensorRange range = SensorRangeOf(s.sensorCode);
    context.Out() << "device: " << type << " " << platform::ToUtf8(run.session.ModelName(type)) << "\n"
                  << "connection: " << (mode == 0 ? "USB cable" : "2.4G receiver") << "\n"
                  << "connected: " << (connected ? "yes" : "no") << "\n";
    if (!connected) return context.Fail("the mouse does not answer through its receiver");
    context.Out() << "battery: " << s.battery << "%\n"
                  << "charging: " << (s.charging ? "yes" : "no") << "\n"
                  << "sensor: " << s.sensorCode << " (DPI " << range.minimum << " to "
                  << platform::ToUtf8(range.maximumText) << ")\n"
                  << "report rates: " << s.reportRateCount << "\n";
    return 0;
}

int RunRead(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("read takes no arguments");
    DeviceRun run(context);
    if (int status = run.Start(context)) return status;
    HidDeviceManager& device = HidDeviceManager::Instance();
    const int failedBefore = device.FailedCommandCount();
    // The read task as a device arrival runs it (it refreshes again, as the program does).
    run.worker->RunTask(2);
    const int type = device.CurrentDeviceType();
    if (!run.worker->WasRead(type)) return context.Fail("the mouse's settings could not be read");
    const int profile = run.worker->State().profile;
    SettingsStore& store = SettingsStore::Instance();
    context.Out() << "profile " << profile << "\n";
    const wchar_t* keys[] = {L"report_rate",      L"dpi_count",         L"dpi_index",
                             L"dpi_group0_value", L"dpi_group1_value",  L"dpi_group2_value",
                             L"dpi_group3_value", L"dpi_group4_value",  L"dpi_group5_value",
                             L"liftoff_height",   L"sensor_flag",       L"sleep_light",
                             L"move_closelight",  L"button_respondtime"};
    for (const wchar_t* key : keys)
        context.Out() << platform::ToUtf8(key) << "=" << store.GetSettingInt(profile, key) << "\n";
    const int failed = device.FailedCommandCount() - failedBefore;
    if (failed > 0) return context.Fail(std::to_string(failed) + " read requests were not answered");
    return 0;
}

// apply and reset: device information as the read-back takes it, then one task.
int RunWriteTask(CliContext& context, int task, const char* done)
{
    DeviceRun run(context);
    if (int status = run.Start(context)) return status;
    if (!run.UseActiveProfile()) return context.Fail("the settings database cannot be used");
    if (!run.worker->TakeDeviceInformation())
        return context.Fail("the mouse does not answer through its receiver");
    HidDeviceManager& device = HidDeviceManager::Instance();
    const int failedBefore = device.FailedCommandCount();
    run.worker->RunTask(task);
    const int failed = device.FailedCommandCount() - failedBefore;
    if (failed > 0) return context.Fail(std::to_string(failed) + " commands were not accepted by the mouse");
    context.Out() << done << " (profile " << run.worker->State().profile << ")\n";
    return 0;
}

int RunApply(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("apply takes no arguments");
    return RunWriteTask(context, 5, "profile written to the mouse");
}

int RunReset(CliContext& context)
{
    if (!context.args.empty()) return context.Usage("reset takes no arguments");
    return RunWriteTask(context, 20, "factory settings restored");
}

int RunWatch(CliContext& context)
{
    if (context.args.size() > 1) return context.Usage("watch takes at most one argument");
    long seconds = 10;
    if (!context.args.empty()) {
        char* end = nullptr;
        seconds = std::strtol(context.args[0].c_str(), &end, 10);
        if (!end || *end || seconds < 0 || seconds > 86400 * 365)
            return context.Usage("bad number of seconds");
    }
    DeviceRun run(context);
    // A receiver whose mouse is off is worth watching: it reports the mouse when it comes; so is
    // an empty bus, until a mouse is plugged in.
    if (int status = run.Start(context, false, true)) return status;
    if (!run.worker->State().devicePresent)
        context.Out() << "waiting for a mouse to be plugged in" << std::endl;
    // Without an identified mouse no model's settings are open yet; the read task of the
    // mouse's arrival opens them.
    if (HidDeviceManager::Instance().CurrentDeviceType() > 0) {
        run.UseActiveProfile();
        run.worker->TakeDeviceInformation();
    }
    run.observer.SetWatching(true);

    // Plugging and unplugging reach the worker as they reach the main window.
    platform::UdevDeviceNotifier udev;
    platform::DeviceNotifier simulated;
    platform::DeviceNotifier& notifier =
        run.session.Sim() ? simulated : static_cast<platform::DeviceNotifier&>(udev);
    DeviceTaskWorker& worker = *run.worker;
    notifier.Start([&worker](const platform::DeviceChange& change) {
        const int task = HidDeviceManager::Instance().UpdateUSBDevice(
            change.kind == platform::DeviceChange::Arrival, change.path, change.usageKnown, change.usagePage,
            change.usage, worker.State().devicePresent);
        if (task) worker.Enqueue(task);
    });
    if (run.session.Sim()) run.session.Sim()->SetNotifier(&simulated);
    g_interrupted = false;
    std::signal(SIGINT, [](int) { g_interrupted = true; });
    std::signal(SIGTERM, [](int) { g_interrupted = true; });

    platform::Clock& clock = platform::GetClock();
    const int64_t start = clock.NowMs();
    int64_t nextPress = start + run.session.Scenario().press;
    while (!g_interrupted && (seconds == 0 || clock.NowMs() - start < seconds * 1000)) {
        if (run.session.Sim() && run.session.Scenario().press > 0 && clock.NowMs() >= nextPress) {
            run.session.Sim()->PressDpiButton();
            nextPress += run.session.Scenario().press;
        }
        run.worker->RunPass();
        clock.SleepMs(2);
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (run.session.Sim()) run.session.Sim()->SetNotifier(nullptr);
    notifier.Stop();
    return 0;
}

} // namespace

KORVANE_CLI_COMMAND("devices", "devices",
                    "refresh, then list the interfaces of supported mice: index, VID:PID, mode, device type, "
                    "online state, device id, release number",
                    RunDevices);
KORVANE_CLI_COMMAND("status", "status",
                    "the selected mouse: model, connection, battery, charging, sensor and DPI range",
                    RunStatus);
KORVANE_CLI_COMMAND("read", "read", "read the mouse's settings into the active profile and show them",
                    RunRead);
KORVANE_CLI_COMMAND("apply", "apply", "write the whole active profile to the mouse", RunApply);
KORVANE_CLI_COMMAND("reset", "reset", "restore the mouse's factory settings and reset the stored profiles",
                    RunReset);
KORVANE_CLI_COMMAND("watch", "watch [SECONDS]",
                    "print DPI changes, battery and connection reports as they arrive (0: until interrupted; "
                    "default 10)",
                    RunWatch);

// The command layer against the virtual mouse with zero latency and the real clock. Every
// command report is preceded by a 66 ms pause that the protocol mandates; the figure of
// interest is the wall time divided by those pauses ("ratio"), which shows what the command
// layer, the store and the transport add on top.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "app/device/ButtonCommands.h"
#include "app/device/DeviceCommands.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/sim/SimTransport.h"
#include "app/store/SettingsStore.h"
#include "platform/Paths.h"

namespace {

constexpr int kPauseMs = 66;

struct Bench
{
    Bench()
    {
        folder = std::filesystem::temp_directory_path() / ("korvane-bench-" + std::to_string(getpid()));
        platform::MakeFolders(folder.string() + "/db");
        sim.SetLinkIds(SimTransport::Cable, 0x1209, 0x0001, 0x0103);
        device.AddDefinition({0x1209, 0x0001, L"", 7, 0, L"KV01"});
        device.RefreshDevices();
        device.SetCurrentDeviceType(7);
        store.OpenDeviceDatabase(folder.string() + "/", L"bench");
        profile = store.EnsureProfiles();
        store.CreateDefaultLightRecords(profile, {true, true, true, true, true, true, true, true});
    }
    ~Bench()
    {
        store.CloseDatabase();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    std::filesystem::path folder;
    SimTransport sim;
    platform::ScopedHidTransport scoped{sim};
    HidDeviceManager device;
    SettingsStore store;
    DeviceCommands commands{device, store};
    ButtonCommands buttons{device, store};
    int profile = 0;
};

void Report(benchmark::State& state, double wallMs, int reports)
{
    state.counters["ratio"] = wallMs / (reports * kPauseMs);
    state.counters["reports"] = reports;
}

void BM_WriteSettings(benchmark::State& state)
{
    Bench b;
    double wallMs = 0;
    int reports = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        b.buttons.SendButtonFunctions(b.profile);
        b.commands.SetDpi(b.profile, 17);
        b.commands.SetDpiColours(b.profile);
        b.commands.SetReportRate(b.profile);
        b.commands.SetLiftoffSensor(b.profile);
        b.commands.SetPowerOptions(b.profile);
        b.commands.SetLighting(b.profile, 1);
        wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        reports += 7;
    }
    Report(state, wallMs, reports);
}
BENCHMARK(BM_WriteSettings)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ReadSettings(benchmark::State& state)
{
    Bench b;
    double wallMs = 0;
    int reports = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(b.commands.ReadSettings(b.profile, 17));
        wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        reports += 7;
    }
    Report(state, wallMs, reports);
}
BENCHMARK(BM_ReadSettings)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The task worker against the virtual mouse with zero latency. Each figure is the wall time of
// a task divided by the pauses the protocol mandates for it; those pauses are measured by
// running the same task once on the fake clock (the sum of every sleep it asks for).
#include "app/device/DeviceObserver.h"
#include "app/device/DeviceTaskWorker.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/sim/SimTransport.h"
#include "app/store/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/HidTransport.h"
#include "platform/Paths.h"
#include "platform/UserRegistry.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <thread>

namespace {

struct Bench
{
    Bench()
    {
        folder =
            (std::filesystem::temp_directory_path() / ("korvane-bench-" + std::to_string(getpid()))).string();
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        platform::UserRegistry::CreateKey(platform::DeviceName());
        platform::MakeFolders(folder + "/settings/db");
        store.OpenDeviceDatabase(folder + "/settings/", L"bench");
        HidDeviceManager& manager = HidDeviceManager::Instance();
        manager.ResetForTests();
        manager.AddDefinition(DeviceDefinition{0x1209, 0x0001, L"", 101, 0, L"KV01"});
        manager.AddDefinition(DeviceDefinition{0x1209, 0x0002, L"", 101, 1, L"KV01"});
        SimScenario scenario;
        std::string error;
        sim.Configure(scenario, manager.Definitions(), error);
        platform::SetHidTransport(&sim);
        worker.RunTask(2);
        LightEffectFlags all;
        all.fill(true);
        store.CreateDefaultLightRecords(worker.State().profile, all);
    }
    ~Bench()
    {
        worker.Stop();
        HidDeviceManager::Instance().ResetForTests();
        platform::SetHidTransport(nullptr);
        store.CloseDatabase();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    // The sum of the pauses a task asks for.
    int MandatedMs(int task)
    {
        platform::FakeClock fake;
        platform::ScopedClock scoped(fake);
        worker.ClearReadTypes();
        worker.RunTask(task);
        const auto sleeps = fake.Sleeps();
        return std::accumulate(sleeps.begin(), sleeps.end(), 0);
    }

    std::string folder;
    SettingsStore store;
    SimTransport sim;
    DeviceObserver observer;
    DeviceTaskWorker worker{HidDeviceManager::Instance(), store, observer};
};

// The real clock, also adding up how long its sleeps really took (the pauses' own overshoot
// is the machine's, not the device link's).
class MeasuringClock : public platform::RealClock
{
public:
    void SleepMs(int ms) override
    {
        const auto start = std::chrono::steady_clock::now();
        RealClock::SleepMs(ms);
        slept += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    double slept = 0;
};

void RunTaskBenchmark(benchmark::State& state, int task)
{
    Bench bench;
    const int mandated = bench.MandatedMs(task);
    MeasuringClock clock;
    platform::ScopedClock scoped(clock);
    double total = 0;
    for (auto _ : state) {
        bench.worker.ClearReadTypes();
        const auto start = std::chrono::steady_clock::now();
        bench.worker.RunTask(task);
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    const double perRun = total / static_cast<double>(state.iterations());
    state.counters["mandated_ms"] = mandated;
    state.counters["ms"] = perRun;
    state.counters["ratio"] = perRun / mandated;
    state.counters["slept_ms"] = clock.slept / static_cast<double>(state.iterations());
    // Wall time with the pauses counted at their nominal length: the link's own overhead.
    state.counters["ratio_nominal_pauses"] =
        (perRun - clock.slept / static_cast<double>(state.iterations()) + mandated) / mandated;
}

void BM_WholeProfileWrite(benchmark::State& state)
{
    RunTaskBenchmark(state, 5);
}
BENCHMARK(BM_WholeProfileWrite)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ReadTask(benchmark::State& state)
{
    RunTaskBenchmark(state, 2);
}
BENCHMARK(BM_ReadTask)->Iterations(3)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The worker thread polling an attached mouse with an empty queue, for two seconds.
void BM_IdleWorkerCpu(benchmark::State& state)
{
    Bench bench;
    bench.worker.SetDevicePresent(true);
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        bench.worker.Start();
        const double cpuStart = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        cpu += ProcessCpuSeconds() - cpuStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bench.worker.Stop();
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_IdleWorkerCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The device link against the virtual mouse with zero latency, on the real clock: discovery of
// a crowded bus, and the overhead of the report exchange over the pauses the protocol mandates.
#include "app/device/HidDeviceManager.h"
#include "app/device/sim/SimTransport.h"
#include "platform/HidTransport.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void Setup(SimTransport& sim, int foreign)
{
    HidDeviceManager& manager = HidDeviceManager::Instance();
    manager.ResetForTests();
    DeviceDefinition cable{0x1209, 0x0001, L"", 101, 0, L"KV01"};
    DeviceDefinition receiver{0x1209, 0x0002, L"", 101, 1, L"KV01"};
    manager.AddDefinition(cable);
    manager.AddDefinition(receiver);
    SimScenario scenario;
    std::string error;
    sim.Configure(scenario, manager.Definitions(), error);
    for (int i = 0; i < foreign; ++i)
        sim.AddForeignInterface(0x2000 + static_cast<uint16_t>(i), 0x0001, i % 2 ? 0x0001 : 0x000C, 0x0001);
}

// 32 interfaces: the mouse's cable and receiver (3 each) and 26 of other devices. The pauses
// the protocol asks for: two 0x30 requests of 40 ms each (the cable's two collections).
void BM_Discovery32(benchmark::State& state)
{
    SimTransport sim;
    Setup(sim, 26);
    platform::ScopedHidTransport scoped(sim);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        HidDeviceManager::Instance().RefreshDevices();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    const double perRun = total / static_cast<double>(state.iterations());
    state.counters["ms"] = perRun;
    state.counters["ratio_to_pauses"] = perRun / 80.0;
    HidDeviceManager::Instance().ResetForTests();
}
BENCHMARK(BM_Discovery32)->Iterations(5)->Unit(benchmark::kMillisecond);

// 100 SendCommand round trips divided by 100 x 66 ms.
void BM_SendCommand100(benchmark::State& state)
{
    SimTransport sim;
    Setup(sim, 0);
    platform::ScopedHidTransport scoped(sim);
    HidDeviceManager& manager = HidDeviceManager::Instance();
    manager.RefreshDevices();
    manager.SetCurrentDeviceType(101);
    double total = 0;
    int failures = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 100; ++i) {
            uint8_t frame[65] = {0, 0x12};
            failures += !manager.SendCommand(frame, 33, true);
        }
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["failures"] = failures;
    state.counters["ratio"] = total / static_cast<double>(state.iterations()) / (100 * 66.0);
    manager.ResetForTests();
}
BENCHMARK(BM_SendCommand100)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

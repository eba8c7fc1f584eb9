// Settings store figures: single-key read and write, saving a long macro, creating a model's
// database with its four default profiles (bare, and with the shipped model's defaults laid
// over each). Real files in a temporary folder; the shipped data beside the program.
#include "app/documents/AppConfig.h"
#include "app/documents/DeviceDescription.h"
#include "app/store/SettingsStore.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

class BenchFolder
{
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data()) ? pattern + "/" : "";
        platform::MakeFolders(m_path + "db");
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Over half of one read is SQLite's file locking in autocommit mode, paid by every statement:
// the shared lock, the hot-journal check, the header read and the unlock are five system calls,
// slow on virtual machines. Preparing the statement anew is a small part.
void BM_GetSetting(benchmark::State& state)
{
    BenchFolder folder;
    SettingsStore store;
    store.OpenDeviceDatabase(folder.Path(), L"bench");
    int profile = store.EnsureProfiles();
    std::wstring value;
    for (auto _ : state) {
        store.GetSetting(profile, L"dpi_group3_value", value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GetSetting)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_SetSetting(benchmark::State& state)
{
    BenchFolder folder;
    SettingsStore store;
    store.OpenDeviceDatabase(folder.Path(), L"bench");
    int profile = store.EnsureProfiles();
    int i = 0;
    for (auto _ : state)
        store.SetSetting(profile, L"dpi_group3_value", std::to_wstring(++i % 26000));
}
BENCHMARK(BM_SetSetting)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_SaveMacroEvents500(benchmark::State& state)
{
    BenchFolder folder;
    SettingsStore store;
    store.OpenDeviceDatabase(folder.Path(), L"bench");
    int macro = store.AddMacro(L"long macro");
    std::vector<MacroEventRecord> events(500);
    for (int i = 0; i < 500; ++i) {
        events[i].macro_id = macro;
        events[i].type = i % 3 == 2 ? MacroEventDelay : (i % 3 ? MacroEventKeyUp : MacroEventKeyDown);
        events[i].record_index = i;
        events[i].desc = L"Key A";
        events[i].value = i % 3 == 2 ? 20 : 65;
        events[i].delay_time = i * 10;
    }
    for (auto _ : state) {
        // As the macro page does after every edit: replace the events as a whole.
        store.DeleteMacroEvents(macro);
        store.SaveMacroEvents(events);
    }
}
BENCHMARK(BM_SaveMacroEvents500)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// A new file with its four default profiles. With argument 1 as on the first start with a
// mouse of the shipped model 101: the model's defaults from its description are laid over each.
void BM_EnsureProfilesNewFile(benchmark::State& state)
{
    BenchFolder folder;
    SettingsStore& store = SettingsStore::Instance();
    const bool deviceDefaults = state.range(0) != 0;
    if (deviceDefaults && (!AppConfig::Instance().ReadModelList() || !AppConfig::Instance().FindModel(101))) {
        state.SkipWithError("no shipped config.xml beside the program");
        return;
    }
    DeviceDescription description;
    std::function<void(int)> applyDefaults;
    if (deviceDefaults)
        applyDefaults = [&](int profile) { ApplyDeviceDefaults(description, 101, profile, false); };
    for (auto _ : state) {
        store.OpenDeviceDatabase(folder.Path(), L"bench");
        benchmark::DoNotOptimize(store.EnsureProfiles(applyDefaults));
        state.PauseTiming();
        store.CloseDatabase();
        store.DeleteDeviceDatabase(folder.Path(), L"bench");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnsureProfilesNewFile)
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

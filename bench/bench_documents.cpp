// Documents: one language-text lookup (the file is read anew on every call, so a page that
// sets 40 labels reads it 40 times), the profile file round trip, and importing a macro file
// of 500 events. Run from the build tree: the shipped data beside the binary is used.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/documents/ExchangeFiles.h"
#include "app/documents/LanguageText.h"
#include "app/documents/XmlWriter.h"
#include "app/store/SettingsStore.h"
#include "platform/Paths.h"

namespace {

struct BenchHome
{
    std::string folder;
    int profile = 0;
    BenchHome()
    {
        char pattern[] = "/tmp/korvane-bench-XXXXXX";
        folder = mkdtemp(pattern);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        platform::MakeFolders(platform::SettingsFolder() + "db");
        SettingsStore::Instance().OpenDeviceDatabase(platform::SettingsFolder(), L"bench");
        profile = SettingsStore::Instance().EnsureProfiles();
        SettingsStore::Instance().CreateDefaultLightRecords(profile,
                                                            LightEffectFlags{true, true, true, true});
    }
    ~BenchHome()
    {
        SettingsStore::Instance().CloseDatabase();
        std::filesystem::remove_all(folder);
    }
};

BenchHome& Home()
{
    static BenchHome home;
    return home;
}

void BM_LanguageText(benchmark::State& state)
{
    SetCurrentLanguage(static_cast<int>(state.range(0)));
    int id = 0;
    const int ids[] = {17, 61, 250, 630};
    for (auto _ : state)
        benchmark::DoNotOptimize(LanguageText(ids[id++ & 3]));
}
BENCHMARK(BM_LanguageText)->Arg(1033)->Arg(2052)->Unit(benchmark::kMicrosecond);

void BM_ProfileExportImport(benchmark::State& state)
{
    BenchHome& home = Home();
    const std::string path = home.folder + "/Bench.xml";
    for (auto _ : state) {
        ExportProfile(path, home.profile, home.profile, L"Bench", true);
        ImportProfile(path, home.profile, true);
    }
}
BENCHMARK(BM_ProfileExportImport)->Unit(benchmark::kMillisecond);

void BM_ImportMacro500Events(benchmark::State& state)
{
    BenchHome& home = Home();
    const std::string path = home.folder + "/macro.xml";
    XmlWriter xml;
    xml.AddElem("macro");
    xml.IntoElem();
    xml.AddElem("macroinfo");
    xml.AddAttrib("macro_name", L"bench");
    xml.AddElem("macroitems");
    xml.IntoElem();
    for (int i = 0; i < 500; ++i) {
        xml.AddElem("item");
        xml.AddAttrib("desc", L"10 ms");
        xml.AddAttrib("index", i);
        xml.AddAttrib("type", 1);
        xml.AddAttrib("value", 10);
        xml.AddAttrib("timestamp", i);
    }
    xml.Save(path);
    for (auto _ : state) {
        const int id = ImportMacro(path);
        state.PauseTiming();
        SettingsStore::Instance().DeleteMacro(id);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportMacro500Events)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Every XML document the program reads, fed the same bytes: the three exchange-file importers
// against a real settings database, the application configuration and the device description
// with the defaults it lays over a profile. None may crash or read beyond its input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/documents/AppConfig.h"
#include "app/documents/DeviceDescription.h"
#include "app/documents/ExchangeFiles.h"
#include "app/store/SettingsStore.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

namespace {

void WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

struct Workspace
{
    std::string folder;
    int profile = 0;

    Workspace()
    {
        char pattern[] = "/tmp/korvane-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) abort();
        folder = pattern;
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        platform::SetProgramFolder(folder);
        platform::SetDeviceName(L"Fuzz");
        platform::MakeFolders(folder + "/device");
        const char* config =
            "<config><device><mouse name='F' device_type='1' device_attr='fuzz'/></device></config>";
        WriteBytes(folder + "/config.xml", reinterpret_cast<const uint8_t*>(config), strlen(config));
        AppConfig::Instance().ReadModelList();
        platform::MakeFolders(platform::SettingsFolder() + "db");
        SettingsStore& store = SettingsStore::Instance();
        if (!store.OpenDeviceDatabase(platform::SettingsFolder(), L"fuzz")) abort();
        store.Connection().Execute("PRAGMA synchronous=OFF");
        profile = store.EnsureProfiles();
        store.CreateDefaultLightRecords(profile,
                                        LightEffectFlags{true, true, true, true, true, true, true, true});
    }
    ~Workspace()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Workspace workspace;
    SettingsStore& store = SettingsStore::Instance();

    // Reopened by every LoadDeviceDescription below; durability does not matter here, speed does.
    store.Connection().Execute("PRAGMA synchronous=OFF");
    const std::string input = workspace.folder + "/input.xml";
    WriteBytes(input, data, size);
    ImportProfile(input, workspace.profile, true);
    std::vector<int> macros;
    if (int id = ImportMacro(input)) macros.push_back(id);
    ImportAllMacros(input, macros);
    for (int id : macros)
        store.DeleteMacro(id); // keep the database small

    // The configuration: a private reader, so the model list of the process stays as set up.
    WriteBytes(workspace.folder + "/config.xml", data, size);
    AppConfig config;
    config.ReadStartupConfig();
    config.ReadModelList();
    platform::SetDeviceName(L"Fuzz");

    WriteBytes(workspace.folder + "/device/fuzz.xml", data, size);
    DeviceDescription description;
    LoadDeviceDescription(description, 1);
    ApplyDeviceDefaults(description, 1, workspace.profile, false);
    ResetReportRateToDeviceDefault(description, 1, workspace.profile);
    return 0;
}

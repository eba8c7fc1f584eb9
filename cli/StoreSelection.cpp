#include "cli/StoreSelection.h"

#include "app/device/DeviceObserver.h"
#include "app/device/HidDeviceManager.h"
#include "app/documents/AppConfig.h"
#include "app/documents/DeviceDescription.h"
#include "cli/CliDeviceSession.h"
#include "platform/Paths.h"
#include "platform/Text.h"

StoreSelection::StoreSelection(CliContext& context) : m_context(context) {}

StoreSelection::~StoreSelection()
{
    // The store is process-wide: leave it closed so that a later command (in tests, in the
    // same process) opens the database of its own model.
    SettingsStore::Instance().CloseDatabase();
}

bool StoreSelection::ChooseModel()
{
    AppConfig& config = AppConfig::Instance();
    const std::vector<ModelEntry> models = config.Models();
    if (models.empty()) {
        m_error = "no mouse models in " + AppConfig::FilePath();
        return false;
    }
    int type = 0;
    if (m_context.model > 0) {
        if (!config.FindModel(m_context.model)) {
            m_error = "no model with device type " + std::to_string(m_context.model);
            return false;
        }
        type = m_context.model;
    }
    if (type == 0) {
        // The attached device's model, as the desktop program selects it after a refresh.
        CliDeviceSession session(m_context);
        DeviceObserver quiet;
        if (session.Open() && session.RefreshAndSelect(quiet)) {
            const int current = HidDeviceManager::Instance().CurrentDeviceType();
            if (config.FindModel(current)) type = current;
        }
    }
    if (type == 0 && config.FindModel(RememberedDeviceType())) type = RememberedDeviceType();
    if (type == 0) type = models.front().deviceType;
    const ModelEntry model = *config.FindModel(type);
    m_deviceType = type;
    m_modelName = model.name;
    m_databaseName = model.databaseName;
    return true;
}

bool StoreSelection::Open()
{
    AppConfig& config = AppConfig::Instance();
    // The product name (which names the settings folder), the language of the default profile
    // names and the model list, as the desktop program reads them at start-up.
    if (!config.ReadStartupConfig() || !config.ReadModelList()) {
        m_error = "cannot read " + AppConfig::FilePath();
        return false;
    }
    config.ChooseStartupLanguage();
    if (!ChooseModel()) return false;

    const std::string folder = platform::SettingsFolder();
    if (!platform::MakeFolders(folder + "db")) {
        m_error = "cannot create the settings folder " + folder + "db";
        return false;
    }
    SettingsStore& store = SettingsStore::Instance();
    DeviceDescription description;
    // Switches the store to the model's database; a missing description leaves the defaults of
    // a new profile as the store writes them.
    LoadDeviceDescription(description, m_deviceType);
    if (!store.IsDatabaseOpen()) {
        m_error = "cannot open the settings database " + SettingsStore::DatabasePath(folder, m_databaseName);
        return false;
    }
    m_hasLighting = description.hasLighting;
    m_lightEffects = description.hasLighting ? description.lightEffects : LightEffectFlags{};
    m_profile = store.EnsureProfiles(
        [&](int profile) { ApplyDeviceDefaults(description, m_deviceType, profile, false); });
    if (m_profile < 1) {
        m_error = "no profile in the settings database " + store.DatabaseFile();
        return false;
    }
    return true;
}

int StoreSelection::OpenOrFail()
{
    return Open() ? 0 : m_context.Fail(m_error);
}

void StoreSelection::EnsureLighting()
{
    if (m_hasLighting) Store().CreateDefaultLightRecords(m_profile, m_lightEffects);
}

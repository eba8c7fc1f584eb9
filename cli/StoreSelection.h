#pragma once
// The settings database a korvane-cli command works on: the database of the selected mouse
// model, opened with its default profiles in place.
//
// The model is, in this order: the one named by --model, the type of the attached device
// (with --simulate: the virtual one), the remembered device type ("DeviceType" in the per-user
// registry), the first model of config.xml.
#include "app/store/SettingsStore.h"
#include "cli/CliCommand.h"

#include <string>

class StoreSelection
{
public:
    explicit StoreSelection(CliContext& context);
    ~StoreSelection();
    StoreSelection(const StoreSelection&) = delete;
    StoreSelection& operator=(const StoreSelection&) = delete;

    // Chooses the model, opens its database (creating the settings folder) and creates the
    // default profiles when the file has none. On failure Error() says what failed.
    bool Open();
    // Open(), or the failure written by context.Fail(): 0 when open, else the exit status.
    int OpenOrFail();
    const std::string& Error() const { return m_error; }

    int DeviceType() const { return m_deviceType; }
    const std::wstring& ModelName() const { return m_modelName; }
    const std::wstring& DatabaseName() const { return m_databaseName; }
    // The active profile.
    int Profile() const { return m_profile; }
    SettingsStore& Store() { return SettingsStore::Instance(); }
    // The lighting effects the model's description offers (none when it has no lighting).
    LightEffectFlags LightEffects() const { return m_lightEffects; }
    // Whether the model's description shows the lighting page.
    bool HasLighting() const { return m_hasLighting; }
    // Gives the active profile its default lighting records when it has none yet, as the
    // lighting page does when it shows the profile.
    void EnsureLighting();

private:
    bool ChooseModel();

    CliContext& m_context;
    std::string m_error;
    int m_deviceType = 0;
    std::wstring m_modelName;
    std::wstring m_databaseName;
    int m_profile = 0;
    LightEffectFlags m_lightEffects{};
    bool m_hasLighting = false;
};

#include "cli/CliDeviceSession.h"

#include "app/device/HidDeviceManager.h"
#include "app/documents/AppConfig.h"
#include "app/store/SettingsStore.h"
#include "platform/HidTransport.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/UserRegistry.h"

CliDeviceSession::CliDeviceSession(CliContext& context) : m_context(context) {}

CliDeviceSession::~CliDeviceSession()
{
    HidDeviceManager::Instance().CloseAll();
    SettingsStore::Instance().CloseDatabase();
    if (m_installed) platform::SetHidTransport(nullptr);
}

bool CliDeviceSession::Open()
{
    AppConfig& config = AppConfig::Instance();
    if (!config.ReadStartupConfig() || !config.ReadModelList()) {
        m_error = "cannot read " + AppConfig::FilePath();
        return false;
    }
    if (HidDeviceManager::Instance().Definitions().empty()) {
        m_error = "no mouse models in " + AppConfig::FilePath();
        return false;
    }
    // The per-user key is created at start-up, as the desktop program does, so that the
    // selected device type can be saved.
    platform::UserRegistry::CreateKey(platform::DeviceName());
    if (!m_context.simulate) return true;
    SimScenario& scenario = m_scenario;
    if (!SimScenario::Parse(m_context.scenario, scenario, m_error)) return false;
    m_sim = std::make_unique<SimTransport>();
    if (!m_sim->Configure(scenario, HidDeviceManager::Instance().Definitions(), m_error)) return false;
    if (!m_context.wireLogPath.empty() && !m_sim->OpenWireLog(m_context.wireLogPath)) {
        m_error = "cannot open wire log " + m_context.wireLogPath;
        return false;
    }
    platform::SetHidTransport(m_sim.get());
    m_installed = true;
    return true;
}

namespace {

// Lets --model win over the saved device type when that model is present.
class ModelChoice : public DeviceObserver
{
public:
    ModelChoice(DeviceObserver& inner, int model) : m_inner(inner), m_model(model) {}
    void OnAllDevicesState(int state) override { m_inner.OnAllDevicesState(state); }
    void OnDeviceState(int type, int mode, int online) override
    {
        if (type == m_model) m_present = true;
        m_inner.OnDeviceState(type, mode, online);
    }
    void OnDeviceVersion(int type, int release) override { m_inner.OnDeviceVersion(type, release); }
    int SelectDevice(int saved, int suggested) override
    {
        return m_inner.SelectDevice(saved, m_model && m_present ? m_model : suggested);
    }
    void OnDeviceSelected(int type) override { m_inner.OnDeviceSelected(type); }
    void OnShowView(int mode) override { m_inner.OnShowView(mode); }
    void OnDevicePresent(bool present) override { m_inner.OnDevicePresent(present); }
    void OnCloseTransientPopups() override { m_inner.OnCloseTransientPopups(); }

private:
    DeviceObserver& m_inner;
    int m_model;
    bool m_present = false;
};

} // namespace

bool CliDeviceSession::RefreshAndSelect(DeviceObserver& observer)
{
    ModelChoice choice(observer, m_context.model);
    return HidDeviceManager::Instance().RefreshAndSelect(choice);
}

bool CliDeviceSession::SelectModel(int deviceType)
{
    platform::MakeFolders(platform::SettingsFolder() + "db");
    return LoadDeviceDescription(m_description, deviceType);
}

std::wstring CliDeviceSession::ModelName(int deviceType) const
{
    const std::optional<ModelEntry> model = AppConfig::Instance().FindModel(deviceType);
    return model ? model->name : std::wstring();
}

#include "cli/CliDeviceSession.h"

#include "app/device/HidDeviceManager.h"
#include "app/store/SettingsStore.h"
#include "platform/HidTransport.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/UserRegistry.h"

#include <cstdlib>
#include <pugixml.hpp>

bool LoadDeviceDefinitions(const std::string& configPath,
                           std::map<int, std::pair<std::wstring, std::wstring>>& models, std::string& error)
{
    pugi::xml_document doc;
    if (!doc.load_file(configPath.c_str())) {
        error = "cannot read " + configPath;
        return false;
    }
    HidDeviceManager& manager = HidDeviceManager::Instance();
    manager.ClearDefinitions();
    for (pugi::xml_node mouse : doc.child("config").child("device").children("mouse")) {
        models.emplace(mouse.attribute("device_type").as_int(),
                       std::make_pair(platform::FromUtf8(mouse.attribute("name").as_string()),
                                      platform::FromUtf8(mouse.attribute("device_attr").as_string())));
        for (pugi::xml_node mode : mouse.children("mode")) {
            DeviceDefinition d;
            d.vendorId = static_cast<int>(std::strtol(mode.attribute("vid").as_string(), nullptr, 16));
            d.productId = static_cast<int>(std::strtol(mode.attribute("pid").as_string(), nullptr, 16));
            d.deviceType = mouse.attribute("device_type").as_int();
            d.connectionMode = mode.attribute("value").as_int();
            d.deviceId = platform::FromUtf8(mode.attribute("dev_id").as_string());
            manager.AddDefinition(d);
        }
    }
    if (manager.Definitions().empty()) {
        error = "no mouse models in " + configPath;
        return false;
    }
    return true;
}

CliDeviceSession::CliDeviceSession(CliContext& context) : m_context(context) {}

CliDeviceSession::~CliDeviceSession()
{
    HidDeviceManager::Instance().CloseAll();
    SettingsStore::Instance().CloseDatabase();
    if (m_installed) platform::SetHidTransport(nullptr);
}

bool CliDeviceSession::Open()
{
    if (!LoadDeviceDefinitions(platform::ProgramFolder() + "/config.xml", m_models, m_error)) return false;
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

bool CliDeviceSession::OpenModelDatabase(int deviceType)
{
    auto it = m_models.find(deviceType);
    if (it == m_models.end()) return false;
    SettingsStore& store = SettingsStore::Instance();
    store.CloseDatabase();
    const std::string folder = platform::SettingsFolder();
    platform::MakeFolders(folder + "db");
    return store.OpenDeviceDatabase(folder, it->second.second);
}

std::wstring CliDeviceSession::ModelName(int deviceType) const
{
    auto it = m_models.find(deviceType);
    return it == m_models.end() ? std::wstring() : it->second.first;
}

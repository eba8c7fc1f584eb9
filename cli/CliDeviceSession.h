#pragma once
// Device access for one korvane-cli command: the device definitions of config.xml in the device
// manager, and the transport: hidapi, or the virtual mouse with --simulate (and its wire log).
// Everything is undone when the session ends.
#include "app/device/DeviceObserver.h"
#include "app/device/sim/SimTransport.h"
#include "cli/CliCommand.h"

#include <map>
#include <memory>
#include <string>

class CliDeviceSession
{
public:
    explicit CliDeviceSession(CliContext& context);
    ~CliDeviceSession();
    CliDeviceSession(const CliDeviceSession&) = delete;
    CliDeviceSession& operator=(const CliDeviceSession&) = delete;

    // Loads the definitions and sets the transport up. On failure the message is in Error().
    bool Open();
    const std::string& Error() const { return m_error; }
    // The virtual mouse, or nullptr for real devices.
    SimTransport* Sim() { return m_sim.get(); }
    const SimScenario& Scenario() const { return m_scenario; }
    // Opens the settings database of a model (its "device_attr"); false for an unknown type.
    bool OpenModelDatabase(int deviceType);
    std::wstring ModelName(int deviceType) const;

    // Refresh and select (the start of a read task): the observer sees the device-list steps.
    // --model overrides the saved device type. True when any device was found.
    bool RefreshAndSelect(DeviceObserver& observer);

private:
    CliContext& m_context;
    std::unique_ptr<SimTransport> m_sim;
    SimScenario m_scenario;
    std::map<int, std::pair<std::wstring, std::wstring>> m_models; // type -> name, database name
    std::string m_error;
    bool m_installed = false;
};

// Reads the mouse models of config.xml (program folder) into the device manager's definitions;
// models gets each type's name and database name.
bool LoadDeviceDefinitions(const std::string& configPath,
                           std::map<int, std::pair<std::wstring, std::wstring>>& models, std::string& error);

#pragma once
// Device access for one korvane-cli command: the configuration read as at start-up (product
// name, the models and their device definitions in the device manager), and the transport: hidapi, or the
// virtual mouse with --simulate (and its wire log). Everything is undone when the session ends.
#include "app/device/DeviceObserver.h"
#include "app/device/sim/SimTransport.h"
#include "app/documents/DeviceDescription.h"
#include "cli/CliCommand.h"

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
    // Selects a model as the desktop program does: switches the settings database to it and
    // reads its description. False when the description cannot be read.
    bool SelectModel(int deviceType);
    const DeviceDescription& Description() const { return m_description; }
    std::wstring ModelName(int deviceType) const;

    // Refresh and select (the start of a read task): the observer sees the device-list steps.
    // --model overrides the saved device type. True when any device was found.
    bool RefreshAndSelect(DeviceObserver& observer);

private:
    CliContext& m_context;
    std::unique_ptr<SimTransport> m_sim;
    SimScenario m_scenario;
    DeviceDescription m_description;
    std::string m_error;
    bool m_installed = false;
};

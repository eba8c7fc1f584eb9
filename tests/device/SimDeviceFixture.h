#pragma once
// A virtual mouse on a fake clock, installed as the HID transport, with the device manager
// holding the definitions of a small configuration.
#include "TempFolder.h"
#include "app/device/HidDeviceManager.h"
#include "app/device/sim/SimTransport.h"
#include "platform/Clock.h"
#include "platform/HidTransport.h"
#include "platform/Trace.h"

#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

inline DeviceDefinition Definition(int vid, int pid, int type, int mode, const wchar_t* devid)
{
    DeviceDefinition d;
    d.vendorId = vid;
    d.productId = pid;
    d.deviceType = type;
    d.connectionMode = mode;
    d.deviceId = devid;
    return d;
}

class SimDeviceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetClock(&clock);
        platform::SetHidTransport(&sim);
        platform::SetTraceSink([this](int, const std::string& line) {
            std::lock_guard<std::mutex> lock(traceMutex);
            traces.push_back(line);
        });
        manager().ResetForTests();
        for (const DeviceDefinition& d : DefaultDefinitions())
            manager().AddDefinition(d);
        SimScenario scenario;
        std::string error;
        ASSERT_TRUE(sim.Configure(scenario, manager().Definitions(), error)) << error;
    }
    void TearDown() override
    {
        manager().ResetForTests();
        platform::SetTraceSink(nullptr);
        platform::SetHidTransport(nullptr);
        platform::SetClock(nullptr);
    }

    static std::vector<DeviceDefinition> DefaultDefinitions()
    {
        return {Definition(0x1209, 0x0001, 101, 0, L"KV01"), Definition(0x1209, 0x0002, 101, 1, L"KV01"),
                Definition(0x1209, 0x0003, 201, 0, L"KT02")};
    }

    // Scenario text as korvane-cli takes it.
    void Configure(const std::string& text)
    {
        SimScenario scenario;
        std::string error;
        ASSERT_TRUE(SimScenario::Parse(text, scenario, error)) << error;
        ASSERT_TRUE(sim.Configure(scenario, manager().Definitions(), error)) << error;
    }

    // Task-1 refresh, then select a device type.
    void RefreshAndUse(int type)
    {
        manager().RefreshDevices();
        manager().SetCurrentDeviceType(type);
    }

    std::vector<std::string> Traces()
    {
        std::lock_guard<std::mutex> lock(traceMutex);
        return traces;
    }
    bool Traced(const std::string& line)
    {
        for (const std::string& t : Traces())
            if (t == line) return true;
        return false;
    }

    static HidDeviceManager& manager() { return HidDeviceManager::Instance(); }

    platform::FakeClock clock;
    SimTransport sim;
    std::mutex traceMutex;
    std::vector<std::string> traces;
};

#pragma once
// Device-interface arrival and removal notifications. The path of every notification carries
// "VID_%04X&PID_%04X&MI_%02X" (upper-case hexadecimal) so that callers can match a device by
// searching the path, whatever the backend. Arrivals also carry the interface's top-level usage
// page and usage when the backend could read them.
//
// The base class delivers whatever Post() receives to the started callback; tests and the
// virtual mouse post events directly. UdevDeviceNotifier feeds it from the kernel.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace platform {

struct DeviceChange
{
    enum Kind
    {
        Arrival,
        Removal
    };
    Kind kind = Arrival;
    std::string path;
    bool usageKnown = false;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// Builds the path form used by every backend: "HID#VID_1209&PID_0001&MI_02#<node>".
std::string DeviceChangePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                             const std::string& node);

class DeviceNotifier
{
public:
    using Callback = std::function<void(const DeviceChange&)>;
    virtual ~DeviceNotifier() = default;
    // Starts delivering notifications to callback (on the notifier's own thread for udev, on the
    // posting thread otherwise). False when the backend cannot start.
    virtual bool Start(Callback callback);
    virtual void Stop();
    // Delivers one notification to the callback, if started.
    void Post(const DeviceChange& change);

private:
    std::mutex m_mutex;
    Callback m_callback;
};

} // namespace platform

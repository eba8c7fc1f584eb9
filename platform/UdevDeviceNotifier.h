#pragma once
// Hot-plug notifications from the kernel: a libudev monitor on the "kernel" source (no udev
// daemon is needed) for the hidraw subsystem, read on a thread of its own.
#include "platform/DeviceNotifier.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

struct udev;
struct udev_monitor;

namespace platform {

class UdevDeviceNotifier : public DeviceNotifier
{
public:
    ~UdevDeviceNotifier() override;
    bool Start(Callback callback) override;
    void Stop() override;

    // Turns a hidraw device path of sysfs (".../1-1:1.2/0003:1209:0001.0005/hidraw/hidraw3") into
    // a notification; false when the path names no HID device.
    static bool ChangeFromDevPath(const std::string& devPath, const std::string& node, DeviceChange& change);
    // The first usage page and usage of a report descriptor (the top-level collection).
    static bool TopLevelUsage(const std::vector<uint8_t>& descriptor, uint16_t& usagePage, uint16_t& usage);

private:
    void Run(::udev_monitor* monitor, ::udev* u);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_wakeFd = -1;
};

} // namespace platform

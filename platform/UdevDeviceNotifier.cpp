#include "platform/UdevDeviceNotifier.h"

#include "platform/Trace.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

UdevDeviceNotifier::~UdevDeviceNotifier()
{
    Stop();
}

bool UdevDeviceNotifier::Start(Callback callback)
{
    Stop();
    udev* u = udev_new();
    if (!u) return false;
    // The "kernel" source works without a udev daemon; the daemon's source would stay silent here.
    udev_monitor* monitor = udev_monitor_new_from_netlink(u, "kernel");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor) udev_monitor_unref(monitor);
        udev_unref(u);
        Trace(TraceWarning, "udev monitor unavailable");
        return false;
    }
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    DeviceNotifier::Start(std::move(callback));
    m_stop = false;
    m_thread = std::thread([this, monitor, u] { Run(monitor, u); });
    return true;
}

void UdevDeviceNotifier::Stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        uint64_t one = 1;
        if (write(m_wakeFd, &one, sizeof one) < 0) {
        }
        m_thread.join();
    }
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
        m_wakeFd = -1;
    }
    DeviceNotifier::Stop();
}

void UdevDeviceNotifier::Run(udev_monitor* monitor, udev* u)
{
    pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    while (!m_stop) {
        if (poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents) break;
        if (!(fds[0].revents & POLLIN)) continue;
        udev_device* dev = udev_monitor_receive_device(monitor);
        if (!dev) continue;
        const char* action = udev_device_get_action(dev);
        const char* devpath = udev_device_get_devpath(dev);
        const char* node = udev_device_get_devnode(dev);
        DeviceChange change;
        if (action && devpath && ChangeFromDevPath(devpath, node ? node : "", change)) {
            if (std::strcmp(action, "add") == 0) {
                change.kind = DeviceChange::Arrival;
                // The report descriptor sits in the HID device folder, two levels above hidraw/N.
                if (const char* sys = udev_device_get_syspath(dev)) {
                    std::ifstream in(std::string(sys) + "/../../report_descriptor", std::ios::binary);
                    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
                    change.usageKnown = TopLevelUsage(bytes, change.usagePage, change.usage);
                }
                Post(change);
            } else if (std::strcmp(action, "remove") == 0) {
                change.kind = DeviceChange::Removal;
                Post(change);
            }
        }
        udev_device_unref(dev);
    }
    udev_monitor_unref(monitor);
    udev_unref(u);
}

bool UdevDeviceNotifier::ChangeFromDevPath(const std::string& devPath, const std::string& node,
                                           DeviceChange& change)
{
    // Components: ".../<busport>:<config>.<interface>/<bus>:<VID>:<PID>.<n>/hidraw/hidrawN".
    unsigned bus = 0, vid = 0, pid = 0, instance = 0;
    int interfaceNumber = -1;
    size_t start = 0;
    std::string previous;
    bool found = false;
    while (start <= devPath.size()) {
        size_t end = devPath.find('/', start);
        if (end == std::string::npos) end = devPath.size();
        std::string part = devPath.substr(start, end - start);
        // A HID device folder is exactly "BBBB:VVVV:PPPP.NNNN" (PCI addresses look alike but differ).
        bool hidFolder = part.size() == 19 && part[4] == ':' && part[9] == ':' && part[14] == '.';
        for (size_t k = 0; hidFolder && k < part.size(); ++k)
            if (k != 4 && k != 9 && k != 14 && !std::isxdigit(static_cast<unsigned char>(part[k])))
                hidFolder = false;
        if (!found && hidFolder &&
            std::sscanf(part.c_str(), "%4x:%4x:%4x.%4x", &bus, &vid, &pid, &instance) == 4) {
            found = true;
            size_t colon = previous.rfind(':');
            size_t dot = previous.rfind('.');
            if (colon != std::string::npos && dot != std::string::npos && dot > colon)
                interfaceNumber = std::atoi(previous.c_str() + dot + 1);
        }
        previous = part;
        start = end + 1;
    }
    if (!found) return false;
    change.path = DeviceChangePath(static_cast<uint16_t>(vid), static_cast<uint16_t>(pid),
                                   interfaceNumber < 0 ? 0 : interfaceNumber, node);
    return true;
}

bool UdevDeviceNotifier::TopLevelUsage(const std::vector<uint8_t>& d, uint16_t& usagePage, uint16_t& usage)
{
    bool havePage = false;
    size_t i = 0;
    while (i < d.size()) {
        const uint8_t prefix = d[i];
        if (prefix == 0xFE) { // long item: size in the next byte
            if (i + 1 >= d.size()) return false;
            i += 3 + d[i + 1];
            continue;
        }
        size_t size = prefix & 3;
        if (size == 3) size = 4;
        if (i + 1 + size > d.size()) return false;
        uint32_t value = 0;
        for (size_t k = 0; k < size; ++k)
            value |= static_cast<uint32_t>(d[i + 1 + k]) << (8 * k);
        const uint8_t item = prefix & 0xFC;
        if (item == 0x04) { // Usage Page (global)
            usagePage = static_cast<uint16_t>(value);
            havePage = true;
        } else if (item == 0x08) { // Usage (local)
            if (size == 4) {
                usagePage = static_cast<uint16_t>(value >> 16);
                havePage = true;
            }
            usage = static_cast<uint16_t>(value);
            return havePage;
        } else if (item == 0xA0) { // Collection without a usage before it
            return false;
        }
        i += 1 + size;
    }
    return false;
}

} // namespace platform

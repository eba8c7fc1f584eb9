#include "platform/DeviceNotifier.h"

#include <cstdio>

namespace platform {

std::string DeviceChangePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                             const std::string& node)
{
    char ids[64];
    std::snprintf(ids, sizeof ids, "HID#VID_%04X&PID_%04X&MI_%02X#", vendorId, productId,
                  interfaceNumber < 0 ? 0 : interfaceNumber & 0xFF);
    return ids + node;
}

bool DeviceNotifier::Start(Callback callback)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callback = std::move(callback);
    return true;
}

void DeviceNotifier::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_callback = nullptr;
}

void DeviceNotifier::Post(const DeviceChange& change)
{
    Callback callback;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        callback = m_callback;
    }
    if (callback) callback(change);
}

} // namespace platform

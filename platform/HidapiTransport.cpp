#include "platform/HidapiTransport.h"

#include "platform/Trace.h"

#include <atomic>
#include <hidapi.h>
#include <mutex>

namespace platform {
namespace {

class HidapiDevice : public HidDevice
{
public:
    explicit HidapiDevice(hid_device* device) : m_device(device) {}
    ~HidapiDevice() override { hid_close(m_device); }
    int Write(const uint8_t* data, size_t length) override { return hid_write(m_device, data, length); }
    int ReadTimeout(uint8_t* data, size_t length, int timeoutMs) override
    {
        return hid_read_timeout(m_device, data, length, timeoutMs);
    }

private:
    hid_device* m_device;
};

HidapiTransport& DefaultTransport()
{
    static HidapiTransport transport;
    return transport;
}

std::atomic<HidTransport*> g_transport{nullptr};

} // namespace

HidapiTransport::~HidapiTransport()
{
    if (m_initialised) hid_exit();
}

bool HidapiTransport::Init()
{
    if (m_initialised) return true;
    if (m_failed) return false;
    if (hid_init() != 0) {
        m_failed = true;
        Trace(TraceError, "hid_init failed");
        return false;
    }
    m_initialised = true;
    return true;
}

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate()
{
    std::vector<HidInterfaceInfo> list;
    if (!Init()) return list;
    hid_device_info* all = hid_enumerate(0, 0);
    for (hid_device_info* d = all; d; d = d->next) {
        HidInterfaceInfo info;
        info.path = d->path ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.releaseNumber = d->release_number;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        info.interfaceNumber = d->interface_number;
        list.push_back(std::move(info));
    }
    hid_free_enumeration(all);
    return list;
}

std::unique_ptr<HidDevice> HidapiTransport::OpenPath(const std::string& path)
{
    if (!Init()) return nullptr;
    hid_device* device = hid_open_path(path.c_str());
    if (!device) return nullptr;
    return std::make_unique<HidapiDevice>(device);
}

HidTransport& GetHidTransport()
{
    HidTransport* t = g_transport.load();
    return t ? *t : DefaultTransport();
}

void SetHidTransport(HidTransport* transport)
{
    g_transport.store(transport);
}

} // namespace platform

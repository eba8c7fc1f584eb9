#include "platform/HidapiTransport.h"

#include "platform/Trace.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <hidapi.h>
#include <iterator>
#include <mutex>

namespace platform {
namespace {

class HidapiDevice : public HidDevice
{
public:
    HidapiDevice(hid_device* device, std::map<uint8_t, size_t> outputLengths)
        : m_device(device), m_outputLengths(std::move(outputLengths))
    {
    }
    ~HidapiDevice() override { hid_close(m_device); }
    int Write(const uint8_t* data, size_t length) override
    {
        if (!data || length == 0) return -1;
        const size_t padded = HidapiTransport::PaddedWriteLength(m_outputLengths, data[0], length);
        if (padded == length) return hid_write(m_device, data, length);
        std::vector<uint8_t> report(padded, 0);
        std::copy(data, data + length, report.begin());
        return hid_write(m_device, report.data(), report.size());
    }
    int ReadTimeout(uint8_t* data, size_t length, int timeoutMs) override
    {
        return hid_read_timeout(m_device, data, length, timeoutMs);
    }

private:
    hid_device* m_device;
    std::map<uint8_t, size_t> m_outputLengths;
};

// The report descriptor of a hidraw node ("/dev/hidrawN"), from sysfs; empty when unknown.
std::vector<uint8_t> ReportDescriptorOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string node = slash == std::string::npos ? path : path.substr(slash + 1);
    if (node.rfind("hidraw", 0) != 0) return {};
    std::ifstream in("/sys/class/hidraw/" + node + "/device/report_descriptor", std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

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
    return std::make_unique<HidapiDevice>(device, OutputReportLengths(ReportDescriptorOf(path)));
}

std::map<uint8_t, size_t> HidapiTransport::OutputReportLengths(const std::vector<uint8_t>& d)
{
    struct Globals
    {
        uint32_t size = 0;
        uint32_t count = 0;
        uint32_t id = 0;
    } g;
    std::vector<Globals> stack;
    std::map<uint8_t, uint64_t> bits;
    size_t i = 0;
    while (i < d.size()) {
        const uint8_t prefix = d[i];
        if (prefix == 0xFE) { // long item: size in the next byte
            if (i + 1 >= d.size()) break;
            i += 3 + d[i + 1];
            continue;
        }
        size_t size = prefix & 3;
        if (size == 3) size = 4;
        if (i + 1 + size > d.size()) break;
        uint32_t value = 0;
        for (size_t k = 0; k < size; ++k)
            value |= static_cast<uint32_t>(d[i + 1 + k]) << (8 * k);
        switch (prefix & 0xFC) {
        case 0x74:
            g.size = value;
            break; // Report Size
        case 0x94:
            g.count = value;
            break; // Report Count
        case 0x84:
            g.id = value;
            break; // Report ID
        case 0xA4:
            stack.push_back(g);
            break; // Push
        case 0xB4: // Pop
            if (!stack.empty()) {
                g = stack.back();
                stack.pop_back();
            }
            break;
        case 0x90: // Output
            bits[static_cast<uint8_t>(g.id)] += static_cast<uint64_t>(g.size) * g.count;
            break;
        default:
            break;
        }
        i += 1 + size;
    }
    std::map<uint8_t, size_t> lengths;
    for (const auto& [id, n] : bits)
        if (n > 0) lengths[id] = static_cast<size_t>(std::min<uint64_t>((n + 7) / 8, 4096));
    return lengths;
}

size_t HidapiTransport::PaddedWriteLength(const std::map<uint8_t, size_t>& lengths, uint8_t reportId,
                                          size_t length)
{
    const auto it = lengths.find(reportId);
    if (it == lengths.end()) return length;
    return std::max(length, it->second + 1); // the report-ID byte leads every write
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

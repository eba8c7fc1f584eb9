#pragma once
// The real HID backend: hidapi over Linux hidraw.
#include "platform/HidTransport.h"

#include <cstdint>
#include <map>
#include <vector>

namespace platform {

class HidapiTransport : public HidTransport
{
public:
    ~HidapiTransport() override;
    bool Init() override;
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    // Output report lengths in bytes (without the report-ID byte) by report ID (0 when the
    // device uses none), from a HID report descriptor.
    static std::map<uint8_t, size_t> OutputReportLengths(const std::vector<uint8_t>& descriptor);
    // hidraw writes what it is given, while devices expect whole reports (other systems' HID
    // stacks pad them): the length a write of `length` bytes starting with report ID `reportId`
    // must have.
    static size_t PaddedWriteLength(const std::map<uint8_t, size_t>& lengths, uint8_t reportId,
                                    size_t length);

private:
    bool m_initialised = false;
    bool m_failed = false;
};

} // namespace platform

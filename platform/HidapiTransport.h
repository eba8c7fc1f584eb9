#pragma once
// The real HID backend: hidapi over Linux hidraw.
#include "platform/HidTransport.h"

namespace platform {

class HidapiTransport : public HidTransport
{
public:
    ~HidapiTransport() override;
    bool Init() override;
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

private:
    bool m_initialised = false;
    bool m_failed = false;
};

} // namespace platform

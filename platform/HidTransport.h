#pragma once
// The HID transport seam. The device link talks to HID interfaces only through this interface,
// so the same code runs over hidapi (real devices, the default) and over the virtual mouse
// (tests, the --simulate demo, benchmarks). The calls mirror what the device link relies on:
// enumerate, open a path, write, read with a time-out, close (destroying the HidDevice).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One HID interface (top-level collection) as enumeration reports it.
struct HidInterfaceInfo
{
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1;
};

// An open interface. Destroying it cancels pending I/O and releases the handle.
class HidDevice
{
public:
    virtual ~HidDevice() = default;
    // Writes an output report; byte 0 is the report ID (0 when the device uses none). A buffer
    // shorter than the device's output report is padded with zeros. Returns the bytes written
    // or -1.
    virtual int Write(const uint8_t* data, size_t length) = 0;
    // Reads one input report into data (at most length bytes; no report-ID byte). Returns the
    // bytes read, 0 when nothing arrived within timeoutMs, -1 on error. A report that arrives
    // after a read timed out is returned by the next read.
    virtual int ReadTimeout(uint8_t* data, size_t length, int timeoutMs) = 0;
};

class HidTransport
{
public:
    virtual ~HidTransport() = default;
    // Prepares the backend; false when HID access is unavailable (every later open fails).
    virtual bool Init() = 0;
    // Every HID interface present, in the backend's order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens an interface for reading and writing; nullptr when it cannot be opened.
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
};

// The process-wide transport: the hidapi backend unless a test or --simulate replaced it.
HidTransport& GetHidTransport();
// nullptr restores the hidapi backend. The caller keeps ownership and must outlive its use.
void SetHidTransport(HidTransport* transport);

class ScopedHidTransport
{
public:
    explicit ScopedHidTransport(HidTransport& transport) { SetHidTransport(&transport); }
    ~ScopedHidTransport() { SetHidTransport(nullptr); }
    ScopedHidTransport(const ScopedHidTransport&) = delete;
    ScopedHidTransport& operator=(const ScopedHidTransport&) = delete;
};

} // namespace platform

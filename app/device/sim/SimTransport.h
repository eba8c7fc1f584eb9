#pragma once
// The virtual mouse behind the HID transport seam: the mouse on its USB cable and its 2.4 GHz
// receiver, each with three HID interfaces (MI_00 a plain mouse collection that discovery
// skips, MI_01 usage page 0x0001 usage 0x0000, MI_02 the vendor collection 0xFF01/0x0010),
// plus optional foreign interfaces. Replies and notifications are input reports queued on the
// open interfaces; reads wait through the clock seam, so tests run on a fake clock.
//
// Everything above the seam (HidDeviceManager and up) runs unchanged against it.
#include "app/device/DeviceDefinition.h"
#include "app/device/sim/SimMemory.h"
#include "app/device/sim/SimMouse.h"
#include "app/device/sim/SimScenario.h"
#include "platform/HidTransport.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class DeviceNotifier;
}

// Faults injected into the answers. Counters apply to the next N commands (0x30 included).
struct SimFaults
{
    int noReply = 0;     // no answer at all
    int errorFirst = 0;  // an answer with status 1 comes before the real one
    int rejected = 0;    // the answer carries status 1 instead of its own
    int lateReplies = 0; // the answer arrives lateMs later
    int lateMs = 2000;
    int shortReplies = 0; // the answer is cut to shortLength bytes
    size_t shortLength = 1;
    int garbageReplies = 0;           // the answer is replaced by pseudo-random bytes
    bool unplugOnNextCommand = false; // the link the next command came through is unplugged
};

class SimTransport : public platform::HidTransport
{
public:
    enum Link
    {
        Cable = 0,
        Receiver = 1
    };

    SimTransport();
    ~SimTransport() override;

    // Sets the mouse up from a scenario and the configuration's definitions: the model's
    // cable and receiver ids, identity, memory file. False (with a message) for an unknown model.
    bool Configure(const SimScenario& scenario, const std::vector<DeviceDefinition>& definitions,
                   std::string& error);
    // Direct set-up (tests): the ids of a link; vendorId 0 removes the link.
    void SetLinkIds(Link link, uint16_t vendorId, uint16_t productId, uint16_t releaseNumber);
    // An interface of some other device, listed after the mouse's.
    void AddForeignInterface(uint16_t vendorId, uint16_t productId, uint16_t usagePage, uint16_t usage);

    // ---- transport ----
    bool Init() override;
    std::vector<platform::HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<platform::HidDevice> OpenPath(const std::string& path) override;

    // ---- the world ----
    // Plugging and unplugging raise notifications on the notifier (if set), one per interface.
    void Plug(Link link, bool plugged);
    bool IsPlugged(Link link) const;
    // The radio link between mouse and receiver; the receiver sends 0xD1 on every change.
    void SetOnline(bool online);
    // Battery and charging change; the receiver reports them with 0xD1 while the mouse is online.
    void SetBattery(int level, bool charging);
    // The mouse's DPI button: 0xD2 on every link that reaches the mouse.
    void PressDpiButton();
    // Any input report on the open interfaces of a link (garbage and odd reports for tests).
    void SendReport(Link link, const std::vector<uint8_t>& report);
    void SetLatency(int ms);
    void SetFaults(const SimFaults& faults);
    void SetIdentity(const SimMouse::Identity& identity);
    SimMouse::Identity Identity() const;
    SimMemory Memory() const;
    void SetMemory(const SimMemory& memory);
    // Loads the memory from the file (factory memory when missing or corrupt) and saves it back
    // after every change. False when the file existed but could not be used.
    bool UseMemoryFile(const std::string& path);
    // One line per report: "out <hex>" for each write received, "in <hex>" for each report sent.
    bool OpenWireLog(const std::string& path);
    void SetNotifier(platform::DeviceNotifier* notifier);
    // Command reports received so far (0x30 included).
    int CommandCount() const;
    // Every report written, in order (tests).
    std::vector<std::vector<uint8_t>> Written() const;
    void ClearWritten();

    // The interface path of a link's interface, e.g. "HID#VID_1209&PID_0001&MI_02#sim/cable".
    std::string PathOf(Link link, int interfaceNumber) const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

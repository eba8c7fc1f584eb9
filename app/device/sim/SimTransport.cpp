#include "app/device/sim/SimTransport.h"

#include "platform/Clock.h"
#include "platform/DeviceNotifier.h"
#include "platform/Trace.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

constexpr size_t QueueLimit = 64; // reports an open interface buffers, like hidraw
constexpr int InterfacesPerLink = 3;

struct Usage
{
    uint16_t page;
    uint16_t usage;
};
constexpr Usage LinkUsages[InterfacesPerLink] = {{0x0001, 0x0002}, {0x0001, 0x0000}, {0xFF01, 0x0010}};

struct Pending
{
    platform::Clock::TimePoint due;
    std::vector<uint8_t> data;
};

struct Port
{
    int link = -1; // Cable, Receiver, or -1 for a foreign interface
    int generation = 0;
    bool closed = false;
    std::deque<Pending> queue;
};

std::string Hex(const uint8_t* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
    return out;
}

} // namespace

struct SimTransport::State
{
    mutable std::mutex mutex;
    std::condition_variable cv;
    SimMouse mouse;
    struct LinkState
    {
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        uint16_t release = 0x0100;
        bool plugged = false;
        int generation = 0; // bumps on every unplug: handles of an earlier plug-in are dead
    } links[2];
    bool online = true;
    int latencyMs = 0;
    SimFaults faults;
    uint32_t garbageSeed = 0x2545F491u;
    std::vector<platform::HidInterfaceInfo> foreign;
    std::vector<std::weak_ptr<Port>> ports;
    std::string memoryPath;
    FILE* wireLog = nullptr;
    platform::DeviceNotifier* notifier = nullptr;
    int commands = 0;
    std::vector<std::vector<uint8_t>> written;

    ~State()
    {
        if (wireLog) std::fclose(wireLog);
    }

    std::string PathOf(int link, int mi) const
    {
        const LinkState& l = links[link];
        return platform::DeviceChangePath(l.vendorId, l.productId, mi,
                                          link == Cable ? "sim/cable" : "sim/receiver");
    }

    bool Reachable(int link) const { return links[link].plugged && (link == Cable || online); }

    void Log(const char* direction, const uint8_t* data, size_t size)
    {
        if (!wireLog) return;
        std::fprintf(wireLog, "%s %s\n", direction, Hex(data, size).c_str());
        std::fflush(wireLog);
    }

    void Queue(Port& port, std::vector<uint8_t> data, int delayMs, bool log = true)
    {
        if (port.queue.size() >= QueueLimit) port.queue.pop_front();
        if (log) Log("in", data.data(), data.size());
        port.queue.push_back(
            {platform::GetClock().Now() + std::chrono::milliseconds(delayMs), std::move(data)});
        cv.notify_all();
    }

    // Unsolicited report on every open interface of the link; the link sends it once, so the
    // wire log shows it once.
    void Broadcast(int link, const std::vector<uint8_t>& data)
    {
        Log("in", data.data(), data.size());
        for (auto& weak : ports)
            if (auto port = weak.lock())
                if (port->link == link && !port->closed && port->generation == links[link].generation)
                    Queue(*port, data, 0, false);
    }

    // The notifications of a link's interfaces; posted by the caller once the lock is released,
    // so that a receiver may call back into the transport.
    std::vector<platform::DeviceChange> Changes(int link, bool arrival) const
    {
        std::vector<platform::DeviceChange> changes;
        if (!notifier) return changes;
        for (int mi = 0; mi < InterfacesPerLink; ++mi) {
            platform::DeviceChange change;
            change.kind = arrival ? platform::DeviceChange::Arrival : platform::DeviceChange::Removal;
            change.path = PathOf(link, mi);
            change.usageKnown = arrival;
            change.usagePage = LinkUsages[mi].page;
            change.usage = LinkUsages[mi].usage;
            changes.push_back(change);
        }
        return changes;
    }

    void SaveMemory()
    {
        if (!memoryPath.empty() && !mouse.memory.Save(memoryPath))
            platform::Trace(2, "virtual mouse: cannot save memory to %s", memoryPath.c_str());
    }
};

namespace {

class SimDevice : public platform::HidDevice
{
public:
    SimDevice(std::shared_ptr<SimTransport::State> state, std::shared_ptr<Port> port)
        : m_state(std::move(state)), m_port(std::move(port))
    {
    }
    ~SimDevice() override
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_port->closed = true;
        m_state->cv.notify_all();
    }

    bool Alive() const
    {
        if (m_port->closed) return false;
        if (m_port->link < 0) return true;
        const auto& link = m_state->links[m_port->link];
        return link.plugged && link.generation == m_port->generation;
    }

    int Write(const uint8_t* data, size_t length) override
    {
        std::vector<uint8_t> notify;
        int unplugLink = -1;
        int result = 0;
        {
            std::lock_guard<std::mutex> lock(m_state->mutex);
            if (!Alive() || !data || length == 0) return -1;
            SimTransport::State& s = *m_state;
            s.Log("out", data, length);
            s.written.emplace_back(data, data + length);
            result = static_cast<int>(length);
            if (m_port->link < 0) return result; // foreign devices ignore us
            ++s.commands;
            SimFaults& f = s.faults;
            if (f.unplugOnNextCommand) {
                f.unplugOnNextCommand = false;
                unplugLink = m_port->link;
            } else if (s.Reachable(m_port->link)) {
                const SimMemory before = s.mouse.memory;
                SimReply reply;
                s.mouse.HandleReport(data, length, true, reply);
                if (!(s.mouse.memory == before)) s.SaveMemory();
                Deliver(reply);
            }
            // A receiver whose mouse is off stays silent.
        }
        if (unplugLink >= 0) {
            // The cable is pulled while the command is on its way: no answer, the handle dies.
            SimTransport::State& s = *m_state;
            std::vector<platform::DeviceChange> changes;
            platform::DeviceNotifier* notifier = nullptr;
            {
                std::lock_guard<std::mutex> lock(s.mutex);
                s.links[unplugLink].plugged = false;
                ++s.links[unplugLink].generation;
                s.cv.notify_all();
                changes = s.Changes(unplugLink, false);
                notifier = s.notifier;
            }
            for (const auto& change : changes)
                notifier->Post(change);
        }
        return result;
    }

    void Deliver(SimReply& reply)
    {
        SimTransport::State& s = *m_state;
        SimFaults& f = s.faults;
        if (reply.data.empty()) return;
        if (f.noReply > 0) {
            --f.noReply;
            return;
        }
        int delay = s.latencyMs;
        if (f.lateReplies > 0) {
            --f.lateReplies;
            delay += f.lateMs;
        }
        if (f.errorFirst > 0) {
            --f.errorFirst;
            std::vector<uint8_t> error = reply.data;
            error[1] = 1;
            s.Queue(*m_port, std::move(error), delay);
        }
        if (f.rejected > 0) {
            --f.rejected;
            reply.data[1] = 1;
        }
        if (f.garbageReplies > 0) {
            --f.garbageReplies;
            for (uint8_t& b : reply.data) {
                s.garbageSeed ^= s.garbageSeed << 13;
                s.garbageSeed ^= s.garbageSeed >> 17;
                s.garbageSeed ^= s.garbageSeed << 5;
                b = static_cast<uint8_t>(s.garbageSeed);
            }
        }
        if (f.shortReplies > 0) {
            --f.shortReplies;
            reply.data.resize(std::min(reply.data.size(), f.shortLength));
            if (reply.data.empty()) return;
        }
        s.Queue(*m_port, std::move(reply.data), delay);
    }

    int ReadTimeout(uint8_t* data, size_t length, int timeoutMs) override
    {
        SimTransport::State& s = *m_state;
        std::unique_lock<std::mutex> lock(s.mutex);
        if (!Alive()) return -1;
        auto ready = [&] {
            return !Alive() ||
                   (!m_port->queue.empty() && m_port->queue.front().due <= platform::GetClock().Now());
        };
        if (!ready()) platform::GetClock().WaitFor(lock, s.cv, timeoutMs < 0 ? 0 : timeoutMs, ready);
        if (!Alive()) return -1;
        if (m_port->queue.empty() || m_port->queue.front().due > platform::GetClock().Now()) return 0;
        Pending report = std::move(m_port->queue.front());
        m_port->queue.pop_front();
        const size_t n = std::min(length, report.data.size());
        std::copy(report.data.begin(), report.data.begin() + static_cast<std::ptrdiff_t>(n), data);
        return static_cast<int>(n);
    }

private:
    std::shared_ptr<SimTransport::State> m_state;
    std::shared_ptr<Port> m_port;
};

} // namespace

SimTransport::SimTransport() : m_state(std::make_shared<State>()) {}

SimTransport::~SimTransport()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->notifier = nullptr;
}

bool SimTransport::Configure(const SimScenario& scenario, const std::vector<DeviceDefinition>& definitions,
                             std::string& error)
{
    const int model =
        scenario.model ? scenario.model : (definitions.empty() ? 0 : definitions.front().deviceType);
    const DeviceDefinition* cable = nullptr;
    const DeviceDefinition* receiver = nullptr;
    for (const DeviceDefinition& d : definitions) {
        if (d.deviceType != model) continue;
        if (d.connectionMode == 0 && !cable) cable = &d;
        if (d.connectionMode == 1 && !receiver) receiver = &d;
    }
    if (!cable && !receiver) {
        error = "no such model in the configuration: " + std::to_string(model);
        return false;
    }
    const DeviceDefinition* any = cable ? cable : receiver;
    SimMouse::Identity identity;
    if (!scenario.devid.empty()) {
        identity.deviceId = scenario.devid;
    } else {
        identity.deviceId.clear();
        for (wchar_t c : any->deviceId)
            identity.deviceId.push_back(static_cast<char>(c));
    }
    if (scenario.sensor >= 0) identity.sensorCode = static_cast<uint8_t>(scenario.sensor);
    if (scenario.rate >= 0) identity.rateCapability = static_cast<uint8_t>(scenario.rate);
    if (scenario.battery >= 0) identity.battery = scenario.battery;
    if (scenario.charging >= 0) identity.charging = scenario.charging != 0;
    const uint16_t release = scenario.release >= 0 ? static_cast<uint16_t>(scenario.release) : 0x0103;
    SetIdentity(identity);
    SetLinkIds(Cable, cable ? static_cast<uint16_t>(cable->vendorId) : 0,
               cable ? static_cast<uint16_t>(cable->productId) : 0, release);
    SetLinkIds(Receiver, receiver ? static_cast<uint16_t>(receiver->vendorId) : 0,
               receiver ? static_cast<uint16_t>(receiver->productId) : 0, release);
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->links[Cable].plugged = cable && scenario.usb;
        m_state->links[Receiver].plugged = receiver && scenario.receiver;
        m_state->online = scenario.online;
        m_state->latencyMs = scenario.latency;
    }
    if (!scenario.memory.empty() && !UseMemoryFile(scenario.memory))
        platform::Trace(2, "virtual mouse: memory file %s unusable, factory memory used",
                        scenario.memory.c_str());
    return true;
}

void SimTransport::SetLinkIds(Link link, uint16_t vendorId, uint16_t productId, uint16_t releaseNumber)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    auto& l = m_state->links[link];
    l.vendorId = vendorId;
    l.productId = productId;
    l.release = releaseNumber;
    l.plugged = vendorId != 0;
}

void SimTransport::AddForeignInterface(uint16_t vendorId, uint16_t productId, uint16_t usagePage,
                                       uint16_t usage)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    platform::HidInterfaceInfo info;
    info.vendorId = vendorId;
    info.productId = productId;
    info.usagePage = usagePage;
    info.usage = usage;
    info.interfaceNumber = 0;
    info.releaseNumber = 0x0100;
    info.path = platform::DeviceChangePath(vendorId, productId, 0,
                                           "sim/foreign" + std::to_string(m_state->foreign.size()));
    m_state->foreign.push_back(info);
}

bool SimTransport::Init()
{
    return true;
}

std::vector<platform::HidInterfaceInfo> SimTransport::Enumerate()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    std::vector<platform::HidInterfaceInfo> list;
    for (int link : {Cable, Receiver}) {
        const auto& l = m_state->links[link];
        if (!l.plugged) continue;
        for (int mi = 0; mi < InterfacesPerLink; ++mi) {
            platform::HidInterfaceInfo info;
            info.path = m_state->PathOf(link, mi);
            info.vendorId = l.vendorId;
            info.productId = l.productId;
            info.releaseNumber = l.release;
            info.usagePage = LinkUsages[mi].page;
            info.usage = LinkUsages[mi].usage;
            info.interfaceNumber = mi;
            list.push_back(info);
        }
    }
    list.insert(list.end(), m_state->foreign.begin(), m_state->foreign.end());
    return list;
}

std::unique_ptr<platform::HidDevice> SimTransport::OpenPath(const std::string& path)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    auto port = std::make_shared<Port>();
    bool found = false;
    for (int link : {Cable, Receiver}) {
        if (!m_state->links[link].plugged) continue;
        for (int mi = 0; mi < InterfacesPerLink && !found; ++mi) {
            if (m_state->PathOf(link, mi) != path) continue;
            // The plain mouse collection belongs to the system, as on the desktop.
            if (mi == 0) return nullptr;
            port->link = link;
            port->generation = m_state->links[link].generation;
            found = true;
        }
    }
    for (const auto& f : m_state->foreign)
        if (!found && f.path == path) found = true;
    if (!found) return nullptr;
    auto& ports = m_state->ports;
    ports.erase(
        std::remove_if(ports.begin(), ports.end(), [](const std::weak_ptr<Port>& p) { return p.expired(); }),
        ports.end());
    ports.push_back(port);
    return std::make_unique<SimDevice>(m_state, port);
}

void SimTransport::Plug(Link link, bool plugged)
{
    std::vector<platform::DeviceChange> changes;
    platform::DeviceNotifier* notifier = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        auto& l = m_state->links[link];
        if (l.vendorId == 0 || l.plugged == plugged) return;
        l.plugged = plugged;
        if (!plugged) ++l.generation;
        m_state->cv.notify_all();
        changes = m_state->Changes(link, plugged);
        notifier = m_state->notifier;
    }
    for (const auto& change : changes)
        notifier->Post(change);
}

bool SimTransport::IsPlugged(Link link) const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->links[link].plugged;
}

void SimTransport::SetOnline(bool online)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->online == online) return;
    m_state->online = online;
    if (m_state->links[Receiver].plugged) m_state->Broadcast(Receiver, m_state->mouse.StatusReport(online));
}

void SimTransport::SetBattery(int level, bool charging)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->mouse.identity.battery = level;
    m_state->mouse.identity.charging = charging;
    if (m_state->Reachable(Receiver)) m_state->Broadcast(Receiver, m_state->mouse.StatusReport(true));
}

void SimTransport::PressDpiButton()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    const std::vector<uint8_t> report = m_state->mouse.PressDpiButton();
    m_state->SaveMemory();
    for (int link : {Cable, Receiver})
        if (m_state->Reachable(link)) m_state->Broadcast(link, report);
}

void SimTransport::SendReport(Link link, const std::vector<uint8_t>& report)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->links[link].plugged) m_state->Broadcast(link, report);
}

void SimTransport::SetLatency(int ms)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->latencyMs = ms;
}

void SimTransport::SetFaults(const SimFaults& faults)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->faults = faults;
}

void SimTransport::SetIdentity(const SimMouse::Identity& identity)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->mouse.identity = identity;
}

SimMouse::Identity SimTransport::Identity() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->mouse.identity;
}

SimMemory SimTransport::Memory() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->mouse.memory;
}

void SimTransport::SetMemory(const SimMemory& memory)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->mouse.memory = memory;
    m_state->SaveMemory();
}

bool SimTransport::UseMemoryFile(const std::string& path)
{
    SimMemory memory;
    const bool loaded = SimMemory::Load(path, memory);
    std::FILE* probe = std::fopen(path.c_str(), "r");
    const bool existed = probe != nullptr;
    if (probe) std::fclose(probe);
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->mouse.memory = memory;
    m_state->memoryPath = path;
    if (!loaded) m_state->SaveMemory(); // start the file afresh from the factory memory
    return loaded || !existed;
}

bool SimTransport::OpenWireLog(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->wireLog) std::fclose(m_state->wireLog);
    m_state->wireLog = f;
    return true;
}

void SimTransport::SetNotifier(platform::DeviceNotifier* notifier)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->notifier = notifier;
}

int SimTransport::CommandCount() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->commands;
}

std::vector<std::vector<uint8_t>> SimTransport::Written() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->written;
}

void SimTransport::ClearWritten()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->written.clear();
}

std::string SimTransport::PathOf(Link link, int interfaceNumber) const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->PathOf(link, interfaceNumber);
}

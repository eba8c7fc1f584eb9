#include "app/device/sim/SimScenario.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseInt(const std::string& text, int base, long low, long high, int& out)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, base);
    if (errno || !end || *end || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

bool SimScenario::Parse(const std::string& text, SimScenario& out, std::string& error)
{
    SimScenario s;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty()) continue;
        const size_t eq = item.find('=');
        if (eq == std::string::npos) {
            error = "scenario item without a value: " + item;
            return false;
        }
        const std::string key = item.substr(0, eq);
        const std::string value = item.substr(eq + 1);
        int v = 0;
        bool ok = true;
        if (key == "model")
            ok = ParseInt(value, 10, 1, 1000000, s.model);
        else if (key == "usb")
            ok = ParseInt(value, 10, 0, 1, v), s.usb = v;
        else if (key == "receiver")
            ok = ParseInt(value, 10, 0, 1, v), s.receiver = v;
        else if (key == "online")
            ok = ParseInt(value, 10, 0, 1, v), s.online = v;
        else if (key == "sensor")
            ok = ParseInt(value, 0, 0, 255, s.sensor);
        else if (key == "rate")
            ok = ParseInt(value, 0, 0, 255, s.rate);
        else if (key == "battery")
            ok = ParseInt(value, 10, 0, 100, s.battery);
        else if (key == "charging")
            ok = ParseInt(value, 10, 0, 1, s.charging);
        else if (key == "release")
            ok = ParseInt(value, 16, 0, 0xFFFF, s.release);
        else if (key == "devid")
            ok = !value.empty() && value.size() <= 4, s.devid = value;
        else if (key == "memory")
            ok = !value.empty(), s.memory = value;
        else if (key == "latency")
            ok = ParseInt(value, 10, 0, 10000, s.latency);
        else if (key == "press")
            ok = ParseInt(value, 10, 1, 3600000, s.press);
        else {
            error = "unknown scenario key: " + key;
            return false;
        }
        if (!ok) {
            error = "bad scenario value: " + item;
            return false;
        }
    }
    out = s;
    return true;
}

#include "app/device/sim/SimMemory.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

constexpr const char* Header = "korvane-sim-memory 1";

struct Field
{
    const char* name;
    std::function<uint8_t*(SimMemory&)> data;
    size_t size;
};

const std::vector<Field>& Fields()
{
    static const std::vector<Field> fields = {
        {"report_rate", [](SimMemory& m) { return &m.reportRate; }, 1},
        {"dpi_index_count", [](SimMemory& m) { return &m.dpiIndexCount; }, 1},
        {"dpi_levels", [](SimMemory& m) { return m.dpiLevels[0].data(); }, sizeof(SimMemory::dpiLevels)},
        {"dpi_colours", [](SimMemory& m) { return m.dpiColours[0].data(); }, sizeof(SimMemory::dpiColours)},
        {"light_mode", [](SimMemory& m) { return &m.lightMode; }, 1},
        {"light_bright_speed", [](SimMemory& m) { return &m.lightBrightSpeed; }, 1},
        {"light_data", [](SimMemory& m) { return m.lightData.data(); }, sizeof(SimMemory::lightData)},
        {"light_length", [](SimMemory& m) { return &m.lightLength; }, 1},
        {"liftoff_height", [](SimMemory& m) { return &m.liftoffHeight; }, 1},
        {"sensor_switch_a", [](SimMemory& m) { return &m.sensorSwitchA; }, 1},
        {"sensor_switch_b", [](SimMemory& m) { return &m.sensorSwitchB; }, 1},
        {"sleep_light", [](SimMemory& m) { return &m.sleepLight; }, 1},
        {"move_wakeup", [](SimMemory& m) { return &m.moveWakeup; }, 1},
        {"move_closelight", [](SimMemory& m) { return &m.moveCloseLight; }, 1},
        {"button_respondtime", [](SimMemory& m) { return &m.buttonRespondTime; }, 1},
        {"button_codes", [](SimMemory& m) { return m.buttonCodes.data(); }, sizeof(SimMemory::buttonCodes)},
    };
    return fields;
}

std::string Hex(const uint8_t* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
    return out;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& out)
{
    if (text.size() % 2) return false;
    out.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        int v = 0;
        for (size_t k = 0; k < 2; ++k) {
            const char c = text[i + k];
            int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
            if (d < 0) return false;
            v = v * 16 + d;
        }
        out.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

} // namespace

SimMemory SimMemory::Factory()
{
    SimMemory m;
    m.reportRate = 1;
    m.dpiIndexCount = 0x15; // stage 1 of 5
    // Raw codes of the default sensor: 400, 800, 1600, 3200, 6400, 12000 DPI.
    const uint8_t raws[DpiLevels] = {8, 16, 32, 64, 128, 220};
    for (int k = 0; k < DpiLevels; ++k)
        m.dpiLevels[k] = {raws[k], 0, raws[k], 0};
    const uint8_t colours[DpiLevels][3] = {{0xFF, 0, 0},    {0, 0xFF, 0},    {0, 0, 0xFF},
                                           {0xFF, 0xFF, 0}, {0xFF, 0, 0xFF}, {0, 0xFF, 0xFF}};
    for (int k = 0; k < DpiLevels; ++k)
        m.dpiColours[k] = {colours[k][0], colours[k][1], colours[k][2]};
    m.lightMode = 1;
    m.lightBrightSpeed = 0x33;
    m.lightData[0] = m.lightMode;
    m.lightData[1] = m.lightBrightSpeed;
    m.lightLength = 3;
    m.liftoffHeight = 1;
    m.sleepLight = 1;
    m.moveWakeup = 1;
    m.moveCloseLight = 0;
    m.buttonRespondTime = 4;
    const uint8_t defaults[8][3] = {{0x20, 0x01, 0}, {0x20, 0x02, 0}, {0x20, 0x04, 0}, {0x20, 0x08, 0},
                                    {0x20, 0x10, 0}, {0x50, 0x01, 0}, {0x70, 0x04, 0}, {0x70, 0x03, 0}};
    for (int b = 0; b < 8; ++b)
        for (int i = 0; i < 3; ++i)
            m.buttonCodes[static_cast<size_t>(3 * b + i)] = defaults[b][i];
    return m;
}

std::string SimMemory::ToText() const
{
    SimMemory copy = *this;
    std::ostringstream out;
    out << Header << "\n";
    for (const Field& f : Fields())
        out << f.name << "=" << Hex(f.data(copy), f.size) << "\n";
    for (int b = 0; b < Buttons; ++b) {
        const auto& packets = macroPackets[static_cast<size_t>(b)];
        for (size_t i = 0; i < packets.size(); ++i)
            out << "macro." << b << "=" << Hex(packets[i].data(), packets[i].size()) << "\n";
    }
    return out.str();
}

bool SimMemory::FromText(const std::string& text, SimMemory& out)
{
    out = Factory();
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != Header) return false;
    SimMemory m = Factory();
    std::vector<uint8_t> bytes;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos || !ParseHex(line.substr(eq + 1), bytes)) return false;
        const std::string name = line.substr(0, eq);
        if (name.rfind("macro.", 0) == 0) {
            char* end = nullptr;
            const long b = std::strtol(name.c_str() + 6, &end, 10);
            if (!end || *end || b < 0 || b >= Buttons || bytes.empty() || bytes.size() > 60) return false;
            m.macroPackets[static_cast<size_t>(b)].push_back(bytes);
            continue;
        }
        bool known = false;
        for (const Field& f : Fields()) {
            if (name != f.name) continue;
            if (bytes.size() != f.size) return false;
            std::copy(bytes.begin(), bytes.end(), f.data(m));
            known = true;
        }
        if (!known) return false;
    }
    out = std::move(m);
    return true;
}

bool SimMemory::Save(const std::string& path) const
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream file(temp, std::ios::trunc);
        if (!file) return false;
        file << ToText();
        if (!file.flush()) return false;
    }
    // Replace in one step so that an interrupted save never leaves half a file.
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool SimMemory::Load(const std::string& path, SimMemory& out)
{
    std::ifstream file(path);
    if (!file) {
        out = Factory();
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return FromText(text.str(), out);
}

bool SimMemory::operator==(const SimMemory& o) const
{
    return reportRate == o.reportRate && dpiIndexCount == o.dpiIndexCount && dpiLevels == o.dpiLevels &&
           dpiColours == o.dpiColours && lightMode == o.lightMode && lightBrightSpeed == o.lightBrightSpeed &&
           lightData == o.lightData && lightLength == o.lightLength && liftoffHeight == o.liftoffHeight &&
           sensorSwitchA == o.sensorSwitchA && sensorSwitchB == o.sensorSwitchB &&
           sleepLight == o.sleepLight && moveWakeup == o.moveWakeup && moveCloseLight == o.moveCloseLight &&
           buttonRespondTime == o.buttonRespondTime && buttonCodes == o.buttonCodes &&
           macroPackets == o.macroPackets;
}

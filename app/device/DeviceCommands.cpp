#include "app/device/DeviceCommands.h"

#include "app/device/CommandFrames.h"
#include "app/device/HidDeviceManager.h"
#include "app/store/SettingsStore.h"
#include "platform/Trace.h"

namespace {

// The failure lines of the write commands, as the rest of the device link writes them.
const char* FailureText(uint8_t code)
{
    switch (code) {
    case command::ReportRate:
        return "0x02: 设置回报率失败";
    case command::DpiColours:
        return "0x04: 设置鼠标DPI颜色数据失败";
    case command::Lighting:
        return "0x05: 设置灯光模式失败";
    case command::LiftoffSensor:
        return "0x02: 设置高级参数失败";
    case command::Power:
        return "0x07: 设置睡眠时间、移动关闭灯效使能";
    default:
        return nullptr; // 0x03, 0x0F and the read requests fail silently
    }
}

void Store(SettingsStore& store, int profile, const SettingUpdates& updates)
{
    for (const auto& [key, value] : updates)
        store.SetSettingInt(profile, key, value);
}

} // namespace

DeviceCommands::DeviceCommands(HidDeviceManager& device, SettingsStore& store)
    : m_device(device), m_store(store)
{
}

bool DeviceCommands::Send(uint8_t* frame, uint8_t code)
{
    if (m_device.SendCommand(frame, FrameLength(code), true)) return true;
    if (const char* text = FailureText(code)) platform::Trace(platform::TraceWarning, "%s", text);
    return false;
}

bool DeviceCommands::SetReportRate(int profile)
{
    CommandFrame frame;
    BuildReportRateFrame(frame, m_store.GetSettingInt(profile, L"report_rate"));
    return Send(frame.data(), command::ReportRate);
}

bool DeviceCommands::SetDpi(int profile, int sensorCode)
{
    std::array<int, kDpiLevels> dpis{};
    for (int k = 0; k < kDpiLevels; ++k)
        dpis[k] = m_store.GetSettingInt(profile, DpiValueKey(k));
    CommandFrame frame;
    BuildDpiFrame(frame, sensorCode, m_store.GetSettingInt(profile, L"dpi_index"),
                  m_store.GetSettingInt(profile, L"dpi_count"), dpis);
    return Send(frame.data(), command::Dpi);
}

bool DeviceCommands::SetDpiColours(int profile)
{
    std::array<int, kDpiLevels> colours{};
    for (int k = 0; k < kDpiLevels; ++k)
        colours[k] = m_store.GetSettingInt(profile, DpiColourKey(k));
    CommandFrame frame;
    BuildDpiColourFrame(frame, colours);
    return Send(frame.data(), command::DpiColours);
}

bool DeviceCommands::SetLighting(int profile, int lightingMode)
{
    m_store.SetActiveLightMode(profile, lightingMode);
    LightRecord record;
    if (!m_store.GetLightRecord(profile, lightingMode, record)) return false;
    LightingValues light;
    light.mode = record.mode;
    light.brightness = record.brightness;
    light.speed = record.speed;
    for (int i = 0; i < kLightColours; ++i)
        light.colours[i] = record.color_value[i];
    CommandFrame frame;
    BuildLightingFrame(frame, light);
    return Send(frame.data(), command::Lighting);
}

bool DeviceCommands::SetLiftoffSensor(int profile)
{
    CommandFrame frame;
    BuildLiftoffSensorFrame(frame, m_store.GetSettingInt(profile, L"liftoff_height"),
                            m_store.GetSettingInt(profile, L"sensor_flag"));
    return Send(frame.data(), command::LiftoffSensor);
}

bool DeviceCommands::SetPowerOptions(int profile)
{
    CommandFrame frame;
    BuildPowerFrame(frame, m_store.GetSettingInt(profile, L"sleep_light"),
                    m_store.GetSettingInt(profile, L"move_wakeup"),
                    m_store.GetSettingInt(profile, L"move_closelight"),
                    m_store.GetSettingInt(profile, L"button_respondtime"));
    return Send(frame.data(), command::Power);
}

bool DeviceCommands::SendFactoryReset()
{
    CommandFrame frame;
    BuildFactoryResetFrame(frame);
    return Send(frame.data(), command::FactoryReset);
}

ReadBackResult DeviceCommands::ReadSettings(int profile, int sensorCode)
{
    ReadBackResult result;
    const uint8_t requests[] = {command::ReadOpen,       command::ReadReportRate, command::ReadDpi,
                                command::ReadDpiColours, command::ReadLighting,   command::ReadLiftoffSensor,
                                command::ReadPower};
    for (uint8_t code : requests) {
        CommandFrame frame;
        BuildReadRequest(frame, code);
        if (!Send(frame.data(), code)) continue;
        const uint8_t* reply = frame.data();
        if (!ReplyBelongsTo(reply, code)) {
            platform::Trace(platform::TraceWarning, "0x%02X: reply of 0x%02X ignored", code, reply[0]);
            continue;
        }
        ++result.accepted;
        switch (code) {
        case command::ReadReportRate:
            Store(m_store, profile, ParseReportRateReply(reply));
            break;
        case command::ReadDpi:
            Store(m_store, profile, ParseDpiReply(reply, sensorCode));
            break;
        case command::ReadDpiColours:
            Store(m_store, profile, ParseDpiColourReply(reply));
            break;
        case command::ReadLiftoffSensor:
            Store(m_store, profile, ParseLiftoffSensorReply(reply));
            break;
        case command::ReadPower:
            Store(m_store, profile, ParsePowerReply(reply));
            break;
        case command::ReadLighting: {
            LightingReply light = ParseLightingReply(reply);
            result.lightingRead = true;
            result.lightingMode = light.mode;
            m_store.SetActiveLightMode(profile, light.mode);
            LightRecord record;
            if (m_store.GetLightRecord(profile, light.mode, record)) {
                record.brightness = light.brightness;
                record.speed = light.speed;
                m_store.UpdateLightRecord(light.mode, record);
            }
            break;
        }
        default:
            break; // 0x11 only opens the read-back
        }
    }
    return result;
}

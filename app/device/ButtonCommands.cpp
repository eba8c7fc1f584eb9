#include "app/device/ButtonCommands.h"

#include <map>

#include "app/device/HidDeviceManager.h"
#include "app/store/SettingsStore.h"
#include "platform/Trace.h"

namespace {

std::map<int, MacroPlay> MacrosById(SettingsStore& store)
{
    std::vector<MacroRecord> macros;
    store.LoadMacros(macros);
    std::map<int, MacroPlay> byId;
    for (const MacroRecord& m : macros)
        byId[m.macro_id] = MacroPlay{m.play_type, m.play_times};
    return byId;
}

} // namespace

std::vector<MacroStep> MacroStepsOf(const std::vector<MacroEventRecord>& events)
{
    std::vector<MacroStep> steps;
    steps.reserve(events.size());
    for (const MacroEventRecord& e : events)
        steps.push_back({e.type, e.value});
    return steps;
}

ButtonCommands::ButtonCommands(HidDeviceManager& device, SettingsStore& store)
    : m_device(device), m_store(store)
{
}

bool ButtonCommands::MacroFits(const std::vector<MacroEventRecord>& events)
{
    return MacroPacketCount(BuildMacroBlock(0, MacroStepsOf(events)).size()) <= kMaxMacroPackets;
}

MacroSendResult ButtonCommands::SendMacro(int button, int macroId)
{
    std::vector<MacroEventRecord> events;
    m_store.LoadMacroEvents(macroId, events);
    std::vector<uint8_t> block = BuildMacroBlock(button, MacroStepsOf(events));
    std::vector<CommandFrame> frames = BuildMacroFrames(block);
    if (frames.empty()) {
        platform::Trace(platform::TraceWarning,
                        "0x08: macro %d is too long for the mouse (%d events, at most %d); not sent", macroId,
                        static_cast<int>((block.size() - 1) / 4), kMaxMacroEvents);
        return MacroSendResult::TooLong;
    }
    MacroSendResult result = MacroSendResult::Sent;
    for (CommandFrame& frame : frames) {
        if (!m_device.SendCommand(frame.data(), 33, true)) {
            platform::Trace(platform::TraceWarning, "%s", "0x08: 设置按键宏数据失败!");
            result = MacroSendResult::Failed;
        }
    }
    return result;
}

int ButtonCommands::SendAssignedMacros(int profile)
{
    std::vector<KeyAssignmentRecord> assignments;
    m_store.LoadKeyAssignments(profile, assignments);
    std::map<int, MacroPlay> macros = MacrosById(m_store);
    int sent = 0;
    for (const KeyAssignmentRecord& a : assignments) {
        if (a.macro_type != 4 || !macros.count(a.macro_value)) continue;
        if (SendMacro(a.key_code, a.macro_value) == MacroSendResult::Sent) ++sent;
    }
    return sent;
}

bool ButtonCommands::SendButtonFunctions(int profile, int pendingMacroButton)
{
    std::vector<KeyAssignmentRecord> assignments;
    m_store.LoadKeyAssignments(profile, assignments);
    std::map<int, MacroPlay> macros = MacrosById(m_store);

    if (pendingMacroButton >= 0) {
        for (const KeyAssignmentRecord& a : assignments) {
            if (a.macro_type == 4 && a.key_code == pendingMacroButton && macros.count(a.macro_value)) {
                SendMacro(a.key_code, a.macro_value);
                break;
            }
        }
    }

    ButtonCodeTable table = DefaultButtonCodes();
    std::map<int, bool> fits;
    for (const KeyAssignmentRecord& a : assignments) {
        auto macro = macros.find(a.macro_value);
        const MacroPlay* play = nullptr;
        if (a.macro_type == 4 && macro != macros.end()) {
            // A macro too long for the mouse never reaches it; its button must not point at
            // whatever the mouse still holds for that button.
            if (!fits.count(a.macro_value)) {
                std::vector<MacroEventRecord> events;
                m_store.LoadMacroEvents(a.macro_value, events);
                fits[a.macro_value] = MacroFits(events);
            }
            if (fits[a.macro_value]) play = &macro->second;
        }
        EncodeButtonAssignment(table, {a.key_code, a.macro_type, a.macro_value, a.macro_value2}, play);
    }
    CommandFrame frame;
    BuildButtonFunctionFrame(frame, table);
    if (m_device.SendCommand(frame.data(), 33, true)) return true;
    platform::Trace(platform::TraceWarning, "%s", "0x09: 设置按键功能失败");
    return false;
}

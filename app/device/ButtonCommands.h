#pragma once
// Sends the button assignments of a profile (command 0x09) and the macros the buttons play
// (command 0x08). Runs on the task worker thread.
#include <vector>

#include "app/device/ButtonEncoding.h"

class HidDeviceManager;
class SettingsStore;
struct MacroEventRecord;

enum class MacroSendResult
{
    Sent,    // every packet was accepted
    Failed,  // at least one packet was not accepted (traced; the others were still sent)
    TooLong, // more events than the mouse can number; nothing was sent (traced)
};

class ButtonCommands
{
public:
    ButtonCommands(HidDeviceManager& device, SettingsStore& store);

    // Command 0x09 for the profile. pendingMacroButton is the button the button page marked
    // as having a new macro (-1: none): its macro goes out first. The caller clears its mark.
    // A button whose macro is missing or too long for the mouse keeps its previous code.
    bool SendButtonFunctions(int profile, int pendingMacroButton = -1);

    // Command 0x08: the events of macro macroId, to be played by button.
    MacroSendResult SendMacro(int button, int macroId);

    // Every macro the profile's assignments name (type 4, macro present), as the whole-profile
    // write sends them. Returns the number of macros sent completely.
    int SendAssignedMacros(int profile);

    // True when the mouse can take the macro's events (the macro page refuses longer ones).
    static bool MacroFits(const std::vector<MacroEventRecord>& events);

private:
    HidDeviceManager& m_device;
    SettingsStore& m_store;
};

std::vector<MacroStep> MacroStepsOf(const std::vector<MacroEventRecord>& events);

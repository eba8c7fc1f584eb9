#pragma once
// How button assignments and macros are laid out for the mouse: a 3-byte function code per
// button (command 0x09) and 4-byte macro events sent in packets of command 0x08.
#include <array>
#include <cstdint>
#include <vector>

#include "app/device/CommandFrames.h"

constexpr int kButtonSlots = 21; // buttons 0..20 have a place in the code table
constexpr int kButtonsSent = 9;  // the 0x09 report carries buttons 0..8
constexpr int kMacroPacketData = 27;
constexpr int kMaxMacroPackets = 15; // the packet count shares byte 3 with the index, 4 bits each
// The longest macro that fits: 15 packets of 27 bytes hold the button byte and 101 events.
constexpr int kMaxMacroEvents = (kMaxMacroPackets * kMacroPacketData - 1) / 4;

using ButtonCodeTable = std::array<uint8_t, 64>;

// The factory functions of buttons 0..7 (left, right, middle, back, forward, DPI, ...).
ButtonCodeTable DefaultButtonCodes();

// One stored assignment, as the encoding needs it.
struct ButtonAssignment
{
    int button = 0; // "key_code"
    int type = 0;   // "macro_type" 1..9
    int value = 0;  // "macro_value"
    int value2 = 0; // "macro_value2"
};

// Play settings of the macro a type-4 assignment names; absent when the macro is gone.
struct MacroPlay
{
    int playType = 0;
    int playTimes = 0;
};

// Writes the assignment into its button's 3 bytes. Buttons outside 0..20 are ignored; a
// macro assignment whose macro does not exist (macro == nullptr), an unknown type and the
// unused values of type 6 leave the previous bytes.
void EncodeButtonAssignment(ButtonCodeTable& table, const ButtonAssignment& assignment,
                            const MacroPlay* macro);

// Builds the 0x09 report from the first nine buttons of the table.
void BuildButtonFunctionFrame(CommandFrame& frame, const ButtonCodeTable& table);

// One stored macro record: type 1 delay, 2 key down, 3 key up, 4 mouse down, 5 mouse up.
struct MacroStep
{
    int type = 0;
    int value = 0; // virtual key, mouse button value, or delay in milliseconds
};

// The macro block: the button index followed by one 4-byte event per key or mouse step,
// each carrying the delay that follows it.
std::vector<uint8_t> BuildMacroBlock(int button, const std::vector<MacroStep>& steps);

// Number of 0x08 reports the block needs.
int MacroPacketCount(size_t blockLength);

// The 0x08 reports of a block; empty when the block needs more packets than byte 3 can number.
std::vector<CommandFrame> BuildMacroFrames(const std::vector<uint8_t>& block);

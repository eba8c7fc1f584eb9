#include "app/device/ButtonEncoding.h"

#include <algorithm>

#include "app/device/KeyTables.h"

namespace {

void Put(uint8_t* code, uint8_t b0, uint8_t b1, uint8_t b2)
{
    code[0] = b0;
    code[1] = b1;
    code[2] = b2;
}

void EncodeMouseFunction(uint8_t* code, int value)
{
    switch (value) {
    case 1:
        Put(code, 0x20, 0x01, 0x00);
        break;
    case 2:
        Put(code, 0x20, 0x04, 0x00);
        break;
    case 3:
        Put(code, 0x20, 0x02, 0x00);
        break;
    case 4:
        Put(code, 0x40, 0x32, 0x03);
        break;
    case 5:
        Put(code, 0x20, 0x10, 0x00);
        break;
    case 6:
        Put(code, 0x20, 0x08, 0x00);
        break;
    case 7:
        Put(code, 0x20, 0x01, 0x00);
        break;
    case 8:
        Put(code, 0x20, 0xFF, 0x00);
        break;
    case 9:
        Put(code, 0x20, 0x00, 0xF5);
        break;
    case 10:
        Put(code, 0x20, 0x00, 0xF6);
        break;
    default:
        Put(code, 0x20, 0x00, 0x00);
        break;
    }
}

void EncodeKeyboardKey(uint8_t* code, int value, int modifiers)
{
    if (modifiers == 0 && value >= 0xE0 && value <= 0xE7) {
        // A modifier key on its own travels as a modifier bit, not as a key usage.
        Put(code, 0x80, static_cast<uint8_t>(ModifierOrUsage(value)), 0x00);
        return;
    }
    uint8_t usage = value == 0 ? 0 : static_cast<uint8_t>(ModifierOrUsage(value));
    Put(code, 0x80, static_cast<uint8_t>(modifiers), usage);
}

void EncodeMediaKey(uint8_t* code, int value)
{
    static const uint8_t usages[][2] = {{0x83, 0x01}, {0xCD, 0x00}, {0xB7, 0x00}, {0xB6, 0x00},
                                        {0xB5, 0x00}, {0xE9, 0x00}, {0xEA, 0x00}, {0xE2, 0x00}};
    if (value >= 1 && value <= 8)
        Put(code, 0x90, usages[value - 1][0], usages[value - 1][1]);
    else
        Put(code, 0x90, 0x00, 0x00);
}

void EncodeMacro(uint8_t* code, int button, const MacroPlay& macro)
{
    uint8_t b1 = static_cast<uint8_t>(button);
    uint8_t b2 = 0;
    switch (macro.playType) {
    case 1:
    case 3:
        b1 |= 0x10;
        break;
    case 2:
        b1 |= 0x40;
        break;
    default:
        if (macro.playTimes >= 1) {
            b1 |= 0x20;
            b2 = static_cast<uint8_t>(macro.playTimes);
        }
        break;
    }
    Put(code, 0xA0, b1, b2);
}

void EncodeDpiFunction(uint8_t* code, int value)
{
    switch (value) {
    case 1:
        Put(code, 0x50, 0x02, 0x00);
        break;
    case 2:
        Put(code, 0x50, 0x03, 0x00);
        break;
    case 3:
        Put(code, 0x50, 0x01, 0x00);
        break;
    default:
        Put(code, 0x50, 0x00, 0x00);
        break;
    }
}

void EncodeSystemKey(uint8_t* code, int value)
{
    static const uint8_t codes[][3] = {{0x90, 0x6F, 0x00}, {0x90, 0x70, 0x00}, {0x90, 0x92, 0x01},
                                       {0x90, 0x94, 0x01}, {0x90, 0x23, 0x02}, {0x90, 0x8A, 0x01},
                                       {0x80, 0x08, 0x07}, {0x80, 0x08, 0x2B}, {0x80, 0x01, 0x06},
                                       {0x80, 0x01, 0x19}, {0x80, 0x01, 0x1B}};
    if (value >= 1 && value <= 11)
        Put(code, codes[value - 1][0], codes[value - 1][1], codes[value - 1][2]);
    else
        Put(code, 0x90, 0x00, 0x00);
}

bool IsModifierKind(int vk)
{
    return (vk >= 0xA0 && vk <= 0xA7) || vk == 0x5B || vk == 0x5D;
}

void PutEvent(std::vector<uint8_t>& block, uint8_t kind, uint8_t data)
{
    block.push_back(kind);
    block.push_back(0x01); // delay, filled in when the following delays are known
    block.push_back(0x00);
    block.push_back(data);
}

void SetEventDelay(std::vector<uint8_t>& block, size_t event, long long delay)
{
    // The field is 16 bits wide; a longer pause is played as the longest it can hold.
    auto value = static_cast<unsigned>(std::clamp<long long>(delay, 0, 0xFFFF));
    block[1 + 4 * event + 1] = static_cast<uint8_t>(value & 0xFF);
    block[1 + 4 * event + 2] = static_cast<uint8_t>(value >> 8);
}

} // namespace

ButtonCodeTable DefaultButtonCodes()
{
    ButtonCodeTable table{};
    static const uint8_t defaults[8][3] = {{0x20, 0x01, 0x00}, {0x20, 0x02, 0x00}, {0x20, 0x04, 0x00},
                                           {0x20, 0x08, 0x00}, {0x20, 0x10, 0x00}, {0x50, 0x01, 0x00},
                                           {0x70, 0x04, 0x00}, {0x70, 0x03, 0x00}};
    for (int b = 0; b < 8; ++b)
        Put(&table[3 * b], defaults[b][0], defaults[b][1], defaults[b][2]);
    return table;
}

void EncodeButtonAssignment(ButtonCodeTable& table, const ButtonAssignment& a, const MacroPlay* macro)
{
    if (a.button < 0 || a.button >= kButtonSlots) return;
    uint8_t* code = &table[3 * a.button];
    switch (a.type) {
    case 1:
        EncodeMouseFunction(code, a.value);
        break;
    case 2:
        EncodeKeyboardKey(code, a.value, a.value2);
        break;
    case 3:
        EncodeMediaKey(code, a.value);
        break;
    case 4:
        if (macro) EncodeMacro(code, a.button, *macro);
        break;
    case 5:
        EncodeDpiFunction(code, a.value);
        break;
    case 6:
        code[0] = 0x60;
        if (a.value == 1) code[1] = 0x04;
        if (a.value == 2) code[1] = 0x01;
        break;
    case 7:
        Put(code, 0x40, static_cast<uint8_t>(a.value), static_cast<uint8_t>(a.value2));
        break;
    case 8:
        EncodeSystemKey(code, a.value);
        break;
    case 9:
        Put(code, 0x20, 0x00, 0x00);
        break;
    default:
        break;
    }
}

void BuildButtonFunctionFrame(CommandFrame& frame, const ButtonCodeTable& table)
{
    frame.fill(0);
    frame[1] = command::ButtonFunctions;
    frame[3] = 0x01;
    frame[4] = 0x15;
    std::copy_n(table.begin(), 3 * kButtonsSent, frame.begin() + 5);
}

std::vector<uint8_t> BuildMacroBlock(int button, const std::vector<MacroStep>& steps)
{
    std::vector<uint8_t> block{static_cast<uint8_t>(button)};
    size_t events = 0;
    long long delaySum = 0;
    bool delayPending = false; // delay records seen that no event has taken yet
    for (const MacroStep& step : steps) {
        uint8_t kind = 0;
        uint8_t data = 0;
        switch (step.type) {
        case 1:
            delaySum += step.value;
            delayPending = true;
            continue;
        case 2:
            kind = IsModifierKind(step.value) ? 0x20 : 0x30;
            data = static_cast<uint8_t>(kind == 0x20 ? ModifierOrUsage(step.value)
                                                     : VirtualKeyToUsage(step.value));
            break;
        case 3:
            if (step.value >= 0xA0 && step.value <= 0xA7)
                kind = 0xA0;
            else if (step.value == 0x5B || step.value == 0x5D)
                kind = 0x20;
            else
                kind = 0xB0;
            data = static_cast<uint8_t>(IsModifierKind(step.value) ? ModifierOrUsage(step.value)
                                                                   : VirtualKeyToUsage(step.value));
            break;
        case 4:
            kind = 0x10;
            data = static_cast<uint8_t>(step.value);
            break;
        case 5:
            kind = 0x90;
            data = static_cast<uint8_t>(step.value);
            break;
        default:
            continue;
        }
        if (events > 0) {
            // Delays before the first event stay pending and count toward its own pause.
            SetEventDelay(block, events - 1, delaySum < 1 ? 1 : delaySum);
            delaySum = 0;
            delayPending = false;
        }
        PutEvent(block, kind, data);
        ++events;
    }
    if (events > 0 && delayPending) SetEventDelay(block, events - 1, delaySum);
    return block;
}

int MacroPacketCount(size_t blockLength)
{
    return static_cast<int>((blockLength + kMacroPacketData - 1) / kMacroPacketData);
}

std::vector<CommandFrame> BuildMacroFrames(const std::vector<uint8_t>& block)
{
    std::vector<CommandFrame> frames;
    const int packets = MacroPacketCount(block.size());
    if (packets > kMaxMacroPackets) return frames;
    // A short macro is a single packet "1 of 1", which is the same byte 3 (0x01) that every
    // write command carries.
    for (int i = 0; i < packets; ++i) {
        CommandFrame frame{};
        frame[1] = command::Macro;
        frame[3] = static_cast<uint8_t>((i << 4) | packets);
        size_t offset = static_cast<size_t>(i) * kMacroPacketData;
        size_t length = std::min<size_t>(kMacroPacketData, block.size() - offset);
        frame[4] = static_cast<uint8_t>(length);
        std::copy_n(block.begin() + offset, length, frame.begin() + 5);
        frames.push_back(frame);
    }
    return frames;
}

// Button function codes, key tables and macro packets.
#include <gtest/gtest.h>

#include "app/device/ButtonEncoding.h"
#include "app/device/KeyTables.h"

namespace {

std::vector<int> Code(const ButtonCodeTable& t, int button)
{
    return {t[3 * button], t[3 * button + 1], t[3 * button + 2]};
}

std::vector<int> Ints(const std::vector<uint8_t>& v)
{
    return std::vector<int>(v.begin(), v.end());
}

std::vector<MacroStep> KeyPresses(int count)
{
    std::vector<MacroStep> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({i % 2 == 0 ? 2 : 3, 'A'});
    return steps;
}

} // namespace

TEST(KeyTables, VirtualKeyToUsage)
{
    struct Case
    {
        int vk, usage;
    } cases[] = {{'A', 0x04},  {'Z', 0x1D},  {'1', 0x1E},  {'9', 0x26},  {'0', 0x27},  {0x0D, 0x28},
                 {0x20, 0x2C}, {0xDC, 0x31}, {666, 0x32},  {0xBF, 0x38}, {0x14, 0x39}, {0x70, 0x3A},
                 {0x7B, 0x45}, {0x7C, 0x68}, {0x87, 0x73}, {0x13, 0x48}, {0x22, 0x4E}, {0x26, 0x52},
                 {0x90, 0x53}, {0x6C, 0x58}, {0x61, 0x59}, {0x69, 0x61}, {0x60, 0x62}, {0x6E, 0x63},
                 {0xE2, 0x64}, {0x5D, 0x65}, {0xA2, 0xE0}, {0x5C, 0xE7}, {0xFE, 0xAF}, {0x89, 0x89},
                 {301, 0xEC},  {302, 0xEB},  {0x07, 0},    {0x5E, 0},    {0x10, 0},    {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyToUsage(c.vk), c.usage) << std::hex << c.vk;
}

TEST(KeyTables, ModifierOrUsage)
{
    struct Case
    {
        int code, result;
    } cases[] = {{0x5B, 0x08}, {0xE3, 0x08}, {0x5C, 0x80}, {0xE7, 0x80}, {0xA0, 0x02}, {0xE1, 0x02},
                 {0xA1, 0x20}, {0xE5, 0x20}, {0xA2, 0x01}, {0xE0, 0x01}, {0xA3, 0x10}, {0xE4, 0x10},
                 {0xA4, 0x04}, {0xE2, 0x04}, {0xA5, 0x40}, {0xE6, 0x40}, {0x04, 0x04}, {0x5D, 0x5D}};
    for (const Case& c : cases)
        EXPECT_EQ(ModifierOrUsage(c.code), c.result) << std::hex << c.code;
}

TEST(ButtonEncoding, AssignmentCodes)
{
    const MacroPlay once{0, 1}, loop{2, 0}, untilRelease{1, 0}, threeTimes{0, 3}, noTimes{0, 0};
    struct Case
    {
        ButtonAssignment a;
        const MacroPlay* macro;
        std::vector<int> code;
    } cases[] = {
        {{2, 1, 1, 0}, nullptr, {0x20, 0x01, 0x00}},
        {{2, 1, 2, 0}, nullptr, {0x20, 0x04, 0x00}},
        {{2, 1, 4, 0}, nullptr, {0x40, 0x32, 0x03}},
        {{2, 1, 8, 0}, nullptr, {0x20, 0xFF, 0x00}},
        {{2, 1, 10, 0}, nullptr, {0x20, 0x00, 0xF6}},
        {{2, 1, 11, 0}, nullptr, {0x20, 0x00, 0x00}},
        {{2, 2, 0x04, 0x03}, nullptr, {0x80, 0x03, 0x04}},
        {{2, 2, 0xE0, 0}, nullptr, {0x80, 0x01, 0x00}}, // Left Ctrl alone
        {{2, 2, 0xE7, 0}, nullptr, {0x80, 0x80, 0x00}},
        {{2, 2, 0, 0x05}, nullptr, {0x80, 0x05, 0x00}},
        {{2, 3, 1, 0}, nullptr, {0x90, 0x83, 0x01}},
        {{2, 3, 8, 0}, nullptr, {0x90, 0xE2, 0x00}},
        {{2, 3, 9, 0}, nullptr, {0x90, 0x00, 0x00}},
        {{3, 4, 7, 0}, &once, {0xA0, 0x23, 0x01}},
        {{3, 4, 7, 0}, &threeTimes, {0xA0, 0x23, 0x03}},
        {{3, 4, 7, 0}, &loop, {0xA0, 0x43, 0x00}},
        {{3, 4, 7, 0}, &untilRelease, {0xA0, 0x13, 0x00}},
        {{3, 4, 7, 0}, &noTimes, {0xA0, 0x03, 0x00}},
        {{3, 4, 7, 0}, nullptr, {0x20, 0x08, 0x00}}, // macro gone: the default stays
        {{2, 5, 1, 0}, nullptr, {0x50, 0x02, 0x00}},
        {{2, 5, 3, 0}, nullptr, {0x50, 0x01, 0x00}},
        {{2, 6, 1, 0}, nullptr, {0x60, 0x04, 0x00}},
        {{6, 6, 2, 0}, nullptr, {0x60, 0x01, 0x00}},
        {{6, 6, 3, 0}, nullptr, {0x60, 0x04, 0x00}}, // only byte 0 changes
        {{2, 7, 0x12, 0x34}, nullptr, {0x40, 0x12, 0x34}},
        {{2, 8, 3, 0}, nullptr, {0x90, 0x92, 0x01}},
        {{2, 8, 7, 0}, nullptr, {0x80, 0x08, 0x07}},
        {{2, 8, 11, 0}, nullptr, {0x80, 0x01, 0x1B}},
        {{2, 8, 12, 0}, nullptr, {0x90, 0x00, 0x00}},
        {{2, 9, 1, 0}, nullptr, {0x20, 0x00, 0x00}},
        {{2, 12, 1, 0}, nullptr, {0x20, 0x04, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.a.type << " value " << c.a.value);
        ButtonCodeTable table = DefaultButtonCodes();
        EncodeButtonAssignment(table, c.a, c.macro);
        EXPECT_EQ(Code(table, c.a.button), c.code);
    }
}

TEST(ButtonEncoding, FunctionReportCarriesNineButtons)
{
    ButtonCodeTable table = DefaultButtonCodes();
    CommandFrame f;
    BuildButtonFunctionFrame(f, table);
    std::vector<int> expected{0x20, 1,    0, 0x20, 2,    0, 0x20, 4,    0, 0x20, 8, 0, 0x20, 0x10,
                              0,    0x50, 1, 0,    0x70, 4, 0,    0x70, 3, 0,    0, 0, 0};
    EXPECT_EQ(std::vector<int>(f.begin() + 5, f.begin() + 32), expected);
    EXPECT_EQ((std::vector<int>{f[1], f[3], f[4]}), (std::vector<int>{0x09, 1, 0x15}));

    // A later assignment of the same button wins; buttons beyond the report and beyond the
    // table change nothing that is sent.
    EncodeButtonAssignment(table, {0, 9, 1, 0}, nullptr);
    EncodeButtonAssignment(table, {0, 3, 2, 0}, nullptr);
    EncodeButtonAssignment(table, {9, 9, 1, 0}, nullptr);
    EncodeButtonAssignment(table, {20, 5, 1, 0}, nullptr);
    EncodeButtonAssignment(table, {21, 5, 1, 0}, nullptr);
    EncodeButtonAssignment(table, {-1, 5, 1, 0}, nullptr);
    EXPECT_EQ(Code(table, 20), (std::vector<int>{0x50, 2, 0}));
    BuildButtonFunctionFrame(f, table);
    expected[0] = 0x90;
    expected[1] = 0xCD;
    EXPECT_EQ(std::vector<int>(f.begin() + 5, f.begin() + 32), expected);
    EXPECT_EQ(f[32], 0);
}

TEST(ButtonEncoding, MacroEvents)
{
    struct Case
    {
        const char* name;
        std::vector<MacroStep> steps;
        std::vector<int> block;
    } cases[] = {
        {"key with pause", {{2, 'A'}, {1, 50}, {3, 'A'}}, {5, 0x30, 0x32, 0, 0x04, 0xB0, 1, 0, 0x04}},
        {"modifiers and mouse",
         {{2, 0xA0}, {3, 0xA0}, {2, 0x5B}, {3, 0x5B}, {4, 1}, {5, 1}},
         {5,    0x20, 1, 0,    0x02, 0xA0, 1, 0, 0x02, 0x20, 1, 0, 0x08,
          0x20, 1,    0, 0x08, 0x10, 1,    0, 1, 0x90, 1,    0, 1}},
        {"pauses add up, zero sum becomes 1",
         {{2, 'B'}, {1, 300}, {1, 200}, {3, 'B'}, {1, 0}, {2, 'C'}},
         {5, 0x30, 0xF4, 0x01, 0x05, 0xB0, 1, 0, 0x05, 0x30, 1, 0, 0x06}},
        {"trailing pause without minimum", {{2, 'A'}, {1, 0}}, {5, 0x30, 0, 0, 0x04}},
        {"leading pause counts for the first event",
         {{1, 40}, {2, 'A'}, {1, 10}, {3, 'A'}},
         {5, 0x30, 50, 0, 0x04, 0xB0, 1, 0, 0x04}},
        {"pause longer than the field",
         {{2, 'A'}, {1, 70000}, {3, 'A'}},
         {5, 0x30, 0xFF, 0xFF, 4, 0xB0, 1, 0, 4}},
        {"delays only", {{1, 100}, {1, 5}}, {5}},
        {"unknown records skipped", {{7, 1}, {2, 'A'}, {0, 3}}, {5, 0x30, 1, 0, 0x04}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ints(BuildMacroBlock(5, c.steps)), c.block) << c.name;
}

TEST(ButtonEncoding, MacroPackets)
{
    struct Case
    {
        int events;
        std::vector<int> byte3, byte4;
    } cases[] = {
        {0, {0x01}, {1}},           {6, {0x01}, {25}},
        {7, {0x02, 0x12}, {27, 2}}, {20, {0x03, 0x13, 0x23}, {27, 27, 27}},
        {kMaxMacroEvents, {}, {}}, // checked below: 15 packets, the last one partial
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = BuildMacroBlock(3, KeyPresses(c.events));
        ASSERT_EQ(block.size(), 4u * c.events + 1);
        std::vector<CommandFrame> frames = BuildMacroFrames(block);
        if (c.byte3.empty()) continue;
        std::vector<int> b3, b4;
        std::vector<uint8_t> joined;
        for (const CommandFrame& f : frames) {
            EXPECT_EQ(f[1], 0x08);
            EXPECT_EQ(f[2], 0);
            b3.push_back(f[3]);
            b4.push_back(f[4]);
            joined.insert(joined.end(), f.begin() + 5, f.begin() + 5 + f[4]);
            EXPECT_TRUE(std::all_of(f.begin() + 5 + f[4], f.end(), [](uint8_t b) { return b == 0; }));
        }
        EXPECT_EQ(b3, c.byte3) << c.events;
        EXPECT_EQ(b4, c.byte4) << c.events;
        EXPECT_EQ(joined, block);
    }

    std::vector<CommandFrame> longest = BuildMacroFrames(BuildMacroBlock(3, KeyPresses(kMaxMacroEvents)));
    ASSERT_EQ(longest.size(), 15u);
    EXPECT_EQ(longest.back()[3], 0xEF);
    EXPECT_EQ(longest.back()[4], 405 - 27 * 14);

    // One event more needs a 16th packet, which byte 3 cannot number.
    EXPECT_TRUE(BuildMacroFrames(BuildMacroBlock(3, KeyPresses(kMaxMacroEvents + 1))).empty());
    EXPECT_TRUE(BuildMacroFrames(BuildMacroBlock(3, KeyPresses(200))).empty());
}

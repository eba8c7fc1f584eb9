// Sensor conversions, the write reports of the command set and the read replies.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/device/CommandFrames.h"
#include "app/device/SensorTable.h"

namespace {

const int kSensorCodes[] = {3, 4, 5, 16, 17, 18, 25, 37, 38, 53, 149, 0, 99};

std::vector<int> Bytes(const CommandFrame& f, int from, int to)
{
    return std::vector<int>(f.begin() + from, f.begin() + to + 1);
}

std::map<std::wstring, int> AsMap(const SettingUpdates& updates)
{
    return std::map<std::wstring, int>(updates.begin(), updates.end());
}

} // namespace

TEST(SensorTable, ConversionCases)
{
    struct Case
    {
        int code, dpi, raw, readBack;
    } cases[] = {
        {4, 8000, 80, 8000},
        {17, 12000, 220, 12000},
        {17, 13000, 221, 13000},
        {17, 9950, 199, 9950},
        {17, 24000, 232, 24000},
        {3, 6400, 128, 6400},
        {3, 6500, 129, 6500},
        {5, 12000, 184, 12000},
        {0, 50, 0, 50},
        {99, 26000, 519, 26000},
        {149, 26000, 519, 26000},
        {25, 30000, 174, 30000},
        {37, 5500, 51, 5500},
        {53, 16000, 160, 16000},
        // Sensor 38: a value comes back 100 lower up to 5000 and 500 higher above it.
        {38, 3000, 29, 2900},
        {38, 8000, 56, 8500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sensor " << c.code << " dpi " << c.dpi);
        EXPECT_EQ(DpiToRaw(c.code, c.dpi), c.raw);
        EXPECT_EQ(RawToDpi(c.code, c.raw), c.readBack);
    }
}

TEST(SensorTable, EveryRawCodeOfTheRangeSurvivesTheRoundTrip)
{
    for (int code : kSensorCodes) {
        if (code == 38) continue; // the one sensor whose two directions differ on purpose
        for (int raw = 0; raw <= MaximumRawCode(code); ++raw)
            ASSERT_EQ(DpiToRaw(code, RawToDpi(code, raw)), raw) << "sensor " << code;
    }
}

TEST(SensorTable, RangesAndSliderPositions)
{
    SensorRange r149 = SensorRangeOf(149);
    EXPECT_EQ(r149.maximum, 26000);
    EXPECT_STREQ(r149.maximumText, L"30000");
    EXPECT_EQ(r149.sliderMaximum, 600);
    EXPECT_EQ(SensorRangeOf(38).minimum, 200);
    EXPECT_STREQ(SensorRangeOf(12345).maximumText, L"26000");
    EXPECT_EQ(ClampDpi(4, 20000), 8000);
    EXPECT_EQ(ClampDpi(38, 50), 200);

    struct Case
    {
        int code, dpi, slider;
    } cases[] = {{17, 10000, 200}, {17, 12000, 220}, {17, 13000, 221}, {149, 30000, 600},
                 {99, 26000, 520}, {38, 5000, 49},   {38, 10000, 60},  {3, 12000, 184}};
    for (const Case& c : cases)
        EXPECT_EQ(DpiToSliderValue(c.code, c.dpi), c.slider) << c.code << " " << c.dpi;

    EXPECT_EQ(ReportRateCount(0x10), 5);
    EXPECT_EQ(ReportRateCount(0x20), 6);
    EXPECT_EQ(ReportRateCount(0x40), 7);
    EXPECT_EQ(ReportRateCount(0x30), 4);
}

TEST(CommandFrames, WriteReports)
{
    CommandFrame f;
    f.fill(0xEE); // every builder starts from a clean frame

    BuildReportRateFrame(f, 8);
    EXPECT_EQ(Bytes(f, 0, 6), (std::vector<int>{0, 0x02, 0, 1, 1, 8, 0}));
    EXPECT_EQ(FrameLength(0x02), 33);

    // Sensor 4: 20000 is clamped to 8000 (raw 80); 50 is raised to 100 (raw 1).
    BuildDpiFrame(f, 4, 2, 5, {20000, 50, 400, 800, 1600, 3200});
    EXPECT_EQ(Bytes(f, 1, 6), (std::vector<int>{0x03, 0, 1, 0x26, 0, 0x25}));
    EXPECT_EQ(Bytes(f, 7, 14), (std::vector<int>{0x50, 0, 0x50, 0, 1, 0, 1, 0}));
    EXPECT_EQ(Bytes(f, 27, 31), (std::vector<int>{32, 0, 32, 0, 0}));

    // Raw codes above 255 use the high byte.
    BuildDpiFrame(f, 99, 0, 6, {26000, 800, 800, 800, 800, 800});
    EXPECT_EQ(Bytes(f, 7, 10), (std::vector<int>{0x07, 0x02, 0x07, 0x02}));

    BuildDpiColourFrame(f, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0, 0xFFFFFF});
    EXPECT_EQ(Bytes(f, 1, 4), (std::vector<int>{0x04, 0, 1, 18}));
    EXPECT_EQ(Bytes(f, 5, 22), (std::vector<int>{0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0x56, 0x34, 0x12, 0, 0,
                                                 0, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(f[23], 0);

    BuildLiftoffSensorFrame(f, 2, 8 | 4 | 16);
    EXPECT_EQ(Bytes(f, 1, 8), (std::vector<int>{0x06, 0, 1, 5, 2, 1, 1, 0}));
    BuildLiftoffSensorFrame(f, 1, 16);
    EXPECT_EQ(Bytes(f, 5, 7), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(FrameLength(0x06), 65);

    BuildPowerFrame(f, 5, 1, 0, 8);
    EXPECT_EQ(Bytes(f, 1, 9), (std::vector<int>{0x07, 0, 1, 4, 5, 1, 0, 8, 0}));
    EXPECT_EQ(FrameLength(0x07), 65);

    BuildFactoryResetFrame(f);
    EXPECT_EQ(Bytes(f, 0, 6), (std::vector<int>{0, 0x0F, 0, 1, 1, 0xFF, 0}));

    BuildReadRequest(f, 0x13);
    EXPECT_EQ(Bytes(f, 0, 5), (std::vector<int>{0, 0x13, 0, 0, 0, 0}));
    EXPECT_TRUE(std::all_of(f.begin() + 2, f.end(), [](uint8_t b) { return b == 0; }));
}

TEST(CommandFrames, LightingReportByMode)
{
    LightingValues light;
    light.brightness = 4;
    light.speed = 2;
    for (int i = 0; i < kLightColours; ++i)
        light.colours[i] = 0x030201 + i * 0x101010;

    struct Case
    {
        int mode, length;
        std::vector<int> tail; // bytes 7.. up to the end of the data
    } cases[] = {
        {0, 2, {}},
        {1, 3, {0}},
        {3, 5, {0x01, 0x02, 0x03}},
        {9, 2, {}},
        {2, 24, {7,    0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31,
                 0x32, 0x33, 0x41, 0x42, 0x43, 0x51, 0x52, 0x53, 0x61, 0x62, 0x63}},
        {6, 23, {0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31, 0x32,
                 0x33, 0x41, 0x42, 0x43, 0x51, 0x52, 0x53, 0x61, 0x62, 0x63}},
    };
    CommandFrame f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        light.mode = c.mode;
        BuildLightingFrame(f, light);
        EXPECT_EQ(Bytes(f, 1, 6), (std::vector<int>{0x05, 0, 1, c.length, c.mode, 0x42}));
        EXPECT_EQ(Bytes(f, 7, 6 + static_cast<int>(c.tail.size())), c.tail);
        EXPECT_EQ(f[7 + c.tail.size()], 0);
    }
    for (int mode : {7, 8, 200}) {
        light.mode = mode;
        BuildLightingFrame(f, light);
        EXPECT_EQ(Bytes(f, 1, 7), (std::vector<int>{0x05, 0, 1, 0, 0, 0, 0}));
    }
    EXPECT_EQ(FrameLength(0x05), 65);
}

TEST(CommandFrames, ReadReplies)
{
    uint8_t reply[65] = {};
    reply[4] = 0x25;
    // Level 0 X pair says 9, Y pair 80 (the Y pair counts); level 1 raw 0 (below 50 DPI:
    // unchanged); level 2 raw 0x1234 (far beyond the sensor: unchanged); level 5 raw 48.
    reply[5] = 9;
    reply[7] = 80;
    reply[13] = 0x34;
    reply[14] = 0x12;
    reply[17] = 16;
    reply[21] = 32;
    reply[25] = 48;
    auto dpi = AsMap(ParseDpiReply(reply, 4));
    EXPECT_EQ(dpi, (std::map<std::wstring, int>{{L"dpi_flag", 5},
                                                {L"dpi_count", 5},
                                                {L"dpi_index", 2},
                                                {L"dpi_group0_value", 8000},
                                                {L"dpi_group3_value", 1600},
                                                {L"dpi_group4_value", 3200},
                                                {L"dpi_group5_value", 4800}}));

    // A stage count the mouse cannot have, or an index beyond the count, is not taken.
    struct StageCase
    {
        int byte;
        std::map<std::wstring, int> stored;
    } stages[] = {{0x56, {{L"dpi_flag", 6}, {L"dpi_count", 6}, {L"dpi_index", 5}}},
                  {0x33, {{L"dpi_flag", 3}, {L"dpi_count", 3}}},
                  {0x10, {}},
                  {0x07, {}}};
    for (const StageCase& s : stages) {
        uint8_t r[65] = {};
        r[4] = static_cast<uint8_t>(s.byte);
        EXPECT_EQ(AsMap(ParseDpiReply(r, 4)), s.stored) << s.byte;
    }

    // Sensor 38 at its maximum reads back above it, as its encoding does; that is kept.
    uint8_t r38[65] = {};
    r38[4] = 0x16;
    r38[7] = 60;
    EXPECT_EQ(AsMap(ParseDpiReply(r38, 38))[L"dpi_group0_value"], 10500);

    struct KindCase
    {
        uint8_t kind, code;
        bool belongs;
    } kinds[] = {{0x13, 0x13, true},  {0x12, 0x13, false}, {0xD1, 0x12, false}, {0xD2, 0x16, false},
                 {0x09, 0x17, false}, {0x30, 0x11, false}, {0x00, 0x13, true},  {0x7E, 0x14, true}};
    for (const KindCase& k : kinds) {
        uint8_t r[65] = {k.kind, 0};
        EXPECT_EQ(ReplyBelongsTo(r, k.code), k.belongs) << int(k.kind) << " " << int(k.code);
    }

    uint8_t r[65] = {};
    r[4] = 0xFF;
    r[5] = 1;
    r[6] = 1;
    EXPECT_EQ(AsMap(ParseLiftoffSensorReply(r)),
              (std::map<std::wstring, int>{{L"liftoff_height", 1}, {L"sensor_flag", 12}}));
    r[4] = 2;
    r[5] = 2; // only the value 1 switches an option on
    r[6] = 0;
    EXPECT_EQ(AsMap(ParseLiftoffSensorReply(r)),
              (std::map<std::wstring, int>{{L"liftoff_height", 2}, {L"sensor_flag", 0}}));

    uint8_t p[65] = {};
    p[4] = 5;
    p[5] = 9;
    p[6] = 1;
    p[7] = 20;
    EXPECT_EQ(AsMap(ParsePowerReply(p)),
              (std::map<std::wstring, int>{
                  {L"sleep_light", 5}, {L"move_closelight", 1}, {L"button_respondtime", 20}}));

    uint8_t rate[65] = {};
    rate[4] = 16;
    EXPECT_EQ(AsMap(ParseReportRateReply(rate)),
              (std::map<std::wstring, int>{{L"report_rate", 16}, {L"report_rate_wireless", 16}}));

    uint8_t colours[65] = {};
    for (int i = 0; i < 18; ++i)
        colours[4 + i] = static_cast<uint8_t>(i + 1);
    auto c = AsMap(ParseDpiColourReply(colours));
    EXPECT_EQ(c[L"dpi_group0_rgb"], 0x030201);
    EXPECT_EQ(c[L"dpi_group5_rgb"], 0x121110);

    uint8_t light[65] = {};
    light[4] = 3;
    light[5] = 0x42;
    LightingReply l = ParseLightingReply(light);
    EXPECT_EQ(l.mode, 3);
    EXPECT_EQ(l.brightness, 4);
    EXPECT_EQ(l.speed, 2);
}

#include <gtest/gtest.h>

#include "app/documents/DeviceDescription.h"
#include "app/documents/DocumentObserver.h"
#include "documents/DocumentStoreFixture.h"
#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

const char* const kLit = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <image_file mouse_img="lit_top.png"/>
  <menu light="1"/>
  <custom show_dpitips="1" show_savetips="0" show_lod="1" show_sensor="yes"/>
  <firmware url="https://fw.example/lit"/>
  <mouse_key>
    <key name="190" key_value="0" direction="0" rect="120#300#85" func_desc="106" func_type="1" func_value="1"/>
    <key name="191" key_value="5" direction="1" rect="77" func_desc="141" func_type="5" func_value="3"/>
    <key name="192" direction="1" rect="10#20" func_desc="108"/>
  </mouse_key>
  <mouse_info>
    <light_info><light_2 enable="1"/><light_1 enable="1"/><light_3 enable="0"/><light_8 enable="1"/></light_info>
    <dpi_info default_dpi="2" dpi_count="4">
      <dpi_1 value="500" color="#FF8000"/><dpi_2 value="1000" color="#00FF"/>
      <dpi_3 value="2000" color="#1"/><dpi_4 value="4000" color="#0000FF"/>
    </dpi_info>
    <report_rate default_value="7"/>
    <sleep_light value="10"/>
    <move_wakeup value="0"/>
    <move_closelight value="0"/>
  </mouse_info>
</mouse>)";

struct StepRecorder : DocumentObserver
{
    void OnMousePicture(const std::wstring& picture) override { steps.push_back(L"picture " + picture); }
    void OnLightingMenu(bool lit) override { steps.push_back(lit ? L"lit" : L"unlit"); }
    void OnCustomOptions(bool a, bool b, bool c, bool d) override
    {
        steps.push_back(L"custom " + std::to_wstring(a) + std::to_wstring(b) + std::to_wstring(c) +
                        std::to_wstring(d));
    }
    void OnButtonsCleared() override { steps.push_back(L"clear"); }
    void OnButtonAdded(const ButtonLayout& b, const std::wstring& name, const std::wstring& function) override
    {
        steps.push_back(L"button " + std::to_wstring(b.keyCode) + L" " + name + L"/" + function);
    }
    void OnButtonsDone(int count) override { steps.push_back(L"done " + std::to_wstring(count)); }
    void OnReportRateDefault(int code) override { steps.push_back(L"rate " + std::to_wstring(code)); }
    void OnEnqueueTask(int task) override { steps.push_back(L"task " + std::to_wstring(task)); }
    std::vector<std::wstring> steps;
};

TEST(DeviceDescriptionText, ColourTexts)
{
    const struct
    {
        const wchar_t* text;
        int colorref;
    } cases[] = {
        {L"#FF8000", 33023}, {L"#00FF", 65280}, {L"#FFF", 255 + 256 * 15}, {L"#12", 0x12},         {L"#1", 0},
        {L"#1234567", 0},    {L"", 0},          {L"#zz00FF", 0xFF0000},    {L"xFFFFFF", 0xFFFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorTextToColorref(c.text), c.colorref) << platform::ToUtf8(c.text);
}

TEST(DeviceDescriptionText, RectSplitting)
{
    const struct
    {
        const wchar_t* text;
        int x1, x2, y;
    } cases[] = {
        {L"120#300#85", 120, 300, 85},
        {L"77", 77, 77, 77},
        {L"10#20", 10, 20, 20},
        {L"", 0, 0, 0},
        {L"#5#", 0, 5, 0},
        {L"1#2#3#4", 1, 2, 3},
        {L"99999999999#-4#x", INT_MAX, -4, 0},
    };
    for (const auto& c : cases) {
        int x1 = -1, x2 = -1, y = -1;
        SplitButtonRect(c.text, x1, x2, y);
        EXPECT_EQ(std::make_tuple(x1, x2, y), std::make_tuple(c.x1, c.x2, c.y)) << platform::ToUtf8(c.text);
    }
}

using DeviceDescriptionTest = DocumentStoreFixture;

TEST_F(DeviceDescriptionTest, LoadReadsEveryElementAndReportsTheWindowSteps)
{
    WriteDescription("lit", kLit);
    DeviceDescription description;
    StepRecorder observer;
    ASSERT_TRUE(LoadDeviceDescription(description, 101, &observer));

    EXPECT_EQ(description.modelName, L"Lit");
    EXPECT_EQ(description.databaseName, L"lit");
    EXPECT_EQ(SettingsStore::Instance().DatabaseFile(),
              SettingsStore::DatabasePath(platform::SettingsFolder(), L"lit"));
    EXPECT_EQ(description.picture, L"device\\lit_top.png");
    EXPECT_TRUE(description.hasLighting);
    EXPECT_TRUE(description.showDpiTips);
    EXPECT_FALSE(description.showSaveTips);
    EXPECT_TRUE(description.showLiftOff);
    EXPECT_FALSE(description.showSensor); // only "1" counts
    EXPECT_EQ(description.firmwareUrl, L"https://fw.example/lit");
    EXPECT_EQ(observer.steps,
              (std::vector<std::wstring>{L"picture device\\lit_top.png", L"lit", L"custom 1010", L"clear",
                                         L"button 0 Left button/Left click", L"button 5 /", L"button 0 /",
                                         L"done 3"}));

    ASSERT_EQ(description.buttons.size(), 3u);
    const ButtonLayout& first = description.buttons[0];
    EXPECT_EQ(std::make_tuple(first.nameId, first.keyCode, first.side, first.x1, first.x2, first.y,
                              first.functionId),
              std::make_tuple(190, 0, 0, 120, 300, 85, 106));
    EXPECT_EQ(std::make_tuple(description.buttons[1].x1, description.buttons[1].x2, description.buttons[1].y),
              std::make_tuple(77, 77, 77));

    ASSERT_EQ(description.defaultAssignments.size(), 3u);
    const KeyAssignmentRecord& dpi = description.defaultAssignments[1];
    EXPECT_EQ(dpi.key_code, 5);
    EXPECT_EQ(dpi.layout_value, 5);
    EXPECT_EQ(dpi.layout_desc, L"191");
    EXPECT_EQ(dpi.macro_type, 5);
    EXPECT_EQ(dpi.macro_value, 3);
    EXPECT_EQ(dpi.macro_desc, L"141");
    EXPECT_EQ(dpi.profile, 0);
    EXPECT_EQ(description.defaultAssignments[2].key_code, 0); // no key_value reads as 0

    // light_info may stand anywhere in mouse_info; light_1 after light_2 is still found, and
    // light_2 is then behind the search.
    EXPECT_EQ(description.lightEffects,
              (LightEffectFlags{true, false, false, false, false, false, false, true}));
}

TEST_F(DeviceDescriptionTest, ElementsBeforeTheirPlaceAreNotSeen)
{
    DeviceDescription description;
    description.hasLighting = true;
    description.firmwareUrl = L"earlier";
    description.lightEffects[3] = true;
    WriteDescription(
        "lit", R"(<mouse><menu light="0"/><image_file mouse_img="m.png"/><firmware url="new"/></mouse>)");
    StepRecorder observer;
    ASSERT_TRUE(LoadDeviceDescription(description, 101, &observer));
    EXPECT_EQ(description.picture, L"device\\m.png");
    EXPECT_TRUE(description.hasLighting); // menu stands before image_file: not found, kept
    EXPECT_EQ(description.firmwareUrl, L"new");
    EXPECT_TRUE(description.lightEffects[3]);
    EXPECT_EQ(observer.steps, std::vector<std::wstring>{L"picture device\\m.png"});
}

TEST_F(DeviceDescriptionTest, UnreadableDescriptionKeepsTheEarlierFields)
{
    DeviceDescription description;
    description.picture = L"device\\before.png";
    description.buttons.resize(2);
    for (const char* text : {"", "<mouse><menu light=\"1\"", "<config/>"}) {
        WriteDescription("lit", text);
        TraceRecorder trace;
        EXPECT_FALSE(LoadDeviceDescription(description, 101, nullptr)) << text;
        EXPECT_EQ(description.picture, L"device\\before.png");
        EXPECT_EQ(description.buttons.size(), 2u);
        EXPECT_FALSE(trace.Lines().empty());
        EXPECT_EQ(ReadFile(m_xdg.Folder().File("device/lit.xml")), text); // never rewritten
    }
    // No model of this type: empty names, and the store switched to "_data.db".
    EXPECT_FALSE(LoadDeviceDescription(description, 999, nullptr));
    EXPECT_EQ(description.modelName, L"");
    EXPECT_EQ(description.databaseName, L"");
    EXPECT_EQ(SettingsStore::Instance().DatabaseFile(),
              SettingsStore::DatabasePath(platform::SettingsFolder(), L""));
}

TEST_F(DeviceDescriptionTest, DefaultsOverAProfile)
{
    WriteDescription("lit", kLit);
    const int profile = OpenStore(L"lit");
    ASSERT_GT(profile, 0);
    SettingsStore& store = SettingsStore::Instance();
    store.SetSetting(profile, L"dpi_group4_value", L"7777");
    store.SetSetting(profile, L"dpi_group5_rgb", L"42");
    store.SetSetting(profile, L"report_rate", L"8");
    store.SetSetting(profile, L"sleep_light", L"3");

    DeviceDescription description;
    ASSERT_TRUE(ApplyDeviceDefaults(description, 101, profile, true));
    EXPECT_EQ(Setting(profile, L"dpi_index"), L"2");
    EXPECT_EQ(Setting(profile, L"dpi_flag"), L"4");
    EXPECT_EQ(Setting(profile, L"dpi_count"), L"4");
    EXPECT_EQ(Setting(profile, L"dpi_group0_value"), L"500");
    EXPECT_EQ(Setting(profile, L"dpi_group0_rgb"), L"33023");
    EXPECT_EQ(Setting(profile, L"dpi_group1_rgb"), L"65280");
    EXPECT_EQ(Setting(profile, L"dpi_group2_rgb"), L"0");
    EXPECT_EQ(Setting(profile, L"dpi_group3_value"), L"4000");
    EXPECT_EQ(Setting(profile, L"dpi_group4_value"), L"7777"); // levels 5 and 6 absent: kept
    EXPECT_EQ(Setting(profile, L"dpi_group5_rgb"), L"42");
    EXPECT_EQ(Setting(profile, L"report_rate"), L"8"); // dpiOnly leaves the rest alone
    EXPECT_EQ(Setting(profile, L"sleep_light"), L"3");
    EXPECT_EQ(description.rateCapability, 0);

    ASSERT_TRUE(ApplyDeviceDefaults(description, 101, profile, false));
    EXPECT_EQ(Setting(profile, L"report_rate"), L"7");
    EXPECT_EQ(description.rateCapability, 7);
    EXPECT_EQ(Setting(profile, L"sleep_light"), L"10");
    EXPECT_EQ(Setting(profile, L"move_wakeup"), L"0");
    EXPECT_EQ(Setting(profile, L"move_closelight"), L"0");
    EXPECT_EQ(Setting(profile, L"no_such_key"), L""); // SetSetting never creates keys

    EXPECT_FALSE(ApplyDeviceDefaults(description, 301, profile, false)); // no description file
}

TEST_F(DeviceDescriptionTest, RateResetSetsBothRatesAndAlwaysAsksForTheWrite)
{
    WriteDescription("lit", kLit);
    const int profile = OpenStore(L"lit");
    DeviceDescription description;
    StepRecorder observer;
    EXPECT_TRUE(ResetReportRateToDeviceDefault(description, 101, profile, &observer));
    EXPECT_EQ(Setting(profile, L"report_rate"), L"7");
    EXPECT_EQ(Setting(profile, L"report_rate_wireless"), L"7");
    EXPECT_EQ(observer.steps, (std::vector<std::wstring>{L"rate 7", L"task 11"}));

    observer.steps.clear();
    EXPECT_FALSE(ResetReportRateToDeviceDefault(description, 301, profile, &observer));
    EXPECT_EQ(observer.steps, std::vector<std::wstring>{L"task 11"});
}

TEST_F(DeviceDescriptionTest, ShippedDescriptionsAreCompleteInEveryLanguage)
{
    platform::SetProgramFolder(KORVANE_RUNTIME_DIR);
    ASSERT_TRUE(AppConfig::Instance().ReadModelList());
    for (int type : {101, 201}) {
        SCOPED_TRACE(type);
        DeviceDescription description;
        ASSERT_TRUE(LoadDeviceDescription(description, type, nullptr));
        EXPECT_FALSE(description.picture.empty());
        EXPECT_FALSE(description.firmwareUrl.empty());
        EXPECT_EQ(description.hasLighting, type == 101);
        EXPECT_EQ(std::count(description.lightEffects.begin(), description.lightEffects.end(), true) > 1,
                  type == 101);
        EXPECT_GE(description.buttons.size(), 5u);
        for (int language : {2052, 1033, 1028, 1041, 1042, 1058, 1054}) {
            SetCurrentLanguage(language);
            for (const ButtonLayout& button : description.buttons) {
                EXPECT_FALSE(LanguageText(button.nameId).empty()) << language << " " << button.nameId;
                EXPECT_FALSE(LanguageText(button.functionId).empty()) << language << " " << button.functionId;
            }
        }
        const int profile = SettingsStore::Instance().EnsureProfiles();
        ASSERT_TRUE(ApplyDeviceDefaults(description, type, profile, false));
        EXPECT_GT(description.rateCapability, 0);
        EXPECT_NE(Setting(profile, L"dpi_group0_rgb"), L"0");
    }
}

} // namespace

#include <filesystem>

#include <gtest/gtest.h>

#include "app/documents/DocumentObserver.h"
#include "app/documents/ExchangeFiles.h"
#include "documents/DocumentStoreFixture.h"

namespace {

std::string Fixture(const std::string& name)
{
    return std::string(KORVANE_FIXTURES_DIR) + "/documents/" + name;
}

struct ImportRecorder : DocumentObserver
{
    void OnProfileRenamed(const std::wstring& name) override { steps.push_back(L"renamed " + name); }
    void OnEnqueueTask(int task) override { steps.push_back(L"task " + std::to_wstring(task)); }
    void OnMacroImported(const std::wstring& name, int id) override
    {
        steps.push_back(L"macro " + std::to_wstring(id) + L" " + name);
    }
    std::vector<std::wstring> steps;
};

class ExchangeFilesTest : public DocumentStoreFixture
{
protected:
    void SetUp() override
    {
        DocumentStoreFixture::SetUp();
        m_profile = OpenStore(L"lit");
        ASSERT_GT(m_profile, 0);
        m_folder = m_xdg.Folder().Path() + "/exchange";
        std::filesystem::create_directories(m_folder);
    }
    std::string Out(const std::string& name) const { return m_folder + "/" + name; }

    // The profile state that profile-lit.xml holds.
    void FillProfile(int profile)
    {
        SettingsStore& store = SettingsStore::Instance();
        KeyAssignmentRecord key;
        key.profile = profile;
        key.key_code = 1;
        key.macro_type = 2;
        key.macro_value = 4;
        key.macro_value2 = 1;
        key.macro_desc = L"Ctrl + A";
        ASSERT_GT(store.SaveKeyAssignment(key), 0);
        key.key_code = 3;
        key.macro_type = 4;
        key.macro_value = 7;
        key.macro_value2 = 0;
        key.macro_value3 = 9;
        key.macro_desc = L"\"宏\" 'x' <&>";
        ASSERT_GT(store.SaveKeyAssignment(key), 0);

        store.CreateDefaultLightRecords(profile, LightEffectFlags{true, true});
        LightRecord light;
        ASSERT_TRUE(store.GetLightRecord(profile, 1, light));
        light.brightness = 3, light.speed = 1, light.direction = 1, light.colorful = 0, light.colorindex = 2;
        const int first[7] = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215};
        std::copy(first, first + 7, light.color_value);
        ASSERT_TRUE(store.UpdateLightRecord(1, light));
        ASSERT_TRUE(store.GetLightRecord(profile, 2, light));
        light.brightness = 0, light.speed = 4, light.direction = 0, light.colorful = 1, light.colorindex = 6;
        const int second[7] = {1, 2, 3, 4, 5, 6, 2147483647};
        std::copy(second, second + 7, light.color_value);
        ASSERT_TRUE(store.UpdateLightRecord(2, light));
        ASSERT_TRUE(store.SetActiveLightMode(profile, 2));

        const std::pair<const wchar_t*, const wchar_t*> settings[] = {
            {L"dpi_flag", L"6"},
            {L"dpi_index", L"1"},
            {L"dpi_count", L"4"},
            {L"dpi_group0_value", L"400"},
            {L"dpi_group1_value", L"800"},
            {L"dpi_group2_value", L"1600"},
            {L"dpi_group3_value", L"3200"},
            {L"dpi_group4_value", L"6400"},
            {L"dpi_group5_value", L"12800"},
            {L"dpi_group0_rgb", L"255"},
            {L"dpi_group1_rgb", L"65280"},
            {L"dpi_group2_rgb", L"16711680"},
            {L"dpi_group3_rgb", L"16711935"},
            {L"dpi_group4_rgb", L"65535"},
            {L"dpi_group5_rgb", L"16776960"},
            {L"button_respondtime", L"8"},
            {L"report_rate", L"1"},
            {L"sensor_flag", L"53"},
            {L"liftoff_height", L"2"},
            {L"scroll_flag", L"1"},
            {L"e-sports_flag", L"0"},
            {L"sleep_light", L"10"},
            {L"move_wakeup", L"1"},
            {L"move_closelight", L"0"},
        };
        for (const auto& [key, value] : settings)
            ASSERT_TRUE(store.SetSetting(profile, key, value));
    }

    int AddMacroWithEvents()
    {
        SettingsStore& store = SettingsStore::Instance();
        MacroRecord macro;
        macro.name = L"A&B <1> \"q\"";
        macro.play_type = 2, macro.play_times = 3, macro.delay_type = 2, macro.delay_time = 15;
        const int id = store.AddMacro(macro);
        const struct
        {
            const wchar_t* desc;
            int type, value, time;
        } events[] = {{L"↓  A & <", 2, 65, 100}, {L"10 ms", 1, 10, 100}, {L"↑  A", 3, 65, 112}};
        for (int i = 0; i < 3; ++i) {
            MacroEventRecord event;
            event.macro_id = id;
            event.record_index = i;
            event.desc = events[i].desc;
            event.type = events[i].type;
            event.value = events[i].value;
            event.delay_time = events[i].time;
            store.AddMacroEvent(event);
        }
        return id;
    }

    int m_profile = 0;
    std::string m_folder;
};

TEST_F(ExchangeFilesTest, ProfileExportMatchesTheFixtureByteForByte)
{
    FillProfile(m_profile);
    ASSERT_TRUE(ExportProfile(Out("p.xml"), m_profile, m_profile, L"Office & <Games> 配置", true));
    EXPECT_EQ(ReadFile(Out("p.xml")), ReadFile(Fixture("profile-lit.xml")));
}

TEST_F(ExchangeFilesTest, ProfileWithoutAssignmentsOrLighting)
{
    ASSERT_TRUE(ExportProfile(Out("plain.xml"), 2, 2, L"P", false));
    const std::string text = ReadFile(Out("plain.xml"));
    EXPECT_NE(text.find("<profileinfo name=\"P\">\r\n<keyitems/>\r\n<Mouse_DPI "), std::string::npos) << text;
    EXPECT_EQ(text.find("Lightitems"), std::string::npos);
}

TEST_F(ExchangeFilesTest, ProfileImportRoundTripsIntoAnotherProfile)
{
    SettingsStore& store = SettingsStore::Instance();
    store.CreateDefaultLightRecords(2, LightEffectFlags{true, true});
    const std::string path = Out("Office.xml");
    std::filesystem::copy_file(Fixture("profile-lit.xml"), path);
    ImportRecorder observer;
    ASSERT_TRUE(ImportProfile(path, 2, true, &observer));
    EXPECT_EQ(observer.steps, (std::vector<std::wstring>{L"renamed Office", L"task 5"}));
    std::wstring name;
    ASSERT_TRUE(store.GetProfileName(2, name));
    EXPECT_EQ(name, L"Office");

    ASSERT_TRUE(ExportProfile(Out("again.xml"), 2, 2, L"Office & <Games> 配置", true));
    EXPECT_EQ(ReadFile(Out("again.xml")), ReadFile(Fixture("profile-lit.xml")));
    EXPECT_EQ(ReadFile(path), ReadFile(Fixture("profile-lit.xml"))); // the source is only read
}

TEST_F(ExchangeFilesTest, ProfileImportRules)
{
    SettingsStore& store = SettingsStore::Instance();
    store.CreateDefaultLightRecords(m_profile, LightEffectFlags{true}); // mode 1 only
    KeyAssignmentRecord old;
    old.profile = m_profile, old.key_code = 5, old.macro_type = 1, old.macro_value = 1;
    ASSERT_GT(store.SaveKeyAssignment(old), 0);
    const std::string path = Out("x.xml");
    WriteFile(path, R"(<profile><profileinfo name="ignored">
<keyitems>
  <item key_code="0" macro_type="4" macro_value="7"/>
  <item key_code="1" macro_type="1" macro_value="0" macro_value2="0"/>
  <item key_code="2" macro_type="99999999999" macro_value="-99999999999" macro_desc="big"/>
</keyitems>
<Lightitems lightmode="9"><item light_mode="9" brightness="1"/><item light_mode="1" brightness="2" color_value1="77"/></Lightitems>
<Mouse_DPI dpi_index="3"><DPI2 value="900" color="12"/></Mouse_DPI>
<Mouse><sleep_light value="20"/><report_rate value="2"/><not_a_setting value="1"/></Mouse>
</profileinfo></profile>)");
    ASSERT_TRUE(ImportProfile(path, m_profile, true));

    std::wstring name;
    store.GetProfileName(m_profile, name);
    EXPECT_EQ(name, L"x");
    std::vector<KeyAssignmentRecord> keys;
    ASSERT_EQ(store.LoadKeyAssignments(m_profile, keys), 2); // the old one gone, the 0/0 item dropped
    EXPECT_EQ(keys[0].key_code, 0);
    EXPECT_EQ(keys[0].macro_type, 4);
    EXPECT_EQ(keys[0].macro_value, 7); // macro ids are taken as written
    EXPECT_EQ(keys[1].macro_type, INT_MAX);
    EXPECT_EQ(keys[1].macro_value, INT_MIN);

    EXPECT_EQ(store.GetActiveLightMode(m_profile), 0); // mode 9 is not a record of this profile
    LightRecord light;
    ASSERT_TRUE(store.GetLightRecord(m_profile, 1, light));
    EXPECT_EQ(light.brightness, 2);
    EXPECT_EQ(light.color_value[0], 77);
    EXPECT_EQ(light.color_value[1], 0); // missing attributes read as 0
    EXPECT_FALSE(store.GetLightRecord(m_profile, 9, light));

    EXPECT_EQ(Setting(m_profile, L"dpi_index"), L"3");
    EXPECT_EQ(Setting(m_profile, L"dpi_flag"), L""); // missing attribute: empty text
    EXPECT_EQ(Setting(m_profile, L"dpi_group1_value"), L"900");
    EXPECT_EQ(Setting(m_profile, L"dpi_group1_rgb"), L"12");
    EXPECT_EQ(Setting(m_profile, L"report_rate"), L"2");
    EXPECT_NE(Setting(m_profile, L"sleep_light"), L"20"); // the search for report_rate passed it
    EXPECT_EQ(Setting(m_profile, L"not_a_setting"), L"");
}

TEST_F(ExchangeFilesTest, ProfileImportWithoutLightingIgnoresLightitems)
{
    SettingsStore& store = SettingsStore::Instance();
    store.CreateDefaultLightRecords(m_profile, LightEffectFlags{true});
    LightRecord before;
    ASSERT_TRUE(store.GetLightRecord(m_profile, 1, before));
    const std::string path = Out("Games.xml");
    WriteFile(
        path,
        R"(<profile><profileinfo><Lightitems lightmode="1"><item light_mode="1" brightness="0"/></Lightitems>
<Mouse_DPI dpi_count="2"/></profileinfo></profile>)");
    ASSERT_TRUE(ImportProfile(path, m_profile, false));
    LightRecord after;
    ASSERT_TRUE(store.GetLightRecord(m_profile, 1, after));
    EXPECT_EQ(after.brightness, before.brightness);
    EXPECT_EQ(Setting(m_profile, L"dpi_count"), L"2");
}

TEST_F(ExchangeFilesTest, ProfileFileWithoutProfileinfoOnlyRenames)
{
    FillProfile(m_profile);
    WriteFile(Out("Bare.xml"), "<profile><keyitems/></profile>");
    ImportRecorder observer;
    ASSERT_TRUE(ImportProfile(Out("Bare.xml"), m_profile, true, &observer));
    EXPECT_EQ(observer.steps, std::vector<std::wstring>{L"renamed Bare"}); // nothing to send to the mouse
    std::vector<KeyAssignmentRecord> keys;
    EXPECT_EQ(SettingsStore::Instance().LoadKeyAssignments(m_profile, keys), 2);
}

TEST_F(ExchangeFilesTest, ProfileNamesFromFileNames)
{
    EXPECT_EQ(ProfileNameFromFile("/a/b/Office.xml"), L"Office");
    EXPECT_EQ(ProfileNameFromFile("/a/b/a.xml"), L"a");
    EXPECT_EQ(ProfileNameFromFile("/a/b/.xml"), L"");
    EXPECT_EQ(ProfileNameFromFile("/a/b/x.x"), L"");
    EXPECT_EQ(ProfileNameFromFile("配置文件.xml"), L"配置文件");
}

TEST_F(ExchangeFilesTest, UnreadableFilesChangeNothing)
{
    SettingsStore& store = SettingsStore::Instance();
    FillProfile(m_profile);
    ExportProfile(Out("before.xml"), m_profile, m_profile, L"same", true);
    std::wstring nameBefore;
    store.GetProfileName(m_profile, nameBefore);
    const int macrosBefore = [&] {
        std::vector<MacroRecord> list;
        return store.LoadMacros(list);
    }();

    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.xml", ""},
        {"truncated.xml", ReadFile(Fixture("profile-lit.xml")).substr(0, 300)},
        {"wrong-root.xml", "<config><profileinfo/></config>"},
        {"binary.xml", std::string("\x00\x01\x02\xFF", 4)},
        {"deep.xml", std::string(100000, '<')},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(Out(name), bytes);
        TraceRecorder trace;
        ImportRecorder observer;
        EXPECT_FALSE(ImportProfile(Out(name), m_profile, true, &observer));
        EXPECT_EQ(ImportMacro(Out(name), &observer), 0);
        std::vector<int> ids;
        EXPECT_FALSE(ImportAllMacros(Out(name), ids, &observer));
        EXPECT_TRUE(ids.empty());
        EXPECT_TRUE(observer.steps.empty());
        EXPECT_GE(trace.Lines().size(), 3u);
        EXPECT_EQ(ReadFile(Out(name)), bytes);
    }
    EXPECT_FALSE(ImportProfile(Out("missing.xml"), m_profile, true));
    EXPECT_FALSE(std::filesystem::exists(Out("missing.xml")));

    std::wstring nameAfter;
    store.GetProfileName(m_profile, nameAfter);
    EXPECT_EQ(nameAfter, nameBefore);
    ExportProfile(Out("after.xml"), m_profile, m_profile, L"same", true);
    EXPECT_EQ(ReadFile(Out("after.xml")), ReadFile(Out("before.xml")));
    std::vector<MacroRecord> list;
    EXPECT_EQ(store.LoadMacros(list), macrosBefore);
}

TEST_F(ExchangeFilesTest, MacroFilesMatchTheFixturesAndRoundTrip)
{
    SettingsStore& store = SettingsStore::Instance();
    const int id = AddMacroWithEvents();
    MacroRecord empty;
    empty.name = L"Пусто ไทย";
    empty.play_type = 0, empty.play_times = 1, empty.delay_type = 1, empty.delay_time = 0;
    ASSERT_GT(store.AddMacro(empty), 0);

    ASSERT_TRUE(ExportMacro(Out("one.xml"), id));
    EXPECT_EQ(ReadFile(Out("one.xml")), ReadFile(Fixture("macro-single.xml")));
    ASSERT_TRUE(ExportAllMacros(Out("all.xml")));
    EXPECT_EQ(ReadFile(Out("all.xml")), ReadFile(Fixture("macros-all.xml")));

    // Importing adds new macros even under names that exist; exporting them again gives the same files.
    ImportRecorder observer;
    const int copy = ImportMacro(Fixture("macro-single.xml"), &observer);
    ASSERT_GT(copy, 0);
    EXPECT_NE(copy, id);
    ASSERT_TRUE(ExportMacro(Out("copy.xml"), copy));
    EXPECT_EQ(ReadFile(Out("copy.xml")), ReadFile(Fixture("macro-single.xml")));

    std::vector<int> ids;
    ASSERT_TRUE(ImportAllMacros(Fixture("macros-all.xml"), ids, &observer));
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(observer.steps,
              (std::vector<std::wstring>{L"macro " + std::to_wstring(copy) + L" A&B <1> \"q\"",
                                         L"macro " + std::to_wstring(ids[0]) + L" A&B <1> \"q\"",
                                         L"macro " + std::to_wstring(ids[1]) + L" Пусто ไทย"}));
    std::vector<MacroEventRecord> events;
    EXPECT_EQ(store.LoadMacroEvents(ids[0], events), 3);
    EXPECT_EQ(events[0].desc, L"↓  A & <");
    EXPECT_EQ(store.LoadMacroEvents(ids[1], events), 0);

    // Deleting the originals leaves exactly the imported copies: the all-macros file comes back.
    store.DeleteMacro(id);
    store.DeleteMacro(id + 1);
    store.DeleteMacro(copy);
    ASSERT_TRUE(ExportAllMacros(Out("all-again.xml")));
    EXPECT_EQ(ReadFile(Out("all-again.xml")), ReadFile(Fixture("macros-all.xml")));
}

TEST_F(ExchangeFilesTest, MacroExportOfAMissingMacroWritesNothing)
{
    EXPECT_FALSE(ExportMacro(Out("none.xml"), 4242));
    EXPECT_FALSE(std::filesystem::exists(Out("none.xml")));
}

TEST_F(ExchangeFilesTest, MacroImportOfAPartialFile)
{
    WriteFile(Out("partial.xml"),
              R"(<macro><macroitems><item index="1" type="1" value="5"/></macroitems></macro>)");
    const int id = ImportMacro(Out("partial.xml"));
    ASSERT_GT(id, 0); // no macroinfo: a macro with an empty name and zero fields
    MacroRecord macro;
    ASSERT_TRUE(SettingsStore::Instance().GetMacro(id, macro));
    EXPECT_EQ(macro.name, L"");
    EXPECT_EQ(macro.play_times, 0);
    std::vector<MacroEventRecord> events;
    ASSERT_EQ(SettingsStore::Instance().LoadMacroEvents(id, events), 1);
    EXPECT_EQ(events[0].value, 5);
}

} // namespace

// Profiles, settings keys, their defaults and the start-up routine.
#include "StoreFixture.h"

TEST_F(StoreTest, EnsureProfilesCreatesFourDefaultProfilesOnce)
{
    ASSERT_TRUE(Open());
    // The profiles and all their keys are committed at once, before the model's defaults.
    int commits = 0, commitsBeforeDefaults = -1;
    sqlite3_commit_hook(
        m_store.Connection().Handle(),
        [](void* count) {
            ++*static_cast<int*>(count);
            return 0;
        },
        &commits);
    std::vector<int> applied;
    EXPECT_EQ(m_store.EnsureProfiles([&](int profile) {
        if (applied.empty()) commitsBeforeDefaults = commits;
        applied.push_back(profile);
        m_store.SetSetting(profile, L"dpi_group0_value", L"400");
    }),
              1);
    sqlite3_commit_hook(m_store.Connection().Handle(), nullptr, nullptr);
    EXPECT_EQ(applied, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(commitsBeforeDefaults, 1);

    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(m_store.LoadProfiles(profiles), 4);
    for (int n = 1; n <= 4; ++n) {
        const ProfileRecord& p = profiles[n - 1];
        EXPECT_EQ(p.profile, n);
        // The default name is language text 61 followed by the number.
        EXPECT_EQ(p.name.substr(p.name.size() - 2), L" " + std::to_wstring(n));
        EXPECT_EQ(p.status, n == 1 ? 1 : 0);
        EXPECT_EQ(p.type, 0);
        EXPECT_TRUE(p.app.empty());
        EXPECT_EQ(m_store.GetSettingInt(n, L"dpi_group0_value"), 400);
        for (const DefaultSetting& setting : SettingsStore::DefaultSettings()) {
            std::wstring value;
            bool found = m_store.GetSetting(n, setting.key, value);
            EXPECT_EQ(found, setting.newValue != nullptr) << setting.key;
            if (found && std::wstring(setting.key) != L"dpi_group0_value") {
                EXPECT_EQ(value, setting.newValue);
            }
        }
    }

    // One row per key: a second run creates nothing.
    EXPECT_EQ(m_store.EnsureProfiles([&](int profile) { applied.push_back(profile); }), 1);
    EXPECT_EQ(applied.size(), 4u);
    EXPECT_EQ(m_store.LoadProfiles(profiles), 4);
    SQLiteDB db;
    ASSERT_TRUE(db.OpenFile(DbFile(), SQLITE_OPEN_READONLY));
    SQLiteStatement st;
    db.Prepare(st, "SELECT count(*), count(DISTINCT profile || key) FROM t_configdata");
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    int newKeys = 0;
    for (const DefaultSetting& setting : SettingsStore::DefaultSettings())
        newKeys += setting.newValue ? 1 : 0;
    EXPECT_EQ(newKeys, 40);
    EXPECT_EQ(st.ColumnInt(0), 4 * newKeys);
    EXPECT_EQ(st.ColumnInt(1), 4 * newKeys);
}

TEST_F(StoreTest, ActiveProfileSwitchAndRepair)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(m_store.EnsureProfiles(), 1);
    EXPECT_TRUE(m_store.SetActiveProfile(3));
    EXPECT_EQ(m_store.GetActiveProfile(), 3);
    EXPECT_EQ(m_store.EnsureProfiles(), 3);

    // An id without a row leaves no profile active; the start-up routine repairs that.
    EXPECT_TRUE(m_store.SetActiveProfile(42));
    EXPECT_EQ(m_store.GetActiveProfile(), 0);
    EXPECT_EQ(m_store.EnsureProfiles(), 1);
}

TEST_F(StoreTest, SettingsReadWriteAndMissingKeys)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(m_store.EnsureProfiles(), 1);
    std::wstring value = L"stale";
    EXPECT_TRUE(m_store.GetSetting(2, L"report_rate", value));
    EXPECT_EQ(value, L"2");
    EXPECT_TRUE(m_store.SetSetting(2, L"report_rate", L"16"));
    EXPECT_EQ(m_store.GetSettingInt(2, L"report_rate"), 16);
    EXPECT_EQ(m_store.GetSettingInt(1, L"report_rate"), 2); // other profiles untouched

    // A missing key is not created by a write and reads as empty / 0.
    EXPECT_TRUE(m_store.SetSetting(2, L"no_such_key", L"5"));
    EXPECT_FALSE(m_store.GetSetting(2, L"no_such_key", value));
    EXPECT_TRUE(value.empty());
    EXPECT_EQ(m_store.GetSettingInt(2, L"no_such_key"), 0);
}

TEST_F(StoreTest, SettingValueToInt)
{
    struct Case
    {
        const wchar_t* text;
        int value;
    } cases[] = {{L"", 0},
                 {L"abc", 0},
                 {L"42", 42},
                 {L"16x", 16},
                 {L"-7", -7},
                 {L"+3", 3},
                 {L" 5", 0},
                 {L"2147483647", 2147483647},
                 {L"99999999999", 2147483647},
                 {L"-99999999999", -2147483647 - 1},
                 {L"1.0.1", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(SettingsStore::SettingValueToInt(c.text), c.value) << c.text;
}

TEST_F(StoreTest, ResetWritesResetValuesOverExistingKeysOnly)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(m_store.EnsureProfiles(), 1);
    for (const wchar_t* key : {L"sensor_flag", L"liftoff_height", L"report_rate_wireless", L"dpi_group6_rgb",
                               L"dpi_group3_value", L"version"})
        m_store.SetSetting(2, key, L"77");
    m_store.ResetSettingsToDefaults(2);

    std::wstring value;
    struct Expect
    {
        const wchar_t* key;
        const wchar_t* value; // null: no row
    } expected[] = {
        {L"sensor_flag", L"0"},         {L"liftoff_height", L"2"},      {L"report_rate_wireless", L"77"},
        {L"dpi_group6_rgb", L"77"},     {L"dpi_group3_value", L"3200"}, {L"version", L"77"},
        {L"dpi_group8_value", nullptr}, {L"dpi_group9_value", nullptr},
    };
    for (const Expect& e : expected) {
        bool found = m_store.GetSetting(2, e.key, value);
        EXPECT_EQ(found, e.value != nullptr) << e.key;
        if (e.value) {
            EXPECT_EQ(value, e.value) << e.key;
        }
    }
    EXPECT_EQ(m_store.GetSettingInt(1, L"sensor_flag"), 53); // only the named profile
}

TEST_F(StoreTest, ProfileNamesInEveryScriptRoundTrip)
{
    ASSERT_TRUE(Open());
    const std::wstring names[] = {L"游戏配置 一", L"โปรไฟล์เกม", L"Профиль «игра»", L"O'Brien \"quoted\" <&>",
                                  L"emoji \U0001F3AE"};
    for (const std::wstring& name : names) {
        ProfileRecord record;
        record.name = name;
        record.app = L"приложение";
        int id = m_store.AddProfile(record);
        ASSERT_GT(id, 0);
        std::wstring back;
        EXPECT_TRUE(m_store.GetProfileName(id, back));
        EXPECT_EQ(back, name);
        EXPECT_TRUE(m_store.RenameProfile(id, name + L" 2"));
        EXPECT_TRUE(m_store.GetProfileName(id, back));
        EXPECT_EQ(back, name + L" 2");
    }
    // Stored as UTF-8 in the file.
    SQLiteDB db;
    ASSERT_TRUE(db.OpenFile(DbFile(), SQLITE_OPEN_READONLY));
    SQLiteStatement st;
    db.Prepare(st, "SELECT name, length(CAST(name AS BLOB)) FROM t_profile_data WHERE profile = 1");
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    EXPECT_STREQ(st.ColumnText(0), "游戏配置 一 2");
    EXPECT_EQ(st.ColumnInt(1), 18);

    std::vector<ProfileRecord> list(3);
    list[0].name = L"stale";
    EXPECT_EQ(m_store.LoadProfiles(list), 5);
    EXPECT_EQ(list[1].app, L"приложение");
    EXPECT_FALSE(m_store.GetProfileName(99, list[0].name));
    EXPECT_TRUE(list[0].name.empty());
}

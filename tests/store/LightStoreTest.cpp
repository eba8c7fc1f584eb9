// Lighting records and the default records of a profile.
#include "StoreFixture.h"

namespace {

LightEffectFlags Flags(std::initializer_list<int> lightNumbers)
{
    LightEffectFlags flags{};
    for (int n : lightNumbers)
        flags[n - 1] = true;
    return flags;
}

} // namespace

TEST_F(StoreTest, DefaultLightRecordsFollowTheOfferedEffects)
{
    ASSERT_TRUE(Open());
    m_store.CreateDefaultLightRecords(1, Flags({1, 3, 8}));
    std::vector<LightRecord> lights;
    ASSERT_EQ(m_store.LoadLightRecords(1, lights), 3);
    struct Expect
    {
        int mode;
        const wchar_t* name;
        int configFunc, textId, color1, status;
    } expected[] = {
        {1, L"流光", 3, 280, 255, 1},
        {3, L"常亮", 17, 282, 16711920, 0},
        // The pink of the one-colour effect carries over to the effects after it.
        {0, L"关闭", 0, 287, 16711920, 0},
    };
    for (size_t i = 0; i < 3; ++i) {
        const LightRecord& r = lights[i];
        EXPECT_EQ(r.profile, 1);
        EXPECT_EQ(r.mode, expected[i].mode);
        EXPECT_EQ(r.name, expected[i].name);
        EXPECT_EQ(r.config_func, expected[i].configFunc);
        EXPECT_EQ(r.reserved, expected[i].textId);
        EXPECT_EQ(r.color_value[0], expected[i].color1);
        EXPECT_EQ(r.status, expected[i].status);
        EXPECT_EQ(r.brightness, 4);
        EXPECT_EQ(r.speed, 2);
        EXPECT_EQ(r.direction, 0);
        EXPECT_EQ(r.colorful, 1);
        EXPECT_EQ(r.colorindex, 0);
        const int rest[6] = {65280, 16711680, 16776960, 65535, 16711935, 16777215};
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(r.color_value[c + 1], rest[c]);
    }
    EXPECT_EQ(m_store.GetActiveLightMode(1), 1);

    // Records exist: nothing is added again.
    m_store.CreateDefaultLightRecords(1, Flags({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(m_store.CountLightRecords(1), 3);

    // Only effect 2: mode 1 is made active although there is no such record.
    m_store.CreateDefaultLightRecords(2, Flags({2}));
    EXPECT_EQ(m_store.CountLightRecords(2), 1);
    EXPECT_EQ(m_store.GetActiveLightMode(2), 0);
    // No effects: no records, the next load tries again.
    m_store.CreateDefaultLightRecords(3, Flags({}));
    EXPECT_EQ(m_store.CountLightRecords(3), 0);
    EXPECT_EQ(m_store.GetActiveLightMode(3), 0);
}

TEST_F(StoreTest, LightRecordUpdateAndActiveMode)
{
    ASSERT_TRUE(Open());
    m_store.CreateDefaultLightRecords(1, Flags({1, 2, 3, 4, 5, 6, 7, 8}));
    m_store.CreateDefaultLightRecords(2, Flags({1, 2}));
    EXPECT_EQ(m_store.CountLightRecords(1), 8);

    LightRecord record;
    ASSERT_TRUE(m_store.GetLightRecord(1, 9, record));
    EXPECT_EQ(record.name, L"七彩波浪");
    record.brightness = 1;
    record.speed = 4;
    record.direction = 1;
    record.colorful = 0;
    record.colorindex = 3;
    for (int c = 0; c < 7; ++c)
        record.color_value[c] = c + 100;
    record.config_func = 99;
    record.reserved = 500;
    record.name = L"ignored";
    record.status = 1;
    EXPECT_TRUE(m_store.UpdateLightRecord(9, record));
    LightRecord back;
    ASSERT_TRUE(m_store.GetLightRecord(1, 9, back));
    EXPECT_EQ(back.light_id, record.light_id);
    EXPECT_EQ(back.brightness, 1);
    EXPECT_EQ(back.speed, 4);
    EXPECT_EQ(back.direction, 1);
    EXPECT_EQ(back.colorful, 0);
    EXPECT_EQ(back.colorindex, 3);
    EXPECT_EQ(back.color_value[6], 106);
    EXPECT_EQ(back.config_func, 99);
    EXPECT_EQ(back.reserved, 500);
    EXPECT_EQ(back.name, L"七彩波浪"); // name, mode and status stay
    EXPECT_EQ(back.status, 0);

    // A mode without a record: nothing changes, still no failure.
    EXPECT_TRUE(m_store.UpdateLightRecord(7, record));
    EXPECT_FALSE(m_store.GetLightRecord(1, 7, back));
    // Profile 2's records are untouched by profile 1's update.
    ASSERT_TRUE(m_store.GetLightRecord(2, 1, back));
    EXPECT_EQ(back.brightness, 4);

    EXPECT_TRUE(m_store.SetActiveLightMode(1, 9));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 9);
    EXPECT_EQ(m_store.GetActiveLightMode(2), 1);
    std::vector<LightRecord> list;
    m_store.LoadLightRecords(1, list);
    int active = 0;
    for (const LightRecord& r : list)
        active += r.status;
    EXPECT_EQ(active, 1);

    m_store.DeleteLightRecords(1);
    EXPECT_EQ(m_store.CountLightRecords(1), 0);
    EXPECT_EQ(m_store.GetActiveLightMode(1), 0);
    EXPECT_EQ(m_store.CountLightRecords(2), 2);
}

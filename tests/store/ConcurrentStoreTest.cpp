// The user-interface thread and the device worker use the store at once.
#include "StoreFixture.h"

#include <thread>

TEST_F(StoreTest, TwoThreadsWriteAndReadWhileTheDatabaseIsSwitched)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(m_store.EnsureProfiles(), 1);

    // The "worker" writes settings and saves macro events; the "window" reads, assigns keys
    // and switches the database back and forth like a model selection does.
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            m_store.SetSettingInt(1, L"dpi_index", i % 6);
            m_store.GetSettingInt(1, L"dpi_group0_value");
            if (i % 50 == 0) {
                std::vector<MacroEventRecord> events(20);
                for (int e = 0; e < 20; ++e)
                    events[e].record_index = e;
                m_store.SaveMacroEvents(events);
            }
        }
    });
    std::thread window([&] {
        for (int i = 0; i < 100; ++i) {
            KeyAssignmentRecord key;
            key.profile = 1;
            key.key_code = i % 5;
            key.macro_type = 9;
            key.macro_value = 1;
            m_store.SaveKeyAssignment(key);
            std::vector<KeyAssignmentRecord> keys;
            m_store.LoadKeyAssignments(1, keys);
            if (i % 25 == 0) {
                m_store.CloseDatabase();
                m_store.OpenDeviceDatabase(m_settings, L"m1");
            }
        }
    });
    // Two threads creating the lighting defaults of one profile at once still create one set.
    std::thread lights([&] { m_store.CreateDefaultLightRecords(2, LightEffectFlags{true, true, true}); });
    m_store.CreateDefaultLightRecords(2, LightEffectFlags{true, true, true});
    worker.join();
    window.join();
    lights.join();

    if (!m_store.IsDatabaseOpen()) {
        ASSERT_TRUE(Open());
    }
    std::vector<KeyAssignmentRecord> keys;
    EXPECT_EQ(m_store.LoadKeyAssignments(1, keys), 5);
    EXPECT_EQ(m_store.CountLightRecords(2), 3);
    std::wstring value;
    EXPECT_TRUE(m_store.GetSetting(1, L"dpi_index", value));
}

// Key assignments, macros and macro events.
#include "StoreFixture.h"

namespace {

KeyAssignmentRecord Assignment(int profile, int keyCode, int type, int value, int value2 = 0,
                               const std::wstring& desc = L"")
{
    KeyAssignmentRecord record;
    record.profile = profile;
    record.key_code = keyCode;
    record.macro_type = type;
    record.macro_value = value;
    record.macro_value2 = value2;
    record.macro_value3 = 9;
    record.layout_desc = L"12";
    record.macro_desc = desc;
    return record;
}

} // namespace

TEST_F(StoreTest, KeyAssignmentsKeepOneRowPerButton)
{
    ASSERT_TRUE(Open());
    struct Case
    {
        KeyAssignmentRecord record;
        bool stored;
    } cases[] = {
        {Assignment(1, 2, 9, 1), true},             // disabled
        {Assignment(1, 3, 2, 0, 1, L"Ctrl"), true}, // modifier alone
        {Assignment(1, 4, 2, 4, 3, L"Ctrl+Shift+A"), true},
        {Assignment(1, 5, 1, 0), false}, // factory function: no row
    };
    for (const Case& c : cases) {
        int id = m_store.SaveKeyAssignment(c.record);
        EXPECT_EQ(id > 0, c.stored) << c.record.key_code;
        KeyAssignmentRecord back;
        ASSERT_EQ(m_store.GetKeyAssignment(1, c.record.key_code, back), c.stored);
        if (!c.stored) continue;
        EXPECT_EQ(back.key_id, id);
        EXPECT_EQ(back.profile, 1);
        EXPECT_EQ(back.fn_layer, 0);
        EXPECT_EQ(back.macro_type, c.record.macro_type);
        EXPECT_EQ(back.macro_value, c.record.macro_value);
        EXPECT_EQ(back.macro_value2, c.record.macro_value2);
        EXPECT_EQ(back.macro_value3, 9);
        EXPECT_EQ(back.layout_desc, L"12");
        EXPECT_EQ(back.macro_desc, c.record.macro_desc);
    }

    // A second save replaces the row with a new id; a factory save removes it.
    KeyAssignmentRecord first;
    ASSERT_TRUE(m_store.GetKeyAssignment(1, 4, first));
    int second = m_store.SaveKeyAssignment(Assignment(1, 4, 3, 0xE9, 0, L"Volume up"));
    EXPECT_GT(second, first.key_id);
    std::vector<KeyAssignmentRecord> list;
    ASSERT_EQ(m_store.LoadKeyAssignments(1, list), 3);
    EXPECT_EQ(list[2].key_code, 4); // row id order
    EXPECT_EQ(list[2].macro_desc, L"Volume up");
    EXPECT_EQ(m_store.SaveKeyAssignment(Assignment(1, 4, 1, 0)), 0);
    EXPECT_EQ(m_store.LoadKeyAssignments(1, list), 2);

    EXPECT_TRUE(m_store.SetKeyMacroDesc(1, 2, L"Отключено"));
    KeyAssignmentRecord renamed;
    ASSERT_TRUE(m_store.GetKeyAssignment(1, 2, renamed));
    EXPECT_EQ(renamed.macro_desc, L"Отключено");

    m_store.SaveKeyAssignment(Assignment(2, 2, 9, 1));
    EXPECT_TRUE(m_store.DeleteKeyAssignments(1));
    EXPECT_EQ(m_store.LoadKeyAssignments(1, list), 0);
    EXPECT_EQ(m_store.LoadKeyAssignments(2, list), 1);
}

TEST_F(StoreTest, MacroHeaders)
{
    ASSERT_TRUE(Open());
    int a = m_store.AddMacro(L"连招 <1>");
    ASSERT_GT(a, 0);
    MacroRecord macro;
    ASSERT_TRUE(m_store.GetMacro(a, macro));
    EXPECT_EQ(macro.macro_id, a);
    EXPECT_EQ(macro.name, L"连招 <1>");
    EXPECT_EQ(macro.play_type, 0);
    EXPECT_EQ(macro.play_times, 1);
    EXPECT_EQ(macro.delay_type, 1);
    EXPECT_EQ(macro.delay_time, 0);

    MacroRecord custom;
    custom.name = L"ครั้งเดียว";
    custom.play_type = 2;
    custom.play_times = 5;
    custom.delay_type = 3;
    custom.delay_time = 40;
    int b = m_store.AddMacro(custom);
    ASSERT_GT(b, a);
    EXPECT_TRUE(m_store.RenameMacro(a, L"Макрос"));
    custom.name = L"updated";
    custom.play_times = 9;
    EXPECT_TRUE(m_store.UpdateMacro(a, custom));

    std::vector<MacroRecord> list(2);
    ASSERT_EQ(m_store.LoadMacros(list), 2);
    EXPECT_EQ(list[0].macro_id, a);
    EXPECT_EQ(list[0].name, L"updated");
    EXPECT_EQ(list[0].play_times, 9);
    EXPECT_EQ(list[1].name, L"ครั้งเดียว");
    EXPECT_EQ(list[1].delay_time, 40);
    EXPECT_FALSE(m_store.GetMacro(999, macro));
}

TEST_F(StoreTest, MacroEventsLoadInIndexOrderAndDeleteWithTheMacro)
{
    ASSERT_TRUE(Open());
    int macro = m_store.AddMacro(L"m");
    int other = m_store.AddMacro(L"other");
    std::vector<MacroEventRecord> events;
    for (int index : {2, 0, 3, 1}) {
        MacroEventRecord e;
        e.macro_id = macro;
        e.type = index % 2 ? MacroEventKeyUp : MacroEventKeyDown;
        e.record_index = index;
        e.desc = L"A & \"B\" " + std::to_wstring(index);
        e.value = 65 + index;
        e.delay_time = 1000 + index;
        events.push_back(e);
    }
    m_store.SaveMacroEvents(events);
    MacroEventRecord single;
    single.macro_id = other;
    single.type = MacroEventDelay;
    single.value = 50;
    EXPECT_GT(m_store.AddMacroEvent(single), 0);

    std::vector<MacroEventRecord> back(1);
    ASSERT_EQ(m_store.LoadMacroEvents(macro, back), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(back[i].record_index, i);
        EXPECT_EQ(back[i].macro_id, macro);
        EXPECT_EQ(back[i].value, 65 + i);
        EXPECT_EQ(back[i].delay_time, 1000 + i);
        EXPECT_EQ(back[i].desc, L"A & \"B\" " + std::to_wstring(i));
        EXPECT_EQ(back[i].type, i % 2 ? MacroEventKeyUp : MacroEventKeyDown);
    }

    EXPECT_TRUE(m_store.DeleteMacroEvents(macro));
    EXPECT_EQ(m_store.LoadMacroEvents(macro, back), 0);
    m_store.SaveMacroEvents(events);
    EXPECT_TRUE(m_store.DeleteMacro(macro));
    EXPECT_EQ(m_store.LoadMacroEvents(macro, back), 0);
    EXPECT_EQ(m_store.LoadMacroEvents(other, back), 1);
    EXPECT_TRUE(m_store.DeleteMacro(12345)); // nothing to delete is no failure
}

TEST_F(StoreTest, MacroEventsAreWrittenInOneTransaction)
{
    ASSERT_TRUE(Open());
    int macro = m_store.AddMacro(L"long");
    std::vector<MacroEventRecord> events(500);
    for (int i = 0; i < 500; ++i) {
        events[i].macro_id = macro;
        events[i].type = MacroEventDelay;
        events[i].record_index = i;
        events[i].value = i;
    }
    struct Seen
    {
        int begin = 0, end = 0, inserts = 0, commits = 0;
    } seen;
    sqlite3* handle = m_store.Connection().Handle();
    sqlite3_trace_v2(
        handle, SQLITE_TRACE_STMT,
        [](unsigned, void* context, void*, void* text) {
            Seen& s = *static_cast<Seen*>(context);
            std::string sql = static_cast<const char*>(text);
            s.begin += sql.rfind("BEGIN", 0) == 0;
            s.end += sql.rfind("END", 0) == 0;
            s.inserts += sql.rfind("INSERT", 0) == 0;
            return 0;
        },
        &seen);
    sqlite3_commit_hook(
        handle,
        [](void* context) {
            ++static_cast<Seen*>(context)->commits;
            return 0;
        },
        &seen);
    m_store.SaveMacroEvents(events);
    sqlite3_trace_v2(handle, 0, nullptr, nullptr);
    sqlite3_commit_hook(handle, nullptr, nullptr);
    EXPECT_EQ(seen.begin, 1);
    EXPECT_EQ(seen.end, 1);
    EXPECT_EQ(seen.inserts, 500);
    EXPECT_EQ(seen.commits, 1);
    std::vector<MacroEventRecord> back;
    EXPECT_EQ(m_store.LoadMacroEvents(macro, back), 500);
}

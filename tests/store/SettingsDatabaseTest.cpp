// Opening, creating, switching and deleting a model's database file.
#include "StoreFixture.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

struct SchemaCount
{
    int tables = -1;
    int indexes = -1;
};

SchemaCount ReadSchema(const std::string& file)
{
    SQLiteDB db;
    SchemaCount count;
    if (!db.OpenFile(file, SQLITE_OPEN_READONLY)) return count;
    SQLiteStatement st;
    db.Prepare(st,
               "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name LIKE 't\\_%' ESCAPE '\\'");
    if (st.Step() == SQLITE_ROW) count.tables = st.ColumnInt(0);
    db.Prepare(st, "SELECT count(*) FROM sqlite_master WHERE type = 'index'");
    if (st.Step() == SQLITE_ROW) count.indexes = st.ColumnInt(0);
    return count;
}

// The file's tables and indexes in the order they were created, each as
// "name(column TYPE, ...)" for a table (the key column marked "KEY") and "name ON table(column)"
// for an index.
std::vector<std::string> DescribeSchema(const std::string& file)
{
    SQLiteDB db;
    std::vector<std::string> described;
    if (!db.OpenFile(file, SQLITE_OPEN_READONLY)) return described;
    SQLiteStatement st;
    db.Prepare(st, "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite%' "
                   "ORDER BY rowid");
    std::vector<std::array<std::string, 4>> rows;
    while (st.Step() == SQLITE_ROW)
        rows.push_back({st.ColumnText(0), st.ColumnText(1), st.ColumnText(2), st.ColumnText(3)});
    for (const auto& [type, name, table, sql] : rows) {
        std::string text = type == "index" ? name + " ON " + table + "(" : name + "(";
        SQLiteStatement columns;
        const std::string pragma =
            (type == "index" ? "PRAGMA index_info(" : "PRAGMA table_info(") + name + ")";
        db.Prepare(columns, pragma.c_str());
        for (int i = 0; columns.Step() == SQLITE_ROW; ++i) {
            text += (i ? ", " : "") + std::string(columns.ColumnText(type == "index" ? 2 : 1));
            if (type == "table") text += std::string(" ") + columns.ColumnText(2);
            if (type == "table" && columns.ColumnInt(5)) text += " KEY";
        }
        text += ")";
        if (type == "table" && sql.find("AUTOINCREMENT") == std::string::npos)
            text += " without AUTOINCREMENT";
        described.push_back(text);
    }
    return described;
}

std::string ReadBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(StoreTest, NewFileReceivesTheSchemaAndReopensWithoutIt)
{
    EXPECT_EQ(DbFile(), m_settings + "db/m1_data.db");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(m_store.IsDatabaseOpen());
    EXPECT_EQ(m_store.DatabaseFile(), DbFile());
    SchemaCount schema = ReadSchema(DbFile());
    EXPECT_EQ(schema.tables, 8);
    EXPECT_EQ(schema.indexes, 7);
    const std::vector<std::string> expected = {
        "t_configdata(config_id INTEGER KEY, profile INTEGER, key TEXT, value TEXT)",
        "t_profile_data(profile INTEGER KEY, name TEXT, status INTEGER, app TEXT, type INTEGER)",
        "profileindex ON t_profile_data(profile)",
        "t_key_macro_data(key_id INTEGER KEY, profile INTEGER, fn_layer INTEGER, key_code INTEGER, "
        "layout_value INTEGER, layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, "
        "macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)",
        "keyindex ON t_key_macro_data(key_id)",
        "t_key_otherdata(macro_value INTEGER KEY, macro_desc TEXT, param TEXT, type INTEGER)",
        "otheridindex ON t_key_otherdata(macro_value)",
        "t_macro_data(macro_id INTEGER KEY, name TEXT, play_type INTEGER, play_times INTEGER, "
        "delay_type INTEGER, delay_time INTEGER)",
        "macroidindex ON t_macro_data(macro_id)",
        "t_macrorecord(record_id INTEGER KEY, macro_id INTEGER, type INTEGER, record_index INTEGER, "
        "desc TEXT, value INTEGER, delay_time INTEGER)",
        "macrorecordindex ON t_macrorecord(record_id)",
        "t_light_data(light_id INTEGER KEY, profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, "
        "speed INTEGER, direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value1 INTEGER, "
        "color_value2 INTEGER, color_value3 INTEGER, color_value4 INTEGER, color_value5 INTEGER, "
        "color_value6 INTEGER, color_value7 INTEGER, config_func INTEGER, reserved INTEGER, status INTEGER)",
        "lightindex ON t_light_data(light_id)",
        "t_key_light_data(keylight_id INTEGER KEY, profile INTEGER, light_id INTEGER, key_code INTEGER, "
        "key_rgb INTEGER)",
        "keylightindex ON t_key_light_data(keylight_id)",
    };
    EXPECT_EQ(DescribeSchema(DbFile()), expected);
    {
        // Writes do not wait for the disk.
        SQLiteStatement st;
        m_store.Connection().Prepare(st, "PRAGMA synchronous");
        ASSERT_EQ(st.Step(), SQLITE_ROW);
        EXPECT_EQ(st.ColumnInt(0), 0);
    }

    EXPECT_EQ(m_store.AddMacro(L"kept"), 1);
    m_store.CloseDatabase();
    EXPECT_FALSE(m_store.IsDatabaseOpen());
    ASSERT_TRUE(Open());
    MacroRecord macro;
    EXPECT_TRUE(m_store.GetMacro(1, macro));
    EXPECT_EQ(macro.name, L"kept");
    EXPECT_TRUE(Trace().empty());
}

TEST_F(StoreTest, OpeningWhileOpenKeepsTheCurrentFile)
{
    ASSERT_TRUE(Open(L"m1"));
    EXPECT_TRUE(Open(L"m2"));
    EXPECT_FALSE(std::filesystem::exists(DbFile(L"m2")));
    EXPECT_EQ(m_store.DatabaseFile(), DbFile(L"m1"));
    EXPECT_GT(m_store.AddMacro(L"in m1"), 0);
    // The file in use is still known as such and not deleted under the connection.
    m_store.DeleteDeviceDatabase(m_settings, L"m1");
    EXPECT_TRUE(std::filesystem::exists(DbFile(L"m1")));

    // Switching models closes first.
    m_store.CloseDatabase();
    ASSERT_TRUE(Open(L"m2"));
    std::vector<MacroRecord> macros;
    EXPECT_EQ(m_store.LoadMacros(macros), 0);
}

TEST_F(StoreTest, DeletingTheClosedFileGivesAFreshDatabase)
{
    ASSERT_TRUE(Open());
    m_store.AddMacro(L"old");
    // An open file is not removed under the connection.
    m_store.DeleteDeviceDatabase(m_settings, L"m1");
    EXPECT_TRUE(std::filesystem::exists(DbFile()));

    m_store.CloseDatabase();
    m_store.DeleteDeviceDatabase(m_settings, L"m1");
    EXPECT_FALSE(std::filesystem::exists(DbFile()));
    ASSERT_TRUE(Open());
    std::vector<MacroRecord> macros;
    EXPECT_EQ(m_store.LoadMacros(macros), 0);
    EXPECT_EQ(ReadSchema(DbFile()).tables, 8);
}

TEST_F(StoreTest, FileThatIsNotADatabaseIsKeptAndTheOpenFails)
{
    const std::string junk = "this is a text file, not a database\n" + std::string(5000, 'x');
    {
        std::ofstream out(DbFile(), std::ios::binary);
        out << junk;
    }
    EXPECT_FALSE(Open());
    EXPECT_FALSE(m_store.IsDatabaseOpen());
    EXPECT_EQ(m_store.AddMacro(L"x"), 0);
    EXPECT_EQ(m_store.EnsureProfiles(), 0);
    EXPECT_EQ(ReadBytes(DbFile()), junk);
    bool traced = false;
    for (const std::string& line : Trace())
        traced |= line.find("not a readable database") != std::string::npos;
    EXPECT_TRUE(traced);

    // A factory reset moves the file aside instead of deleting it, and starts a fresh database.
    m_store.DeleteDeviceDatabase(m_settings, L"m1");
    EXPECT_EQ(ReadBytes(DbFile() + ".unreadable"), junk);
    ASSERT_TRUE(Open());
    EXPECT_EQ(m_store.EnsureProfiles(), 1);
}

TEST_F(StoreTest, EmptyOrHalfCreatedFileGetsTheMissingTables)
{
    {
        std::ofstream out(DbFile(), std::ios::binary);
    }
    ASSERT_TRUE(Open());
    EXPECT_EQ(ReadSchema(DbFile()).tables, 8);
    EXPECT_GT(m_store.AddMacro(L"x"), 0);
}

TEST_F(StoreTest, MissingOrReadOnlyFolderFailsWithATraceLine)
{
    EXPECT_FALSE(m_store.OpenDeviceDatabase(m_temp.Path() + "/nowhere/", L"m1"));
    EXPECT_FALSE(m_store.IsDatabaseOpen());
    EXPECT_FALSE(std::filesystem::exists(m_temp.Path() + "/nowhere"));
    ASSERT_EQ(Trace().size(), 1u);
    EXPECT_NE(Trace()[0].find("cannot create"), std::string::npos);

    if (geteuid() != 0) { // root writes into read-only folders anyway
        std::filesystem::permissions(m_settings + "db",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(Open());
        std::filesystem::permissions(m_settings + "db", std::filesystem::perms::owner_all);
    }
}

TEST_F(StoreTest, EveryOperationOnAClosedStoreFailsQuietly)
{
    std::wstring text = L"left";
    std::vector<ProfileRecord> profiles(1);
    std::vector<KeyAssignmentRecord> keys(1);
    std::vector<MacroRecord> macros(1);
    std::vector<MacroEventRecord> events(1);
    std::vector<LightRecord> lights(1);
    KeyAssignmentRecord key;
    key.macro_value = 1;
    MacroRecord macro;
    LightRecord light;

    EXPECT_FALSE(m_store.GetSetting(1, L"report_rate", text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(m_store.SetSetting(1, L"report_rate", L"1"));
    EXPECT_EQ(m_store.AddProfile(ProfileRecord{}), 0);
    EXPECT_FALSE(m_store.RenameProfile(1, L"x"));
    EXPECT_FALSE(m_store.GetProfileName(1, text));
    EXPECT_EQ(m_store.LoadProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    EXPECT_FALSE(m_store.SetActiveProfile(1));
    EXPECT_EQ(m_store.GetActiveProfile(), 0);
    EXPECT_EQ(m_store.EnsureProfiles(), 0);
    EXPECT_EQ(m_store.SaveKeyAssignment(key), 0);
    EXPECT_FALSE(m_store.GetKeyAssignment(1, 0, key));
    EXPECT_EQ(m_store.LoadKeyAssignments(1, keys), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(m_store.SetKeyMacroDesc(1, 0, L"x"));
    EXPECT_FALSE(m_store.DeleteKeyAssignments(1));
    EXPECT_EQ(m_store.AddMacro(L"x"), 0);
    EXPECT_FALSE(m_store.RenameMacro(1, L"x"));
    EXPECT_FALSE(m_store.UpdateMacro(1, macro));
    EXPECT_FALSE(m_store.GetMacro(1, macro));
    EXPECT_EQ(m_store.LoadMacros(macros), 0);
    EXPECT_FALSE(m_store.DeleteMacro(1));
    EXPECT_EQ(m_store.AddMacroEvent(events[0]), 0);
    m_store.SaveMacroEvents(events);
    EXPECT_EQ(m_store.LoadMacroEvents(1, events), 0);
    EXPECT_FALSE(m_store.DeleteMacroEvents(1));
    EXPECT_EQ(m_store.CountLightRecords(1), 0);
    m_store.DeleteLightRecords(1);
    EXPECT_EQ(m_store.AddLightRecord(light), 0);
    EXPECT_FALSE(m_store.UpdateLightRecord(1, light));
    EXPECT_FALSE(m_store.SetActiveLightMode(1, 1));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 0);
    EXPECT_FALSE(m_store.GetLightRecord(1, 1, light));
    EXPECT_EQ(m_store.LoadLightRecords(1, lights), 0);
    m_store.CreateDefaultLightRecords(1, LightEffectFlags{true, true});
    // Each failed operation leaves a line that says which one.
    bool named = false;
    for (const std::string& line : Trace())
        named |= line.find("LoadMacroEvents") != std::string::npos;
    EXPECT_TRUE(named);
}

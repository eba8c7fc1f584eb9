#include "app/store/SettingsStore.h"

#include "app/documents/LanguageText.h"
#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/StoreQuery.h"
#include "platform/Text.h"
#include "platform/Trace.h"

#include <climits>
#include <cstdio>
#include <filesystem>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

// The tables and indexes of a new file, in the order they are created.
const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS t_configdata (config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data (profile INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
    "status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data (profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data (key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, macro_type INTEGER, "
    "macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data (key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata (macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_desc TEXT, param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata (macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data (macro_id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
    "play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data (macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord (record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id "
    "INTEGER, "
    "type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord (record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data (light_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, direction INTEGER, colorful INTEGER, "
    "colorindex INTEGER, color_value1 INTEGER, color_value2 INTEGER, color_value3 INTEGER, "
    "color_value4 INTEGER, color_value5 INTEGER, color_value6 INTEGER, color_value7 INTEGER, "
    "config_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data (light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data (keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data (keylight_id)",
};

constexpr int kSchemaTables = 8;

// Reads the number of the store's tables present in the file. Fails on a file that is not a
// database (or one SQLite cannot read), which must then be left alone.
int CountSchemaTables(SQLiteDB& db, bool& readable)
{
    StoreQuery query(db, "open",
                     "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('t_configdata', "
                     "'t_profile_data', 't_key_macro_data', 't_key_otherdata', 't_macro_data', "
                     "'t_macrorecord', 't_light_data', 't_key_light_data')");
    readable = query.NextRow();
    return readable ? query.ColumnInt(0) : 0;
}

bool IsReadableDatabase(const std::string& path)
{
    SQLiteDB db;
    if (!db.OpenFile(path, SQLITE_OPEN_READONLY)) return false;
    bool readable = false;
    CountSchemaTables(db, readable);
    return readable;
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore()
{
    Lock lock(m_lock);
    m_db.Close();
    m_openFlag = false;
}

SettingsStore& SettingsStore::Instance()
{
    static SettingsStore store;
    return store;
}

std::string SettingsStore::DatabasePath(const std::string& settingsFolder, const std::wstring& databaseName)
{
    return settingsFolder + "db/" + platform::ToUtf8(databaseName) + "_data.db";
}

std::string SettingsStore::DatabaseFile() const
{
    Lock lock(m_lock);
    return m_path;
}

bool SettingsStore::CreateSchema()
{
    bool ok = true;
    // All tables or none: a file whose creation was cut short is completed on the next open
    // anyway, but one commit is also much quicker than fifteen.
    SQLiteAutoTransaction transaction(&m_db);
    for (const char* statement : kSchema) {
        int rc = m_db.Execute(statement);
        if (rc != SQLITE_OK) {
            platform::Trace(platform::TraceError, "settings store: schema statement failed (%d): %s", rc,
                            m_db.ErrorMessage().c_str());
            ok = false; // go on: the other tables may still be usable
        }
    }
    return transaction.Commit() && ok;
}

bool SettingsStore::OpenDeviceDatabase(const std::string& settingsFolder, const std::wstring& databaseName)
{
    // The lock keeps the connection from changing under a statement of another thread.
    Lock lock(m_lock);
    bool result = false;
    std::error_code ec;
    if (m_db.IsOpen()) {
        // The connection stays on its file, and so does the path: a later delete of the file
        // in use must still be recognised as such.
        m_openFlag = true;
        return true;
    }
    m_path = DatabasePath(settingsFolder, databaseName);
    if (std::filesystem::exists(m_path, ec)) {
        result = m_db.OpenFile(m_path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX);
        if (!result) {
            platform::Trace(platform::TraceError, "settings store: cannot open %s", m_path.c_str());
        } else {
            bool readable = false;
            int tables = CountSchemaTables(m_db, readable);
            if (!readable) {
                // Not a database (or damaged beyond SQLite's reading): keep the file as it is.
                platform::Trace(platform::TraceError, "settings store: %s is not a readable database",
                                m_path.c_str());
                m_db.Close();
                result = false;
            } else if (tables < kSchemaTables) {
                // A file whose creation was cut short (or an empty file): complete the schema so
                // the store does not stay unusable; the statements leave existing tables alone.
                platform::Trace(platform::TraceWarning, "settings store: completing the schema of %s",
                                m_path.c_str());
                result = CreateSchema();
            }
        }
    } else {
        result = m_db.OpenFile(m_path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX);
        if (!result)
            platform::Trace(platform::TraceError, "settings store: cannot create %s", m_path.c_str());
        else
            result = CreateSchema();
    }
    m_openFlag = result;
    return result;
}

void SettingsStore::CloseDatabase()
{
    Lock lock(m_lock);
    if (!m_db.Close())
        platform::Trace(platform::TraceError, "settings store: cannot close %s: %s", m_path.c_str(),
                        m_db.ErrorMessage().c_str());
    m_openFlag = false;
}

void SettingsStore::DeleteDeviceDatabase(const std::string& settingsFolder, const std::wstring& databaseName)
{
    Lock lock(m_lock);
    std::string path = DatabasePath(settingsFolder, databaseName);
    if (m_db.IsOpen() && path == m_path) {
        // Removing the file under an open connection would leave the store writing to a
        // deleted file; the factory reset always closes first.
        platform::Trace(platform::TraceError, "settings store: %s is open, not deleted", path.c_str());
        return;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;
    if (!IsReadableDatabase(path)) {
        // Not a database the program can read: it may be something the user needs. Move it
        // out of the way so that a fresh database can take its place, but keep it.
        std::string aside = path + ".unreadable";
        for (int n = 1; std::filesystem::exists(aside, ec) && n < 1000; ++n)
            aside = path + ".unreadable." + std::to_string(n);
        std::filesystem::rename(path, aside, ec);
        if (ec)
            platform::Trace(platform::TraceError, "settings store: cannot move %s aside: %s", path.c_str(),
                            ec.message().c_str());
        else
            platform::Trace(platform::TraceWarning, "settings store: kept unreadable %s as %s", path.c_str(),
                            aside.c_str());
        return;
    }
    if (!std::filesystem::remove(path, ec) && ec)
        platform::Trace(platform::TraceError, "settings store: cannot delete %s: %s", path.c_str(),
                        ec.message().c_str());
}

// ---- Settings keys ------------------------------------------------------------------------

const std::vector<DefaultSetting>& SettingsStore::DefaultSettings()
{
    static const std::vector<DefaultSetting> table = {
        {L"version", L"1.0.1", nullptr},
        {L"lightmode", L"1", L"1"},
        {L"sleep_light", L"5", L"5"},
        {L"move_wakeup", L"1", L"1"},
        {L"move_closelight", L"1", L"1"},
        {L"report_rate", L"2", L"2"},
        {L"report_rate_wireless", L"1", nullptr},
        {L"report_count", L"4", L"4"},
        {L"report_flag", L"127", L"127"},
        {L"button_respondtime", L"8", L"8"},
        {L"sensor_flag", L"53", L"0"},
        {L"liftoff_height", L"1", L"2"},
        {L"scroll_flag", L"1", L"1"},
        {L"e-sports_flag", L"0", L"0"},
        {L"leftbtn_lock", L"1", L"1"},
        {L"dpi_flag", L"6", L"6"},
        {L"dpi_index", L"1", L"1"},
        {L"dpi_count", L"6", L"6"},
        {L"dpi_group0_value", L"800", L"800"},
        {L"dpi_group1_value", L"1600", L"1600"},
        {L"dpi_group2_value", L"2400", L"2400"},
        {L"dpi_group3_value", L"3200", L"3200"},
        {L"dpi_group4_value", L"6400", L"6400"},
        {L"dpi_group5_value", L"22000", L"22000"},
        {L"dpi_group6_value", L"26000", L"26000"},
        {L"dpi_group7_value", L"0", L"0"},
        {L"dpi_group8_value", nullptr, L"0"},
        {L"dpi_group9_value", nullptr, L"0"},
        {L"dpi_group0_rgb", L"255", L"255"},
        {L"dpi_group1_rgb", L"65280", L"65280"},
        {L"dpi_group2_rgb", L"16711680", L"16711680"},
        {L"dpi_group3_rgb", L"16711935", L"16711935"},
        {L"dpi_group4_rgb", L"65535", L"65535"},
        {L"dpi_group5_rgb", L"16776960", L"16776960"},
        {L"dpi_group6_rgb", L"16712191", nullptr},
        {L"dpi_group7_rgb", L"16777215", nullptr},
        {L"dpi_group8_rgb", L"2139135", nullptr},
        {L"mouse_speed", L"10", L"10"},
        {L"mouse_sensitivity", L"1", L"1"},
        {L"wheel_scrollflag", L"0", L"0"},
        {L"wheel_scrolllines", L"3", L"3"},
        {L"doubleclick_time", L"550", L"550"},
    };
    return table;
}

bool SettingsStore::GetSetting(int profile, const std::wstring& key, std::wstring& value)
{
    Lock lock(m_lock);
    value.clear();
    StoreQuery query(m_db, "GetSetting", "SELECT value FROM t_configdata WHERE profile = ? and key = ?");
    query.Int(profile).Text(key);
    if (!query.NextRow()) return false;
    value = query.ColumnText(0);
    return true;
}

bool SettingsStore::SetSetting(int profile, const std::wstring& key, const std::wstring& value)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "SetSetting", "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
    query.Text(value).Int(profile).Text(key);
    return query.Write();
}

int SettingsStore::SettingValueToInt(const std::wstring& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == L'-' || value[i] == L'+')) negative = value[i++] == L'-';
    long long n = 0;
    for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) {
        n = n * 10 + (value[i] - L'0');
        if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    return static_cast<int>(n);
}

int SettingsStore::GetSettingInt(int profile, const std::wstring& key)
{
    std::wstring value;
    GetSetting(profile, key, value);
    return SettingValueToInt(value);
}

bool SettingsStore::SetSettingInt(int profile, const std::wstring& key, int value)
{
    return SetSetting(profile, key, std::to_wstring(value));
}

// ---- Profiles -----------------------------------------------------------------------------

int SettingsStore::AddProfile(const ProfileRecord& record)
{
    Lock lock(m_lock);
    int id = 0;
    {
        StoreQuery query(m_db, "AddProfile",
                         "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
        query.Text(record.name).Int(0).Text(record.app).Int(0);
        id = query.InsertedId(query.Write());
    }
    if (id > 0) WriteDefaultSettings(id);
    return id;
}

bool SettingsStore::RenameProfile(int profile, const std::wstring& name)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "RenameProfile", "UPDATE t_profile_data SET name = ? WHERE profile = ?");
    query.Text(name).Int(profile);
    return query.Write();
}

bool SettingsStore::GetProfileName(int profile, std::wstring& name)
{
    Lock lock(m_lock);
    name.clear();
    StoreQuery query(m_db, "GetProfileName", "SELECT name FROM t_profile_data WHERE profile = ?");
    query.Int(profile);
    if (!query.NextRow()) return false;
    name = query.ColumnText(0);
    return true;
}

int SettingsStore::LoadProfiles(std::vector<ProfileRecord>& list)
{
    Lock lock(m_lock);
    list.clear();
    StoreQuery query(m_db, "LoadProfiles", "SELECT * FROM t_profile_data");
    while (query.NextRow()) {
        ProfileRecord& record = list.emplace_back();
        record.profile = query.ColumnInt(0);
        record.name = query.ColumnText(1);
        record.status = query.ColumnInt(2);
        record.app = query.ColumnText(3);
        record.type = query.ColumnInt(4);
    }
    return static_cast<int>(list.size());
}

bool SettingsStore::SetActiveProfile(int profile)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "SetActiveProfile", "UPDATE t_profile_data SET status = ?");
    query.Int(0).Write();
    query.Prepare("UPDATE t_profile_data SET status = ? WHERE profile = ?");
    query.Int(1).Int(profile);
    return query.Write();
}

int SettingsStore::GetActiveProfile()
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "GetActiveProfile", "SELECT profile FROM t_profile_data WHERE status = ?");
    query.Int(1);
    return query.NextRow() ? query.ColumnInt(0) : 0;
}

void SettingsStore::WriteDefaultSettings(int profile)
{
    Lock lock(m_lock);
    for (const DefaultSetting& setting : DefaultSettings()) {
        if (!setting.newValue) continue;
        StoreQuery query(m_db, "WriteDefaultSettings",
                         "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);");
        query.Int(profile).Text(setting.key).Text(setting.newValue);
        query.Write();
    }
}

void SettingsStore::ResetSettingsToDefaults(int profile)
{
    Lock lock(m_lock);
    for (const DefaultSetting& setting : DefaultSettings())
        if (setting.resetValue) SetSetting(profile, setting.key, setting.resetValue);
}

int SettingsStore::EnsureProfiles(const std::function<void(int profile)>& applyDeviceDefaults)
{
    std::vector<int> created;
    {
        // Checking and creating under one lock hold: two threads starting at once must not
        // both find the file empty and create eight profiles.
        Lock lock(m_lock);
        std::vector<ProfileRecord> profiles;
        if (LoadProfiles(profiles) < 1) {
            // One transaction for the four profiles and their keys: an interrupted start-up
            // must not leave a profile without some of its keys (nothing creates them later),
            // and one commit instead of one per key keeps the first start quick.
            SQLiteAutoTransaction transaction(&m_db);
            const std::wstring word = LanguageText(61);
            for (int n = 1; n <= 4; ++n) {
                ProfileRecord record;
                record.name = word + L" " + std::to_wstring(n);
                if (int id = AddProfile(record); id > 0) created.push_back(id);
            }
            SetActiveProfile(1);
            transaction.Commit();
        }
    }
    // The model's defaults are laid over each new profile outside the lock: they read the
    // device description and may reach other threads.
    if (applyDeviceDefaults)
        for (int id : created)
            applyDeviceDefaults(id);

    int active = GetActiveProfile();
    if (active < 1) {
        SetActiveProfile(1);
        active = GetActiveProfile();
    }
    if (active < 1) {
        // No profile 1 in this file: make the first profile there is active instead of none.
        std::vector<ProfileRecord> profiles;
        if (LoadProfiles(profiles) > 0) {
            SetActiveProfile(profiles.front().profile);
            active = GetActiveProfile();
        }
    }
    if (active < 1) platform::Trace(platform::TraceError, "settings store: no active profile");
    return active;
}

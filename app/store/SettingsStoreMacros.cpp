// Key assignments and macros of the settings store.
#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/SettingsStore.h"
#include "app/store/StoreQuery.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

void ReadKeyAssignment(StoreQuery& query, KeyAssignmentRecord& record)
{
    record.key_id = query.ColumnInt(0);
    record.profile = query.ColumnInt(1);
    record.fn_layer = query.ColumnInt(2);
    record.key_code = query.ColumnInt(3);
    record.layout_value = query.ColumnInt(4);
    record.layout_desc = query.ColumnText(5);
    record.macro_type = query.ColumnInt(6);
    record.macro_value = query.ColumnInt(7);
    record.macro_value2 = query.ColumnInt(8);
    record.macro_value3 = query.ColumnInt(9);
    record.macro_desc = query.ColumnText(10);
}

void ReadMacro(StoreQuery& query, MacroRecord& record)
{
    record.macro_id = query.ColumnInt(0);
    record.name = query.ColumnText(1);
    record.play_type = query.ColumnInt(2);
    record.play_times = query.ColumnInt(3);
    record.delay_type = query.ColumnInt(4);
    record.delay_time = query.ColumnInt(5);
}

const char* const kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";
const char* const kInsertMacroEvent = "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, "
                                      "delay_time) VALUES (?, ?, ?, ?, ?, ?);";

void BindMacroEvent(StoreQuery& query, const MacroEventRecord& record)
{
    query.Int(record.macro_id)
        .Int(record.type)
        .Int(record.record_index)
        .Text(record.desc)
        .Int(record.value)
        .Int(record.delay_time);
}

} // namespace

// ---- Key assignments ----------------------------------------------------------------------

int SettingsStore::SaveKeyAssignment(const KeyAssignmentRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "SaveKeyAssignment",
                     "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    query.Int(record.profile).Int(record.fn_layer).Int(record.key_code).Write();
    // An assignment without values is the factory function: the button keeps no row.
    if (record.macro_value == 0 && record.macro_value2 == 0) return 0;
    query.Prepare("INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, "
                  "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    query.Int(record.profile)
        .Int(record.fn_layer)
        .Int(record.key_code)
        .Int(record.layout_value)
        .Text(record.layout_desc)
        .Int(record.macro_type)
        .Int(record.macro_value)
        .Int(record.macro_value2)
        .Int(record.macro_value3)
        .Text(record.macro_desc);
    return query.InsertedId(query.Write());
}

bool SettingsStore::GetKeyAssignment(int profile, int keyCode, KeyAssignmentRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "GetKeyAssignment",
                     "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    query.Int(profile).Int(0).Int(keyCode);
    if (!query.NextRow()) return false;
    ReadKeyAssignment(query, record);
    return true;
}

int SettingsStore::LoadKeyAssignments(int profile, std::vector<KeyAssignmentRecord>& list)
{
    Lock lock(m_lock);
    list.clear();
    StoreQuery query(m_db, "LoadKeyAssignments",
                     "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    query.Int(profile).Int(0);
    while (query.NextRow())
        ReadKeyAssignment(query, list.emplace_back());
    return static_cast<int>(list.size());
}

bool SettingsStore::SetKeyMacroDesc(int profile, int keyCode, const std::wstring& text)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "SetKeyMacroDesc",
                     "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and "
                     "key_code = ?");
    query.Text(text).Int(profile).Int(0).Int(keyCode);
    return query.Write();
}

bool SettingsStore::DeleteKeyAssignments(int profile)
{
    // Also under the lock: the connection may be switched by another thread meanwhile.
    Lock lock(m_lock);
    StoreQuery query(m_db, "DeleteKeyAssignments", "DELETE FROM t_key_macro_data WHERE profile = ?");
    query.Int(profile);
    return query.Write();
}

// ---- Macros -------------------------------------------------------------------------------

int SettingsStore::AddMacro(const std::wstring& name)
{
    MacroRecord record;
    record.name = name;
    record.play_type = 0;
    record.play_times = 1;
    record.delay_type = 1;
    record.delay_time = 0;
    return AddMacro(record);
}

int SettingsStore::AddMacro(const MacroRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "AddMacro", kInsertMacro);
    query.Text(record.name)
        .Int(record.play_type)
        .Int(record.play_times)
        .Int(record.delay_type)
        .Int(record.delay_time);
    return query.InsertedId(query.Write());
}

bool SettingsStore::RenameMacro(int macroId, const std::wstring& name)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "RenameMacro", "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
    query.Text(name).Int(macroId);
    return query.Write();
}

bool SettingsStore::UpdateMacro(int macroId, const MacroRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "UpdateMacro",
                     "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,"
                     "delay_time = ? WHERE macro_id = ?");
    query.Text(record.name)
        .Int(record.play_type)
        .Int(record.play_times)
        .Int(record.delay_type)
        .Int(record.delay_time)
        .Int(macroId);
    return query.Write();
}

bool SettingsStore::GetMacro(int macroId, MacroRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "GetMacro", "SELECT * FROM t_macro_data WHERE macro_id = ?");
    query.Int(macroId);
    if (!query.NextRow()) return false;
    ReadMacro(query, record);
    return true;
}

int SettingsStore::LoadMacros(std::vector<MacroRecord>& list)
{
    Lock lock(m_lock);
    list.clear();
    StoreQuery query(m_db, "LoadMacros", "SELECT * FROM t_macro_data");
    while (query.NextRow())
        ReadMacro(query, list.emplace_back());
    return static_cast<int>(list.size());
}

bool SettingsStore::DeleteMacro(int macroId)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "DeleteMacro", "DELETE FROM t_macro_data WHERE macro_id = ?");
    query.Int(macroId);
    if (!query.Write()) return false;
    query.Prepare("DELETE FROM t_macrorecord WHERE macro_id = ?");
    query.Int(macroId);
    return query.Write();
}

int SettingsStore::AddMacroEvent(const MacroEventRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "AddMacroEvent", kInsertMacroEvent);
    BindMacroEvent(query, record);
    return query.InsertedId(query.Write());
}

void SettingsStore::SaveMacroEvents(const std::vector<MacroEventRecord>& list)
{
    Lock lock(m_lock);
    // A long event list is written in one transaction instead of one commit per event.
    SQLiteAutoTransaction transaction(&m_db);
    transaction.Begin();
    for (const MacroEventRecord& record : list) {
        StoreQuery query(m_db, "SaveMacroEvents", kInsertMacroEvent);
        BindMacroEvent(query, record);
        query.Write();
    }
    transaction.Commit();
}

int SettingsStore::LoadMacroEvents(int macroId, std::vector<MacroEventRecord>& list)
{
    Lock lock(m_lock);
    list.clear();
    StoreQuery query(m_db, "LoadMacroEvents",
                     "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
    query.Int(macroId);
    while (query.NextRow()) {
        MacroEventRecord& record = list.emplace_back();
        record.record_id = query.ColumnInt(0);
        record.macro_id = query.ColumnInt(1);
        record.type = query.ColumnInt(2);
        record.record_index = query.ColumnInt(3);
        record.desc = query.ColumnText(4);
        record.value = query.ColumnInt(5);
        record.delay_time = query.ColumnInt(6);
    }
    return static_cast<int>(list.size());
}

bool SettingsStore::DeleteMacroEvents(int macroId)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "DeleteMacroEvents", "DELETE FROM t_macrorecord WHERE macro_id = ?");
    query.Int(macroId);
    return query.Write();
}

#pragma once
// The settings database of the selected mouse model: one SQLite file per model holding the
// profiles, each profile's settings keys, key assignments, macros and lighting records.
//
// One store serves the whole process (Instance()); the user-interface thread and the device
// worker both use it. Every operation holds the store lock for its statements, so the
// statements of two operations never interleave. Failures are reported through the results
// only (false, id 0, count 0, empty text) and leave a trace line.
#include "app/store/KeyAssignmentRecord.h"
#include "app/store/LightRecord.h"
#include "app/store/MacroEventRecord.h"
#include "app/store/MacroRecord.h"
#include "app/store/ProfileRecord.h"
#include "app/store/SQLiteDB.h"

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One settings key with the value a new profile receives and the value a reset writes
// (null: the reset leaves the key alone; null newValue: only the reset writes it).
struct DefaultSetting
{
    const wchar_t* key;
    const wchar_t* newValue;
    const wchar_t* resetValue;
};

// The lighting effects a model may offer, in the order of its flags light_1 .. light_8.
constexpr int LightEffectCount = 8;
using LightEffectFlags = std::array<bool, LightEffectCount>;

class SettingsStore
{
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The one store of the process, created on first use.
    static SettingsStore& Instance();

    // ---- Database file ---------------------------------------------------------------
    // settingsFolder (with its trailing slash) + "db/" + databaseName + "_data.db".
    static std::string DatabasePath(const std::string& settingsFolder, const std::wstring& databaseName);
    // Opens the model's database, creating it with the schema when the file does not exist.
    // Succeeds without doing anything while a connection is open (switching models closes
    // first). A file that is not a readable database is left untouched and the open fails.
    bool OpenDeviceDatabase(const std::string& settingsFolder, const std::wstring& databaseName);
    // Closes the connection and clears the open flag.
    void CloseDatabase();
    // Removes the model's database file (factory reset). Close first.
    void DeleteDeviceDatabase(const std::string& settingsFolder, const std::wstring& databaseName);
    // The result of the last open (cleared by CloseDatabase).
    bool IsDatabaseOpen() const { return m_openFlag.load(); }
    // The path of the file the last open worked on (an open while a connection is open keeps
    // it), UTF-8.
    std::string DatabaseFile() const;

    // ---- Settings keys and profiles ------------------------------------------------------
    // True when the key exists; value is cleared first.
    bool GetSetting(int profile, const std::wstring& key, std::wstring& value);
    // Updates the key's rows; a missing key is not created and still counts as success.
    bool SetSetting(int profile, const std::wstring& key, const std::wstring& value);
    // The value read by its leading decimal digits; 0 for a missing key or a non-number.
    int GetSettingInt(int profile, const std::wstring& key);
    bool SetSettingInt(int profile, const std::wstring& key, int value);
    // Leading decimal digits (optional sign) of a value; 0 when there are none. Saturates.
    static int SettingValueToInt(const std::wstring& value);

    // Inserts the profile (status 0, type 0) and writes its default settings. New id, 0 on failure.
    int AddProfile(const ProfileRecord& record);
    bool RenameProfile(int profile, const std::wstring& name);
    bool GetProfileName(int profile, std::wstring& name);
    // Replaces the list's contents with every profile in row id order; the count.
    int LoadProfiles(std::vector<ProfileRecord>& list);
    // Clears every status, then marks the profile; the result of marking.
    bool SetActiveProfile(int profile);
    // The first active profile id, 0 when none.
    int GetActiveProfile();
    // Inserts every key with the value of a new profile.
    void WriteDefaultSettings(int profile);
    // Writes the reset value over every key the reset touches (existing rows only).
    void ResetSettingsToDefaults(int profile);
    // Creates the four default profiles when the file has none ("<text 61> 1" .. " 4"; for each
    // new profile applyDeviceDefaults(id) runs, to lay the model's defaults over it), makes sure
    // one profile is active and returns the active profile id (0 on failure).
    int EnsureProfiles(const std::function<void(int profile)>& applyDeviceDefaults = {});
    // The keys with their new and reset values, in the order both routines write them.
    static const std::vector<DefaultSetting>& DefaultSettings();

    // ---- Key assignments -------------------------------------------------------------
    // Removes the button's row, then stores the record unless macro_value and macro_value2
    // are both 0. The new key_id; 0 when nothing was stored.
    int SaveKeyAssignment(const KeyAssignmentRecord& record);
    bool GetKeyAssignment(int profile, int keyCode, KeyAssignmentRecord& record);
    int LoadKeyAssignments(int profile, std::vector<KeyAssignmentRecord>& list);
    bool SetKeyMacroDesc(int profile, int keyCode, const std::wstring& text);
    bool DeleteKeyAssignments(int profile);

    // ---- Macros ----------------------------------------------------------------------
    // A new macro with play type 0, 1 time, delay type 1, delay 0. New macro_id, 0 on failure.
    int AddMacro(const std::wstring& name);
    int AddMacro(const MacroRecord& record);
    bool RenameMacro(int macroId, const std::wstring& name);
    // Writes name, play and delay fields of the record to the macro macroId.
    bool UpdateMacro(int macroId, const MacroRecord& record);
    bool GetMacro(int macroId, MacroRecord& record);
    int LoadMacros(std::vector<MacroRecord>& list);
    // Removes the macro and its events; true when both deletes succeeded.
    bool DeleteMacro(int macroId);
    int AddMacroEvent(const MacroEventRecord& record);
    // Inserts the events in list order in one transaction.
    void SaveMacroEvents(const std::vector<MacroEventRecord>& list);
    // The macro's events in record_index order; the count.
    int LoadMacroEvents(int macroId, std::vector<MacroEventRecord>& list);
    bool DeleteMacroEvents(int macroId);

    // ---- Lighting --------------------------------------------------------------------
    int CountLightRecords(int profile);
    void DeleteLightRecords(int profile);
    int AddLightRecord(const LightRecord& record);
    // Writes the parameters (not name, mode or status) of the profile's record of that mode.
    bool UpdateLightRecord(int mode, const LightRecord& record);
    bool SetActiveLightMode(int profile, int mode);
    // The mode of the first active record, 0 when none.
    int GetActiveLightMode(int profile);
    bool GetLightRecord(int profile, int mode, LightRecord& record);
    int LoadLightRecords(int profile, std::vector<LightRecord>& list);
    // When the profile has no lighting records yet: one default record per effect the model
    // offers, and mode 1 made active. Nothing when it has records already.
    void CreateDefaultLightRecords(int profile, const LightEffectFlags& offered);

    // The connection itself, for diagnostics (statement tracing in tests). Every statement run
    // on it must hold StoreLock().
    SQLiteDB& Connection() { return m_db; }
    std::recursive_mutex& StoreLock() { return m_lock; }

private:
    bool CreateSchema();

    mutable std::recursive_mutex m_lock;
    SQLiteDB m_db;
    std::string m_path;
    std::atomic<bool> m_openFlag{false};
};

// Lighting records of the settings store.
#include "app/store/SettingsStore.h"
#include "app/store/StoreQuery.h"

#include <algorithm>
#include <iterator>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

struct LightEffect
{
    int mode;
    const wchar_t* name;
    int configFunc;
    int textId;
};

// One row per device flag light_1 .. light_8.
const LightEffect kLightEffects[LightEffectCount] = {
    {1, L"流光", 3, 280}, {2, L"呼吸", 2067, 281},  {3, L"常亮", 17, 282},    {4, L"霓虹", 2, 283},
    {5, L"跑马", 3, 284}, {6, L"混彩常亮", 1, 285}, {9, L"七彩波浪", 3, 286}, {0, L"关闭", 0, 287},
};

void ReadLight(StoreQuery& query, LightRecord& record)
{
    record.light_id = query.ColumnInt(0);
    record.profile = query.ColumnInt(1);
    record.name = query.ColumnText(2);
    record.mode = query.ColumnInt(3);
    record.brightness = query.ColumnInt(4);
    record.speed = query.ColumnInt(5);
    record.direction = query.ColumnInt(6);
    record.colorful = query.ColumnInt(7);
    record.colorindex = query.ColumnInt(8);
    for (int i = 0; i < 7; ++i)
        record.color_value[i] = query.ColumnInt(9 + i);
    record.config_func = query.ColumnInt(16);
    record.reserved = query.ColumnInt(17);
    record.status = query.ColumnInt(18);
}

// The columns from brightness to reserved, in table order: what an update may change.
void BindLightParameters(StoreQuery& query, const LightRecord& record)
{
    query.Int(record.brightness)
        .Int(record.speed)
        .Int(record.direction)
        .Int(record.colorful)
        .Int(record.colorindex);
    for (int color : record.color_value)
        query.Int(color);
    query.Int(record.config_func).Int(record.reserved);
}

} // namespace

int SettingsStore::CountLightRecords(int profile)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "CountLightRecords", "select count(*) FROM t_light_data WHERE profile = ?");
    query.Int(profile);
    return query.NextRow() ? query.ColumnInt(0) : 0;
}

void SettingsStore::DeleteLightRecords(int profile)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "DeleteLightRecords", "DELETE FROM t_light_data WHERE profile = ?");
    query.Int(profile).Write();
}

int SettingsStore::AddLightRecord(const LightRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "AddLightRecord",
                     "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
                     "colorindex, color_value1, color_value2, color_value3, color_value4, color_value5, "
                     "color_value6, color_value7, config_func, reserved, status) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    query.Int(record.profile).Text(record.name).Int(record.mode);
    BindLightParameters(query, record);
    query.Int(record.status);
    return query.InsertedId(query.Write());
}

bool SettingsStore::UpdateLightRecord(int mode, const LightRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(
        m_db, "UpdateLightRecord",
        "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
        "colorindex = ?, color_value1 = ?, color_value2 = ?, color_value3 = ?, color_value4 = ?, "
        "color_value5 = ?, color_value6 = ?, color_value7 = ?, config_func = ?, reserved = ? "
        "WHERE profile = ? and mode = ?");
    BindLightParameters(query, record);
    query.Int(record.profile).Int(mode);
    return query.Write();
}

bool SettingsStore::SetActiveLightMode(int profile, int mode)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "SetActiveLightMode", "UPDATE t_light_data SET status = ? WHERE profile = ?");
    query.Int(0).Int(profile).Write();
    query.Prepare("UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?");
    query.Int(1).Int(profile).Int(mode);
    return query.Write();
}

int SettingsStore::GetActiveLightMode(int profile)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "GetActiveLightMode",
                     "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
    query.Int(profile).Int(1);
    return query.NextRow() ? query.ColumnInt(0) : 0;
}

bool SettingsStore::GetLightRecord(int profile, int mode, LightRecord& record)
{
    Lock lock(m_lock);
    StoreQuery query(m_db, "GetLightRecord", "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
    query.Int(profile).Int(mode);
    if (!query.NextRow()) return false;
    ReadLight(query, record);
    return true;
}

int SettingsStore::LoadLightRecords(int profile, std::vector<LightRecord>& list)
{
    Lock lock(m_lock);
    list.clear();
    StoreQuery query(m_db, "LoadLightRecords", "SELECT * FROM t_light_data WHERE profile = ?");
    query.Int(profile);
    while (query.NextRow())
        ReadLight(query, list.emplace_back());
    return static_cast<int>(list.size());
}

void SettingsStore::CreateDefaultLightRecords(int profile, const LightEffectFlags& offered)
{
    // One lock hold for the check and the inserts: the lighting page and the device worker
    // may both get here for the same profile.
    Lock lock(m_lock);
    if (CountLightRecords(profile) > 0) return;
    LightRecord record;
    record.profile = profile;
    record.brightness = 4;
    record.speed = 2;
    record.direction = 0;
    record.colorful = 1;
    record.colorindex = 0;
    const int colors[7] = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215};
    std::copy(std::begin(colors), std::end(colors), record.color_value);
    record.status = 0;
    for (int i = 0; i < LightEffectCount; ++i) {
        if (!offered[i]) continue;
        const LightEffect& effect = kLightEffects[i];
        record.name = effect.name;
        record.mode = effect.mode;
        record.config_func = effect.configFunc;
        record.reserved = effect.textId;
        // The working record is not reset between effects, so the pink of the one-colour
        // effects carries over to every effect added after them.
        if (effect.mode == 3 || effect.mode == 4) record.color_value[0] = 16711920;
        AddLightRecord(record);
    }
    SetActiveLightMode(profile, 1);
}

#include "app/documents/ExchangeFiles.h"

#include <mutex>

#include "app/documents/DocumentObserver.h"
#include "app/documents/XmlReader.h"
#include "app/documents/XmlWriter.h"
#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/SettingsStore.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace {

// The performance settings of the profile file, in the order they are written and looked for.
constexpr const char* kMouseSettings[] = {"button_respondtime", "report_rate", "sensor_flag",
                                          "liftoff_height",     "scroll_flag", "e-sports_flag",
                                          "sleep_light",        "move_wakeup", "move_closelight"};

constexpr const char* kColourAttributes[7] = {"color_value1", "color_value2", "color_value3", "color_value4",
                                              "color_value5", "color_value6", "color_value7"};

std::wstring Setting(int profile, const std::wstring& key)
{
    std::wstring value;
    SettingsStore::Instance().GetSetting(profile, key, value);
    return value;
}

std::wstring DpiKey(int level, const wchar_t* suffix)
{
    return L"dpi_group" + std::to_wstring(level) + suffix;
}

std::string DpiElement(int level)
{
    return "DPI" + std::to_string(level + 1);
}

bool OpenDocument(XmlReader& xml, const std::string& path, const char* root)
{
    if (!xml.Load(path) || !xml.FindElem(root)) {
        platform::Trace(platform::TraceWarning, "exchange file: %s cannot be imported (no %s document)",
                        path.c_str(), root);
        return false;
    }
    return xml.IntoElem();
}

void WriteMacroHeader(XmlWriter& xml, const MacroRecord& macro)
{
    xml.AddAttrib("macro_name", macro.name);
    xml.AddAttrib("macro_type", macro.play_type);
    xml.AddAttrib("play_times", macro.play_times);
    xml.AddAttrib("delay_type", macro.delay_type);
    xml.AddAttrib("delay_time", macro.delay_time);
}

void WriteMacroEvents(XmlWriter& xml, const std::vector<MacroEventRecord>& events)
{
    for (const MacroEventRecord& event : events) {
        xml.AddElem("item");
        xml.AddAttrib("desc", event.desc);
        xml.AddAttrib("index", event.record_index);
        xml.AddAttrib("type", event.type);
        xml.AddAttrib("value", event.value);
        xml.AddAttrib("timestamp", event.delay_time);
    }
}

MacroRecord ReadMacroHeader(const XmlReader& xml)
{
    MacroRecord macro;
    macro.name = xml.GetAttrib("macro_name");
    macro.play_type = xml.GetAttribInt("macro_type");
    macro.play_times = xml.GetAttribInt("play_times");
    macro.delay_type = xml.GetAttribInt("delay_type");
    macro.delay_time = xml.GetAttribInt("delay_time");
    return macro;
}

// Reads the `item`s of the entered element as events of `macroId` and stores them in one
// transaction, so a large file neither stalls on one commit per event nor leaves half a macro.
void ImportMacroEvents(XmlReader& xml, int macroId)
{
    std::vector<MacroEventRecord> events;
    while (xml.FindElem("item")) {
        MacroEventRecord event;
        event.macro_id = macroId;
        event.record_index = xml.GetAttribInt("index");
        event.type = xml.GetAttribInt("type");
        event.value = xml.GetAttribInt("value");
        event.delay_time = xml.GetAttribInt("timestamp");
        event.desc = xml.GetAttrib("desc");
        events.push_back(std::move(event));
    }
    if (!events.empty()) SettingsStore::Instance().SaveMacroEvents(events);
}

} // namespace

std::wstring ProfileNameFromFile(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::wstring name = platform::FromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));
    name.resize(name.size() > 4 ? name.size() - 4 : 0);
    return name;
}

bool ExportProfile(const std::string& path, int profile, int currentProfile, const std::wstring& profileName,
                   bool hasLighting)
{
    SettingsStore& store = SettingsStore::Instance();
    XmlWriter xml;
    xml.AddElem("profile");
    xml.IntoElem();
    xml.AddElem("profileinfo");
    xml.AddAttrib("name", profileName);
    xml.IntoElem();

    xml.AddElem("keyitems");
    xml.IntoElem();
    std::vector<KeyAssignmentRecord> assignments;
    store.LoadKeyAssignments(profile, assignments);
    for (const KeyAssignmentRecord& key : assignments) {
        xml.AddElem("item");
        xml.AddAttrib("key_code", key.key_code);
        xml.AddAttrib("macro_type", key.macro_type);
        xml.AddAttrib("macro_value", key.macro_value);
        xml.AddAttrib("macro_value2", key.macro_value2);
        xml.AddAttrib("macro_value3", key.macro_value3);
        xml.AddAttrib("macro_desc", key.macro_desc);
    }
    xml.OutOfElem();

    if (hasLighting) {
        xml.AddElem("Lightitems");
        xml.AddAttrib("lightmode", store.GetActiveLightMode(currentProfile));
        xml.IntoElem();
        std::vector<LightRecord> lights;
        store.LoadLightRecords(currentProfile, lights);
        for (const LightRecord& light : lights) {
            xml.AddElem("item");
            xml.AddAttrib("light_mode", light.mode);
            xml.AddAttrib("brightness", light.brightness);
            xml.AddAttrib("speed", light.speed);
            xml.AddAttrib("direction", light.direction);
            xml.AddAttrib("colorful", light.colorful);
            xml.AddAttrib("colorindex", light.colorindex);
            for (int i = 0; i < 7; ++i)
                xml.AddAttrib(kColourAttributes[i], light.color_value[i]);
        }
        xml.OutOfElem();
    }

    xml.AddElem("Mouse_DPI");
    for (const char* key : {"dpi_flag", "dpi_index", "dpi_count"})
        xml.AddAttrib(key, Setting(currentProfile, platform::FromUtf8(key)));
    xml.IntoElem();
    for (int level = 0; level < 6; ++level) {
        xml.AddElem(DpiElement(level).c_str());
        xml.AddAttrib("value", Setting(currentProfile, DpiKey(level, L"_value")));
        xml.AddAttrib("color", Setting(currentProfile, DpiKey(level, L"_rgb")));
    }
    xml.OutOfElem();

    xml.AddElem("Mouse");
    xml.IntoElem();
    for (const char* key : kMouseSettings) {
        xml.AddElem(key);
        xml.AddAttrib("value", Setting(currentProfile, platform::FromUtf8(key)));
    }
    return xml.Save(path);
}

// Writes what the entered `profile` element holds into the profile; false when it has no
// profileinfo (the profile is renamed all the same).
static bool StoreProfileDocument(XmlReader& xml, const std::string& path, const std::wstring& name,
                                 int currentProfile, bool hasLighting)
{
    SettingsStore& store = SettingsStore::Instance();

    xml.FindElem("profileinfo");
    store.RenameProfile(currentProfile, name);
    if (!xml.IntoElem()) {
        platform::Trace(platform::TraceWarning, "exchange file: %s has no profileinfo", path.c_str());
        return false;
    }

    store.DeleteKeyAssignments(currentProfile);
    if (xml.FindElem("keyitems")) {
        xml.IntoElem();
        while (xml.FindElem("item")) {
            KeyAssignmentRecord key;
            key.profile = currentProfile;
            key.fn_layer = 0;
            key.key_code = xml.GetAttribInt("key_code");
            key.macro_type = xml.GetAttribInt("macro_type");
            key.macro_value = xml.GetAttribInt("macro_value");
            key.macro_value2 = xml.GetAttribInt("macro_value2");
            key.macro_value3 = xml.GetAttribInt("macro_value3");
            key.macro_desc = xml.GetAttrib("macro_desc");
            store.SaveKeyAssignment(key);
        }
        xml.OutOfElem();
    }

    if (hasLighting && xml.FindElem("Lightitems")) {
        store.SetActiveLightMode(currentProfile, xml.GetAttribInt("lightmode"));
        xml.IntoElem();
        while (xml.FindElem("item")) {
            const int mode = xml.GetAttribInt("light_mode");
            LightRecord light;
            if (!store.GetLightRecord(currentProfile, mode, light)) continue;
            light.brightness = xml.GetAttribInt("brightness");
            light.speed = xml.GetAttribInt("speed");
            light.direction = xml.GetAttribInt("direction");
            light.colorful = xml.GetAttribInt("colorful");
            light.colorindex = xml.GetAttribInt("colorindex");
            for (int i = 0; i < 7; ++i)
                light.color_value[i] = xml.GetAttribInt(kColourAttributes[i]);
            store.UpdateLightRecord(mode, light);
        }
        xml.OutOfElem();
    }

    if (xml.FindElem("Mouse_DPI")) {
        for (const char* key : {"dpi_flag", "dpi_index", "dpi_count"})
            store.SetSetting(currentProfile, platform::FromUtf8(key), xml.GetAttrib(key));
        xml.IntoElem();
        for (int level = 0; level < 6; ++level) {
            if (!xml.FindElem(DpiElement(level).c_str())) continue;
            store.SetSetting(currentProfile, DpiKey(level, L"_value"), xml.GetAttrib("value"));
            store.SetSetting(currentProfile, DpiKey(level, L"_rgb"), xml.GetAttrib("color"));
        }
        xml.OutOfElem();
    }

    if (xml.FindElem("Mouse")) {
        xml.IntoElem();
        for (const char* key : kMouseSettings) {
            if (xml.FindElem(key))
                store.SetSetting(currentProfile, platform::FromUtf8(key), xml.GetAttrib("value"));
        }
    }
    return true;
}

bool ImportProfile(const std::string& path, int currentProfile, bool hasLighting, DocumentObserver* observer)
{
    XmlReader xml;
    if (!OpenDocument(xml, path, "profile")) return false;
    const std::wstring name = ProfileNameFromFile(path);
    bool complete;
    {
        SettingsStore& store = SettingsStore::Instance();
        std::lock_guard lock(store.StoreLock());
        // The file is parsed whole before anything is written; one transaction keeps a file with
        // many items from costing one commit each, and a crash from leaving half a profile.
        SQLiteAutoTransaction transaction(&store.Connection());
        complete = StoreProfileDocument(xml, path, name, currentProfile, hasLighting);
        transaction.Commit();
    }
    // The window hears of it once the store is free again.
    if (observer) observer->OnProfileRenamed(name);
    if (complete && observer) observer->OnEnqueueTask(kTaskWriteProfile);
    return true;
}

bool ExportMacro(const std::string& path, int macroId)
{
    SettingsStore& store = SettingsStore::Instance();
    MacroRecord macro;
    if (!store.GetMacro(macroId, macro)) {
        platform::Trace(platform::TraceWarning, "exchange file: no macro %d to export", macroId);
        return false;
    }
    std::vector<MacroEventRecord> events;
    store.LoadMacroEvents(macroId, events);

    XmlWriter xml;
    xml.AddElem("macro");
    xml.IntoElem();
    xml.AddElem("macroinfo");
    WriteMacroHeader(xml, macro);
    xml.AddElem("macroitems");
    xml.IntoElem();
    WriteMacroEvents(xml, events);
    return xml.Save(path);
}

bool ExportAllMacros(const std::string& path)
{
    SettingsStore& store = SettingsStore::Instance();
    std::vector<MacroRecord> macros;
    store.LoadMacros(macros);

    XmlWriter xml;
    xml.AddElem("macro");
    xml.IntoElem();
    for (const MacroRecord& macro : macros) {
        xml.AddElem("macro_item");
        WriteMacroHeader(xml, macro);
        std::vector<MacroEventRecord> events;
        if (store.LoadMacroEvents(macro.macro_id, events) < 1) continue;
        xml.IntoElem();
        xml.AddElem("record_item");
        xml.IntoElem();
        WriteMacroEvents(xml, events);
        xml.OutOfElem();
        xml.OutOfElem();
    }
    return xml.Save(path);
}

int ImportMacro(const std::string& path, DocumentObserver* observer)
{
    XmlReader xml;
    if (!OpenDocument(xml, path, "macro")) return 0;
    xml.FindElem("macroinfo");
    const MacroRecord macro = ReadMacroHeader(xml);
    const int id = SettingsStore::Instance().AddMacro(macro);
    if (id < 1) return 0;
    if (xml.FindElem("macroitems") && xml.IntoElem()) ImportMacroEvents(xml, id);
    if (observer) observer->OnMacroImported(macro.name, id);
    return id;
}

bool ImportAllMacros(const std::string& path, std::vector<int>& newIds, DocumentObserver* observer)
{
    XmlReader xml;
    if (!OpenDocument(xml, path, "macro")) return false;
    while (xml.FindElem("macro_item")) {
        const MacroRecord macro = ReadMacroHeader(xml);
        const int id = SettingsStore::Instance().AddMacro(macro);
        if (id < 1) continue;
        xml.IntoElem();
        if (xml.FindElem("record_item") && xml.IntoElem()) {
            ImportMacroEvents(xml, id);
            xml.OutOfElem();
        }
        xml.OutOfElem();
        newIds.push_back(id);
        if (observer) observer->OnMacroImported(macro.name, id);
    }
    return true;
}

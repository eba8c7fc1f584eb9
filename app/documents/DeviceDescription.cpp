#include "app/documents/DeviceDescription.h"

#include <optional>

#include "app/documents/AppConfig.h"
#include "app/documents/DocumentObserver.h"
#include "app/documents/LanguageText.h"
#include "app/documents/XmlReader.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Trace.h"

namespace {

// The model's name and database name; both empty when no model has this device type, so the
// description file looked for is ".xml", which does not exist.
ModelEntry FindModelEntry(int deviceType)
{
    return AppConfig::Instance().FindModel(deviceType).value_or(ModelEntry{});
}

// Loads the model's description and enters `mouse`.
bool OpenDescription(XmlReader& xml, const std::wstring& databaseName)
{
    const std::string path = DeviceDescriptionPath(databaseName);
    if (!xml.Load(path) || !xml.FindElem("mouse")) {
        platform::Trace(platform::TraceWarning, "device description: %s is missing or has no mouse root",
                        path.c_str());
        return false;
    }
    return xml.IntoElem();
}

bool IsOne(const std::wstring& value)
{
    return value == L"1";
}

int HexPrefix(std::wstring_view digits)
{
    int value = 0;
    for (wchar_t c : digits) {
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

std::string DeviceDescriptionPath(const std::wstring& databaseName)
{
    return platform::ProgramFolder() + "/device/" + platform::ToUtf8(databaseName) + ".xml";
}

int ColorTextToColorref(const std::wstring& text)
{
    if (text.empty()) return 0;
    const std::wstring_view rest = std::wstring_view(text).substr(1);
    if (rest.size() < 2 || rest.size() > 6) return 0;
    int parts[3] = {0, 0, 0};
    for (size_t i = 0, part = 0; i < rest.size(); i += 2, ++part)
        parts[part] = HexPrefix(rest.substr(i, 2));
    return parts[0] + 256 * parts[1] + 65536 * parts[2];
}

void SplitButtonRect(const std::wstring& text, int& x1, int& x2, int& y)
{
    const size_t first = text.find(L'#');
    if (first == std::wstring::npos) {
        x1 = x2 = y = DecimalPrefix(text);
        return;
    }
    x1 = DecimalPrefix(std::wstring_view(text).substr(0, first));
    const std::wstring_view rest = std::wstring_view(text).substr(first + 1);
    const size_t second = rest.find(L'#');
    if (second == std::wstring_view::npos) {
        x2 = y = DecimalPrefix(rest);
        return;
    }
    x2 = DecimalPrefix(rest.substr(0, second));
    y = DecimalPrefix(rest.substr(second + 1));
}

bool LoadDeviceDescription(DeviceDescription& description, int deviceType, DocumentObserver* observer)
{
    const ModelEntry model = FindModelEntry(deviceType);
    description.modelName = model.name;
    description.databaseName = model.databaseName;

    SettingsStore& store = SettingsStore::Instance();
    if (store.IsDatabaseOpen()) store.CloseDatabase();
    // The folder is made at start-up; making it again here keeps a folder removed while the
    // program runs from leaving the model without a store.
    platform::MakeFolders(platform::SettingsFolder() + "db");
    store.OpenDeviceDatabase(platform::SettingsFolder(), model.databaseName);

    XmlReader xml;
    if (!OpenDescription(xml, model.databaseName)) return false;

    if (xml.FindElem("image_file")) {
        description.picture = L"device\\" + xml.GetAttrib("mouse_img");
        if (observer) observer->OnMousePicture(description.picture);
    }
    if (xml.FindElem("menu")) {
        description.hasLighting = IsOne(xml.GetAttrib("light"));
        if (observer) observer->OnLightingMenu(description.hasLighting);
    }
    if (xml.FindElem("custom")) {
        description.showDpiTips = IsOne(xml.GetAttrib("show_dpitips"));
        description.showSaveTips = IsOne(xml.GetAttrib("show_savetips"));
        description.showLiftOff = IsOne(xml.GetAttrib("show_lod"));
        description.showSensor = IsOne(xml.GetAttrib("show_sensor"));
        if (observer)
            observer->OnCustomOptions(description.showDpiTips, description.showSaveTips,
                                      description.showLiftOff, description.showSensor);
    }
    if (xml.FindElem("firmware")) description.firmwareUrl = xml.GetAttrib("url");

    if (xml.FindElem("mouse_key")) {
        description.buttons.clear();
        description.defaultAssignments.clear();
        if (observer) observer->OnButtonsCleared();
        xml.IntoElem();
        while (xml.FindElem("key")) {
            ButtonLayout button;
            const std::wstring nameText = xml.GetAttrib("name");
            const std::wstring functionText = xml.GetAttrib("func_desc");
            button.nameId = DecimalPrefix(nameText);
            button.keyCode = xml.GetAttribInt("key_value");
            button.side = xml.GetAttribInt("direction");
            SplitButtonRect(xml.GetAttrib("rect"), button.x1, button.x2, button.y);
            button.functionId = DecimalPrefix(functionText);
            description.buttons.push_back(button);

            KeyAssignmentRecord record;
            record.key_code = button.keyCode;
            record.layout_value = button.keyCode;
            record.layout_desc = nameText;
            record.macro_type = xml.GetAttribInt("func_type");
            record.macro_value = xml.GetAttribInt("func_value");
            record.macro_desc = functionText;
            description.defaultAssignments.push_back(record);

            if (observer)
                observer->OnButtonAdded(button, LanguageText(button.nameId), LanguageText(button.functionId));
        }
        xml.OutOfElem();
        if (observer) observer->OnButtonsDone(static_cast<int>(description.buttons.size()));
    }

    if (xml.FindElem("mouse_info") && xml.IntoElem() && xml.FindElem("light_info") && xml.IntoElem()) {
        for (int i = 0; i < LightEffectCount; ++i) {
            const std::string element = "light_" + std::to_string(i + 1);
            if (xml.FindElem(element.c_str())) description.lightEffects[i] = IsOne(xml.GetAttrib("enable"));
        }
    }
    return true;
}

bool ApplyDeviceDefaults(DeviceDescription& description, int deviceType, int profile, bool dpiOnly)
{
    XmlReader xml;
    if (!OpenDescription(xml, FindModelEntry(deviceType).databaseName)) return false;
    if (!xml.FindElem("mouse_info") || !xml.IntoElem()) return true;

    SettingsStore& store = SettingsStore::Instance();
    if (xml.FindElem("dpi_info")) {
        store.SetSetting(profile, L"dpi_index", xml.GetAttrib("default_dpi"));
        const std::wstring count = xml.GetAttrib("dpi_count");
        store.SetSetting(profile, L"dpi_flag", count);
        store.SetSetting(profile, L"dpi_count", count);
        xml.IntoElem();
        for (int level = 0; level < 6; ++level) {
            const std::string element = "dpi_" + std::to_string(level + 1);
            if (!xml.FindElem(element.c_str())) continue;
            const std::wstring prefix = L"dpi_group" + std::to_wstring(level);
            store.SetSetting(profile, prefix + L"_value", xml.GetAttrib("value"));
            store.SetSetting(profile, prefix + L"_rgb",
                             std::to_wstring(ColorTextToColorref(xml.GetAttrib("color"))));
        }
        xml.OutOfElem();
    }
    if (dpiOnly) return true;
    if (xml.FindElem("report_rate")) {
        const std::wstring rate = xml.GetAttrib("default_value");
        store.SetSetting(profile, L"report_rate", rate);
        description.rateCapability = DecimalPrefix(rate);
    }
    for (const char* key : {"sleep_light", "move_wakeup", "move_closelight"}) {
        if (xml.FindElem(key)) store.SetSetting(profile, platform::FromUtf8(key), xml.GetAttrib("value"));
    }
    return true;
}

bool ResetReportRateToDeviceDefault(DeviceDescription& description, int deviceType, int profile,
                                    DocumentObserver* observer)
{
    bool found = false;
    XmlReader xml;
    if (OpenDescription(xml, FindModelEntry(deviceType).databaseName) && xml.FindElem("mouse_info") &&
        xml.IntoElem() && xml.FindElem("report_rate")) {
        const std::wstring rate = xml.GetAttrib("default_value");
        SettingsStore& store = SettingsStore::Instance();
        store.SetSetting(profile, L"report_rate", rate);
        store.SetSetting(profile, L"report_rate_wireless", rate);
        description.rateCapability = DecimalPrefix(rate);
        if (observer) observer->OnReportRateDefault(description.rateCapability);
        found = true;
    }
    if (observer) observer->OnEnqueueTask(kTaskWriteReportRate);
    return found;
}

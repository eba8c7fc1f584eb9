#include "app/documents/AppConfig.h"

#include <cstdio>

#include "app/device/DeviceDefinition.h"
#include "app/device/HidDeviceManager.h"
#include "app/documents/DocumentObserver.h"
#include "app/documents/LanguageText.h"
#include "app/documents/XmlReader.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "platform/UserRegistry.h"

namespace {

constexpr int kFallbackLanguage = 1054;
constexpr int kUnreadableRegistryLanguage = 2052;

void StoreLanguage(int languageId)
{
    // The key is opened, not created, for writing: when it is gone nothing is stored.
    platform::UserRegistry::WriteValue(platform::DeviceName(), L"LCID", std::to_wstring(languageId));
}

} // namespace

AppConfig& AppConfig::Instance()
{
    static AppConfig config;
    return config;
}

std::string AppConfig::FilePath()
{
    return platform::ProgramFolder() + "/config.xml";
}

bool AppConfig::ReadStartupConfig()
{
    {
        std::lock_guard lock(m_lock);
        m_languages.clear();
    }
    XmlReader xml;
    if (!xml.Load(FilePath()) || !xml.FindElem("config")) {
        platform::Trace(platform::TraceWarning, "config: no readable configuration at %s",
                        FilePath().c_str());
        return false;
    }
    xml.IntoElem();
    if (xml.FindElem("language.info")) {
        SetCurrentLanguage(xml.GetAttribInt("default_lan"));
        xml.IntoElem();
        std::set<int> languages;
        while (xml.FindElem("lan"))
            languages.insert(xml.GetAttribInt("value"));
        xml.OutOfElem();
        std::lock_guard lock(m_lock);
        m_languages = std::move(languages);
    }
    if (xml.FindElem("software")) platform::SetDeviceName(xml.GetAttrib("caption"));
    return true;
}

int AppConfig::ChooseStartupLanguage()
{
    using platform::UserRegistry;
    const std::wstring key = platform::DeviceName();
    int stored = 0;
    if (!UserRegistry::KeyExists(key)) {
        if (!UserRegistry::CreateKey(key)) stored = kUnreadableRegistryLanguage;
    } else if (const auto value = UserRegistry::ReadValue(key, L"LCID")) {
        stored = DecimalPrefix(*value);
    }

    const std::set<int> available = AvailableLanguages();
    int current = stored;
    if (current == 0) {
        current = platform::UserUiLanguage();
        StoreLanguage(available.count(current) ? current : kFallbackLanguage);
    }
    if (!available.count(current)) {
        StoreLanguage(kFallbackLanguage);
        current = kFallbackLanguage;
    }
    SetCurrentLanguage(current);
    return current;
}

bool AppConfig::ReadModelList(DocumentObserver* observer)
{
    {
        std::lock_guard lock(m_lock);
        m_models.clear();
        m_identities.clear();
    }
    if (observer) observer->OnModelListCleared();
    HidDeviceManager::Instance().ClearDefinitions();

    XmlReader xml;
    if (!xml.Load(FilePath()) || !xml.FindElem("config")) {
        platform::Trace(platform::TraceWarning, "config: no model list in %s", FilePath().c_str());
        return false;
    }
    xml.IntoElem();
    std::vector<ModelEntry> models;
    std::vector<ModelEntry> identities;
    if (xml.FindElem("device")) {
        xml.IntoElem();
        while (xml.FindElem("mouse")) {
            ModelEntry model;
            model.name = xml.GetAttrib("name");
            model.deviceType = xml.GetAttribInt("device_type");
            model.databaseName = xml.GetAttrib("device_attr");
            model.picture = L"device\\" + xml.GetAttrib("image");
            models.push_back(model);
            if (observer) observer->OnModelAdded(model.name, model.deviceType, model.picture);
            xml.IntoElem();
            while (xml.FindElem("mode")) {
                ModelEntry identity = model;
                identity.connectionMode = xml.GetAttribInt("value");
                identity.desc = xml.GetAttrib("desc");
                identity.vendorId = HexValue(xml.GetAttrib("vid"));
                identity.productId = HexValue(xml.GetAttrib("pid"));
                identity.deviceId = xml.GetAttrib("dev_id");
                identity.hidInterface = xml.GetAttrib("hid_interface");
                identities.push_back(identity);

                DeviceDefinition definition;
                definition.vendorId = identity.vendorId;
                definition.productId = identity.productId;
                definition.deviceType = identity.deviceType;
                definition.connectionMode = identity.connectionMode;
                definition.deviceId = identity.deviceId;
                HidDeviceManager::Instance().AddDefinition(definition);
            }
            xml.OutOfElem();
        }
        xml.OutOfElem();
    }

    SoftwareInfo software;
    if (xml.FindElem("software")) {
        software.version = xml.GetAttrib("version");
        if (observer) observer->OnFooterText(LanguageText(17) + L": v" + software.version);
        xml.IntoElem();
        const auto link = [&](const char* element, const char* attribute, std::wstring& into) {
            if (xml.FindElem(element)) into = xml.GetAttrib(attribute);
        };
        link("website", "url", software.website);
        link("feedback", "url", software.feedback);
        link("qa", "url", software.qa);
        link("store", "url", software.store);
        link("upgrade", "url", software.upgrade);
        link("copyright", "info", software.copyright);
    }
    {
        std::lock_guard lock(m_lock);
        m_models = std::move(models);
        m_identities = std::move(identities);
        m_software = std::move(software);
    }
    if (observer) observer->OnModelListRead();
    return true;
}

std::set<int> AppConfig::AvailableLanguages() const
{
    std::lock_guard lock(m_lock);
    return m_languages;
}

std::vector<ModelEntry> AppConfig::Models() const
{
    std::lock_guard lock(m_lock);
    return m_models;
}

std::vector<ModelEntry> AppConfig::Identities() const
{
    std::lock_guard lock(m_lock);
    return m_identities;
}

std::optional<ModelEntry> AppConfig::FindModel(int deviceType) const
{
    std::lock_guard lock(m_lock);
    for (const ModelEntry& model : m_models)
        if (model.deviceType == deviceType) return model;
    return std::nullopt;
}

SoftwareInfo AppConfig::Software() const
{
    std::lock_guard lock(m_lock);
    return m_software;
}

void ChangeLanguage(int languageId)
{
    SetCurrentLanguage(languageId);
    StoreLanguage(languageId);
}

int RememberedDeviceType()
{
    return platform::UserRegistry::ReadInt(platform::DeviceName(), L"DeviceType");
}

void SetRememberedDeviceType(int deviceType)
{
    platform::UserRegistry::WriteInt(platform::DeviceName(), L"DeviceType", deviceType);
}

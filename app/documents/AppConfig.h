#pragma once
// The application configuration, config.xml in the program folder: the languages offered, the
// product name, the supported mouse models with the USB identities of each connection mode,
// the software version and the support links.
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

class DocumentObserver;

// One model entry. The per-mouse entries leave the mode fields zero or empty; a per-mode entry
// repeats its mouse's four fields and adds the identity of one connection mode.
struct ModelEntry
{
    std::wstring name;
    int deviceType = 0;
    std::wstring databaseName; // "device_attr": names the settings database and the description file
    std::wstring picture;      // "device\" + image
    int connectionMode = 0;    // 0 = USB cable, 1 = 2.4 GHz receiver
    int vendorId = 0;
    int productId = 0;
    std::wstring deviceId;
    std::wstring desc;
    std::wstring hidInterface;
};

struct SoftwareInfo
{
    std::wstring version;
    std::wstring website;
    std::wstring feedback;
    std::wstring qa;
    std::wstring store;
    std::wstring upgrade;
    std::wstring copyright;
};

class AppConfig
{
public:
    static AppConfig& Instance();

    // <program folder>/config.xml
    static std::string FilePath();

    // Start-up: the available languages, the default language and the device name.
    // False when config.xml cannot be read (nothing but the language set changes then).
    bool ReadStartupConfig();
    // Picks the language of this run from the registry value "LCID", the user's language and
    // the available set, storing the choice; returns it (also set as the current language).
    int ChooseStartupLanguage();
    // Rebuilds the model entries and the device manager's definitions, reports each model and
    // the footer to the observer and keeps the software links. False when config.xml cannot be read.
    bool ReadModelList(DocumentObserver* observer = nullptr);

    std::set<int> AvailableLanguages() const;
    // The per-mouse entries in file order, and the per-mode identities.
    std::vector<ModelEntry> Models() const;
    std::vector<ModelEntry> Identities() const;
    // The first per-mouse entry of this device type.
    std::optional<ModelEntry> FindModel(int deviceType) const;
    SoftwareInfo Software() const;

private:
    mutable std::mutex m_lock;
    std::set<int> m_languages;
    std::vector<ModelEntry> m_models;
    std::vector<ModelEntry> m_identities;
    SoftwareInfo m_software;
};

// A language chosen later (settings page): becomes the current language and is stored in
// "LCID" when the device name's key exists (the key is not created for this).
void ChangeLanguage(int languageId);

// The registry value "DeviceType" under the device name's key (0 when missing).
int RememberedDeviceType();
void SetRememberedDeviceType(int deviceType);

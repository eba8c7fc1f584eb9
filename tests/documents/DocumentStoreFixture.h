#pragma once
// A program folder and settings folder in temp folders, the configuration read into the
// process-wide AppConfig and the settings store open on a fresh database of one model.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/documents/AppConfig.h"
#include "app/documents/LanguageText.h"
#include "app/store/SettingsStore.h"
#include "documents/DocumentTestSupport.h"
#include "platform/Paths.h"

class DocumentStoreFixture : public ::testing::Test
{
protected:
    // Two models: 101 "lit" with lighting, 201 "plain" without.
    static constexpr const char* kConfig = R"(<config><device>
<mouse name="Lit" device_type="101" device_attr="lit" image="lit.png"><mode value="0" vid="1" pid="2" dev_id="AAAA"/></mouse>
<mouse name="Plain" device_type="201" device_attr="plain" image="plain.png"/>
<mouse name="Missing" device_type="301" device_attr="missing" image="missing.png"/>
</device></config>)";

    void SetUp() override
    {
        platform::SetProgramFolder(m_xdg.Folder().Path());
        platform::SetDeviceName(L"Quillbay");
        std::filesystem::create_directories(m_xdg.Folder().File("device"));
        std::filesystem::create_directories(m_xdg.Folder().File("language"));
        WriteFile(AppConfig::FilePath(), kConfig);
        WriteFile(LanguageFilePath(1033), "[LAN]\r\n61=Profile\r\n190=Left button\r\n106=Left click\r\n");
        m_savedLanguage = CurrentLanguage();
        SetCurrentLanguage(1033);
        ASSERT_TRUE(AppConfig::Instance().ReadModelList());
    }
    void TearDown() override
    {
        SettingsStore::Instance().CloseDatabase();
        platform::SetProgramFolder("");
        SetCurrentLanguage(m_savedLanguage);
    }

    void WriteDescription(const std::string& name, const std::string& text)
    {
        WriteFile(m_xdg.Folder().File("device/" + name + ".xml"), text);
    }
    // Opens the model's database and makes its four profiles; the active profile id.
    int OpenStore(const std::wstring& databaseName)
    {
        SettingsStore& store = SettingsStore::Instance();
        store.CloseDatabase();
        platform::MakeFolders(platform::SettingsFolder() + "db");
        EXPECT_TRUE(store.OpenDeviceDatabase(platform::SettingsFolder(), databaseName));
        return store.EnsureProfiles();
    }
    std::wstring Setting(int profile, const std::wstring& key)
    {
        std::wstring value;
        SettingsStore::Instance().GetSetting(profile, key, value);
        return value;
    }

    ScopedXdgHome m_xdg;
    int m_savedLanguage = 0;
};

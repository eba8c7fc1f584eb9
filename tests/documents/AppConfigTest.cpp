#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/device/HidDeviceManager.h"
#include "app/documents/AppConfig.h"
#include "app/documents/DocumentObserver.h"
#include "app/documents/LanguageText.h"
#include "documents/DocumentTestSupport.h"
#include "platform/Paths.h"
#include "platform/UserRegistry.h"

namespace {

using platform::UserRegistry;

const char* const kConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <language.info default_lan="2052"><lan value="1033"/><lan value="2052"/></language.info>
  <device>
    <mouse name="Vector" device_type="101" device_attr="vector" image="vector.png">
      <mode value="0" desc="cable" vid="1209" pid="0x0001" dev_id="KV01" hid_interface="MI_01"/>
      <mode value="1" desc="receiver" vid="0x1209" pid="0002" dev_id="KV01" hid_interface="MI_01"/>
    </mouse>
    <mouse name="Talon" device_type="201" device_attr="talon" image="talon.png"/>
  </device>
  <software caption="TestProduct" version="2.5.1">
    <website url="w"/><feedback url="f"/><store url="s"/><qa url="late q"/><upgrade url="u"/><copyright info="c"/>
  </software>
</config>)";

struct RecordingObserver : DocumentObserver
{
    void OnModelListCleared() override { calls.push_back(L"cleared"); }
    void OnModelAdded(const std::wstring& name, int type, const std::wstring& picture) override
    {
        calls.push_back(L"add " + name + L" " + std::to_wstring(type) + L" " + picture);
    }
    void OnFooterText(const std::wstring& text) override { calls.push_back(L"footer " + text); }
    void OnModelListRead() override { calls.push_back(L"read"); }
    std::vector<std::wstring> calls;
};

class AppConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetProgramFolder(m_xdg.Folder().Path());
        platform::SetDeviceName(L"Quillbay");
        setenv("LANG", "en_US.UTF-8", 1);
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
    }
    void TearDown() override
    {
        platform::SetProgramFolder("");
        platform::SetDeviceName(L"Quillbay");
        unsetenv("LANG");
        SetCurrentLanguage(2052);
    }
    void WriteConfig(const std::string& text) { WriteFile(AppConfig::FilePath(), text); }

    ScopedXdgHome m_xdg;
    AppConfig m_config;
};

TEST_F(AppConfigTest, StartupReadsLanguagesAndProductName)
{
    WriteConfig(kConfig);
    ASSERT_TRUE(m_config.ReadStartupConfig());
    EXPECT_EQ(m_config.AvailableLanguages(), (std::set<int>{1033, 2052}));
    EXPECT_EQ(CurrentLanguage(), 2052);
    EXPECT_EQ(platform::DeviceName(), L"TestProduct");
}

TEST_F(AppConfigTest, SoftwareBeforeLanguagesIsNotSeen)
{
    WriteConfig(
        R"(<config><software caption="Early"/><language.info default_lan="1033"><lan value="1033"/></language.info></config>)");
    ASSERT_TRUE(m_config.ReadStartupConfig());
    EXPECT_EQ(m_config.AvailableLanguages(), std::set<int>{1033});
    EXPECT_EQ(platform::DeviceName(), L"Quillbay");
}

TEST_F(AppConfigTest, StartupLanguageChoice)
{
    const struct
    {
        const char* what;
        const char* languages; // lan elements
        const char* userLocale;
        const wchar_t* storedBefore; // nullptr: no key yet; L"": key without value
        int current;
        const wchar_t* storedAfter;
    } cases[] = {
        {"first start, offered", "<lan value='1033'/><lan value='2052'/>", "en_US.UTF-8", nullptr, 1033,
         L"1033"},
        {"first start, not offered", "<lan value='2052'/><lan value='1054'/>", "en_US.UTF-8", nullptr, 1054,
         L"1054"},
        {"empty value", "<lan value='1033'/><lan value='2052'/>", "zh_CN.UTF-8", L"", 2052, L"2052"},
        {"stored and offered", "<lan value='1033'/><lan value='1041'/>", "en_US.UTF-8", L"1041", 1041,
         L"1041"},
        {"stored, no longer offered", "<lan value='1033'/><lan value='1054'/>", "en_US.UTF-8", L"2052", 1054,
         L"1054"},
        {"garbage value", "<lan value='1033'/>", "en_US.UTF-8", L"abc", 1033, L"1033"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteConfig(std::string("<config><language.info default_lan='1033'>") + c.languages +
                    "</language.info><software caption='Choice'/></config>");
        ASSERT_TRUE(m_config.ReadStartupConfig());
        std::filesystem::remove_all(UserRegistry::KeyFile(L"Choice"));
        setenv("LANG", c.userLocale, 1);
        if (c.storedBefore) {
            ASSERT_TRUE(UserRegistry::CreateKey(L"Choice"));
            if (*c.storedBefore)
                ASSERT_TRUE(UserRegistry::WriteValue(L"Choice", L"LCID", c.storedBefore));
            else
                UserRegistry::DeleteValue(L"Choice", L"LCID");
        }
        EXPECT_EQ(m_config.ChooseStartupLanguage(), c.current);
        EXPECT_EQ(CurrentLanguage(), c.current);
        EXPECT_EQ(UserRegistry::ReadValue(L"Choice", L"LCID").value_or(L"none"), c.storedAfter);
    }
}

TEST_F(AppConfigTest, ChangingTheLanguageStoresItOnlyUnderAnExistingKey)
{
    ChangeLanguage(1041);
    EXPECT_EQ(CurrentLanguage(), 1041);
    EXPECT_FALSE(UserRegistry::KeyExists(L"Quillbay"));
    ASSERT_TRUE(UserRegistry::CreateKey(L"Quillbay"));
    ChangeLanguage(1042);
    EXPECT_EQ(UserRegistry::ReadValue(L"Quillbay", L"LCID").value_or(L""), L"1042");
}

TEST_F(AppConfigTest, MissingConfigurationLeavesDefaults)
{
    RecordingObserver observer;
    EXPECT_FALSE(m_config.ReadStartupConfig());
    EXPECT_TRUE(m_config.AvailableLanguages().empty());
    EXPECT_EQ(platform::DeviceName(), L"Quillbay");
    EXPECT_EQ(m_config.ChooseStartupLanguage(), 1054);
    EXPECT_EQ(UserRegistry::ReadValue(L"Quillbay", L"LCID").value_or(L""), L"1054");
    EXPECT_FALSE(m_config.ReadModelList(&observer));
    EXPECT_TRUE(m_config.Models().empty());
    EXPECT_EQ(observer.calls, std::vector<std::wstring>{L"cleared"});
    EXPECT_TRUE(HidDeviceManager::Instance().Definitions().empty());
}

TEST_F(AppConfigTest, ModelListGivesEntriesIdentitiesAndLinks)
{
    WriteConfig(kConfig);
    std::filesystem::create_directories(m_xdg.Folder().File("language"));
    WriteFile(LanguageFilePath(2052), "[LAN]\n17=\xE7\x89\x88\xE6\x9C\xAC\n");
    SetCurrentLanguage(2052);
    RecordingObserver observer;
    ASSERT_TRUE(m_config.ReadModelList(&observer));

    EXPECT_EQ(observer.calls, (std::vector<std::wstring>{L"cleared", L"add Vector 101 device\\vector.png",
                                                         L"add Talon 201 device\\talon.png",
                                                         L"footer 版本: v2.5.1", L"read"}));
    const auto models = m_config.Models();
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[1].databaseName, L"talon");
    EXPECT_EQ(models[1].vendorId, 0);
    EXPECT_EQ(m_config.FindModel(101)->databaseName, L"vector");
    EXPECT_FALSE(m_config.FindModel(7).has_value());

    const auto identities = m_config.Identities();
    ASSERT_EQ(identities.size(), 2u);
    for (const ModelEntry& identity : identities) {
        EXPECT_EQ(identity.vendorId, 0x1209);
        EXPECT_EQ(identity.deviceType, 101);
        EXPECT_EQ(identity.deviceId, L"KV01");
        EXPECT_EQ(identity.picture, L"device\\vector.png");
    }
    EXPECT_EQ(identities[0].productId, 1);
    EXPECT_EQ(identities[1].productId, 2);
    EXPECT_EQ(identities[1].connectionMode, 1);
    EXPECT_EQ(identities[1].desc, L"receiver");

    const auto definitions = HidDeviceManager::Instance().Definitions();
    ASSERT_EQ(definitions.size(), 2u);
    EXPECT_EQ(definitions[1].vendorId, 0x1209);
    EXPECT_EQ(definitions[1].productId, 2);
    EXPECT_EQ(definitions[1].deviceType, 101);
    EXPECT_EQ(definitions[1].connectionMode, 1);
    EXPECT_EQ(definitions[1].deviceId, L"KV01");

    // The links are searched in order: the search for qa passes over store, which is then not seen.
    const SoftwareInfo software = m_config.Software();
    EXPECT_EQ(software.version, L"2.5.1");
    EXPECT_EQ(software.website, L"w");
    EXPECT_EQ(software.qa, L"late q");
    EXPECT_EQ(software.store, L"");
    EXPECT_EQ(software.upgrade, L"u");
    EXPECT_EQ(software.copyright, L"c");
}

TEST_F(AppConfigTest, ShippedConfigurationDescribesBothModels)
{
    platform::SetProgramFolder(KORVANE_RUNTIME_DIR);
    ASSERT_TRUE(m_config.ReadStartupConfig());
    EXPECT_EQ(m_config.AvailableLanguages(), (std::set<int>{1028, 1033, 1041, 1042, 1054, 1058, 2052}));
    ASSERT_TRUE(m_config.ReadModelList());
    const auto vector = m_config.FindModel(101);
    const auto talon = m_config.FindModel(201);
    ASSERT_TRUE(vector && talon);
    int vectorModes = 0, talonModes = 0;
    for (const ModelEntry& identity : m_config.Identities()) {
        EXPECT_NE(identity.vendorId, 0);
        EXPECT_NE(identity.productId, 0);
        EXPECT_EQ(identity.deviceId.size(), 4u);
        (identity.deviceType == 101 ? vectorModes : talonModes) |= 1 << identity.connectionMode;
    }
    EXPECT_EQ(vectorModes, 3); // cable and receiver
    EXPECT_EQ(talonModes, 1);  // cable only
    EXPECT_FALSE(m_config.Software().upgrade.empty());
}

} // namespace

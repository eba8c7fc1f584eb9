#pragma once
// A settings store on a real database file in a temporary settings folder.
#include "TempFolder.h"
#include "app/store/SQLiteStatement.h"
#include "app/store/SettingsStore.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings = m_temp.Path() + "/";
        platform::MakeFolders(m_settings + "db");
        platform::SetTraceSink([this](int, const std::string& line) {
            std::lock_guard<std::mutex> lock(m_traceLock);
            m_trace.push_back(line);
        });
    }
    void TearDown() override { platform::SetTraceSink(nullptr); }

    bool Open(const std::wstring& name = L"m1") { return m_store.OpenDeviceDatabase(m_settings, name); }
    std::string DbFile(const std::wstring& name = L"m1") const
    {
        return SettingsStore::DatabasePath(m_settings, name);
    }
    std::vector<std::string> Trace()
    {
        std::lock_guard<std::mutex> lock(m_traceLock);
        return m_trace;
    }

    TempFolder m_temp;
    std::string m_settings;
    SettingsStore m_store;
    std::mutex m_traceLock;
    std::vector<std::string> m_trace;
};

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "app/documents/LanguageText.h"
#include "platform/Paths.h"

namespace {

// The ids of the text-id table the language files are made from.
std::vector<int> TableIds()
{
    std::ifstream table(std::string(KORVANE_FIXTURES_DIR) + "/../../data/language-ids.tsv");
    std::vector<int> ids;
    std::string line;
    std::getline(table, line); // header
    while (std::getline(table, line))
        if (!line.empty()) ids.push_back(std::stoi(line));
    return ids;
}

class ShippedLanguageFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetProgramFolder(KORVANE_RUNTIME_DIR);
        m_saved = CurrentLanguage();
    }
    void TearDown() override
    {
        platform::SetProgramFolder("");
        SetCurrentLanguage(m_saved);
    }
    int m_saved = 0;
};

TEST_F(ShippedLanguageFiles, EveryLanguageHoldsEveryTextId)
{
    const std::vector<int> ids = TableIds();
    ASSERT_GT(ids.size(), 150u);
    // Texts only the shell and the firmware prompt show, easily left out of the table.
    for (int id : {1, 12, 17, 61, 551, 580, 581, 582, 583})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << "text " << id;
    for (int language : {2052, 1033, 1028, 1041, 1042, 1058, 1054}) {
        SetCurrentLanguage(language);
        std::set<std::wstring> distinct;
        for (int id : ids) {
            const std::wstring text = LanguageText(id);
            EXPECT_FALSE(text.empty()) << "language " << language << " text " << id;
            distinct.insert(text);
        }
        EXPECT_GT(distinct.size(), ids.size() * 3 / 4) << language; // translated, not copied
    }
}

TEST_F(ShippedLanguageFiles, WordsTheProgramMatchesOn)
{
    // Default profile names and macro names are recognised by these words.
    const struct
    {
        int language, id;
        const wchar_t* text;
    } cases[] = {
        {1033, 61, L"Profile"}, {2052, 61, L"配置"},      {1033, 351, L"Custom"}, {2052, 351, L"自定义"},
        {1028, 351, L"自定義"}, {1041, 351, L"カスタム"}, {1033, 31, L"Copy"},    {2052, 31, L"复制"},
    };
    for (const auto& c : cases) {
        SetCurrentLanguage(c.language);
        EXPECT_EQ(LanguageText(c.id), c.text) << c.language << " " << c.id;
    }
}

} // namespace

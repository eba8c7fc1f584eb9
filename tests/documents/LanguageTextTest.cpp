#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/documents/LanguageText.h"
#include "documents/DocumentTestSupport.h"
#include "platform/Paths.h"

namespace {

class LanguageTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::SetProgramFolder(m_folder.Path());
        std::filesystem::create_directories(m_folder.File("language"));
        m_savedLanguage = CurrentLanguage();
        SetCurrentLanguage(1033);
    }
    void TearDown() override
    {
        platform::SetProgramFolder("");
        SetCurrentLanguage(m_savedLanguage);
    }
    void WriteLanguage(int id, const std::string& bytes) { WriteFile(LanguageFilePath(id), bytes); }

    TempFolder m_folder;
    int m_savedLanguage = 0;
};

TEST_F(LanguageTextTest, ReadsEveryEncodingTheFilesComeIn)
{
    const std::wstring body = L"[LAN]\r\n17=Version\r\n61=Профиль 配置 โปรไฟล์\r\n";
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"utf-16 le with bom", Utf16LeWithBom(body)},
        {"utf-8", "[LAN]\n17=Version\n61=\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C "
                  "\xE9\x85\x8D\xE7\xBD\xAE "
                  "\xE0\xB9\x82\xE0\xB8\x9B\xE0\xB8\xA3\xE0\xB9\x84\xE0\xB8\x9F\xE0\xB8\xA5\xE0\xB9\x8C\n"},
        {"utf-8 with bom",
         "\xEF\xBB\xBF[LAN]\r\n17=Version\r\n61=\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C "
         "\xE9\x85\x8D\xE7\xBD\xAE "
         "\xE0\xB9\x82\xE0\xB8\x9B\xE0\xB8\xA3\xE0\xB9\x84\xE0\xB8\x9F\xE0\xB8\xA5\xE0\xB9\x8C\r\n"},
    };
    for (const auto& c : cases) {
        WriteLanguage(1033, c.bytes);
        EXPECT_EQ(LanguageText(17), L"Version") << c.what;
        EXPECT_EQ(LanguageText(61), L"Профиль 配置 โปรไฟล์") << c.what;
    }
    // ANSI: bytes that are not UTF-8 are read in the Western page.
    WriteLanguage(1033, "[LAN]\r\n5=Caf\xE9 \x80\r\n");
    EXPECT_EQ(LanguageText(5), L"Café €");
}

TEST_F(LanguageTextTest, MatchesLikeTheProfileReader)
{
    WriteLanguage(1033, "; comment\r\n"
                        "[Other]\r\n"
                        "1=other section\r\n"
                        "[ lan ]\r\n"
                        "  1  =   trimmed value  \t\r\n"
                        "2=first\r\n"
                        "2=second\r\n"
                        "3=\r\n"
                        "no equals sign\r\n"
                        "[LAN]\r\n"
                        "4=from a repeated section\r\n"
                        "1=not the first\r\n"
                        "[Other]\r\n"
                        "5=outside\r\n");
    EXPECT_EQ(LanguageText(1), L"trimmed value");
    EXPECT_EQ(LanguageText(2), L"first");
    EXPECT_EQ(LanguageText(3), L"");
    EXPECT_EQ(LanguageText(4), L"from a repeated section");
    EXPECT_EQ(LanguageText(5), L"");
    EXPECT_EQ(LanguageText(99), L"");
    EXPECT_EQ(LanguageText(1, L"OTHER"), L"other section");
    EXPECT_EQ(LanguageText(1, L"missing"), L"");
}

TEST_F(LanguageTextTest, CutsLongTextsAndFollowsTheCurrentLanguage)
{
    WriteLanguage(1033, "[LAN]\n7=" + std::string(300, 'x') + "\n8=English\n");
    WriteLanguage(2052, "[LAN]\n8=\xE8\x8B\xB1\xE6\x96\x87\n");
    EXPECT_EQ(LanguageText(7), std::wstring(259, L'x'));
    EXPECT_EQ(LanguageText(8), L"English");
    SetCurrentLanguage(2052);
    EXPECT_EQ(LanguageText(8), L"英文");
    SetCurrentLanguage(1041); // no file
    EXPECT_EQ(LanguageText(8), L"");
}

TEST_F(LanguageTextTest, BrokenFilesGiveEmptyTexts)
{
    const std::string cases[] = {
        "",
        "\xFF\xFE",           // bom alone
        "\xFF\xFE[\x00L\x00", // cut inside a section name
        "\xFF\xFE[\x00L\x00A\x00N\x00]\x00\n\x00"
        "1\x00=\x00\x41", // odd byte count
        "[LAN",
        "[LAN]\n=\n==\n[\n]\n",
        std::string("\0\0\0[LAN]\n1=x", 12),
    };
    for (const std::string& bytes : cases) {
        WriteLanguage(1033, bytes);
        EXPECT_EQ(LanguageText(2), L"");
    }
    WriteLanguage(1033, "[LAN]\r\n1=ok");
    EXPECT_EQ(LanguageText(1), L"ok"); // no line end after the last value
}

} // namespace

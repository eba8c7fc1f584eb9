#include "TempFolder.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "platform/UserRegistry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

TEST(Text, RoundTripsAcrossScripts)
{
    for (const std::wstring s : {L"", L"Profile 1", L"配置文件", L"โปรไฟล์", L"Профіль", L"\U0001F5B1 mouse"}) {
        EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
        EXPECT_TRUE(IsValidUtf8(ToUtf8(s)));
    }
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters)
{
    struct Case {
        std::string bytes;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"a\xC3", L"a\uFFFD"},               // truncated sequence
        {"\xC0\xAF", L"\uFFFD"},             // overlong
        {"\xED\xA0\x80x", L"\uFFFDx"},       // encoded surrogate
        {"\xFFok", L"\uFFFDok"},             // invalid lead byte
        {"\xE4\xB8" "a", L"\uFFFDa"},        // continuation missing, next byte kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromUtf8(c.bytes), c.expected);
        EXPECT_FALSE(IsValidUtf8(c.bytes));
    }
}

TEST(Text, Utf16LittleEndianWithSurrogatePairs)
{
    const unsigned char bytes[] = {'A', 0, 0x3D, 0xD8, 0x31, 0xDE, 0x00, 0xD8, 'z', 0, 0x42};
    // A, U+1F631, a lone high surrogate, z; the odd trailing byte is ignored.
    EXPECT_EQ(FromUtf16LE(bytes, sizeof bytes), std::wstring(L"A\U0001F631\uFFFDz"));
}

TEST(UserRegistry, MissingReadsNothingAndWritesNeedTheKey)
{
    ScopedXdgHome home;
    EXPECT_FALSE(UserRegistry::KeyExists(L"Quillbay"));
    EXPECT_EQ(UserRegistry::ReadInt(L"Quillbay", L"DeviceType"), 0);
    EXPECT_FALSE(UserRegistry::WriteInt(L"Quillbay", L"DeviceType", 101));
    EXPECT_FALSE(UserRegistry::KeyExists(L"Quillbay"));

    ASSERT_TRUE(UserRegistry::CreateKey(L"Quillbay"));
    EXPECT_EQ(UserRegistry::ReadInt(L"Quillbay", L"DeviceType"), 0);
    EXPECT_TRUE(UserRegistry::WriteInt(L"Quillbay", L"DeviceType", 101));
    EXPECT_EQ(UserRegistry::ReadInt(L"Quillbay", L"DeviceType"), 101);

    // Values with separators and line breaks survive; a non-number reads 0.
    EXPECT_TRUE(UserRegistry::WriteValue(L"Quillbay", L"odd=name", L"a=b\nc\\d 中"));
    EXPECT_EQ(UserRegistry::ReadValue(L"Quillbay", L"odd=name").value(), L"a=b\nc\\d 中");
    EXPECT_TRUE(UserRegistry::WriteValue(L"Quillbay", L"DeviceType", L"abc"));
    EXPECT_EQ(UserRegistry::ReadInt(L"Quillbay", L"DeviceType"), 0);
    EXPECT_TRUE(UserRegistry::DeleteValue(L"Quillbay", L"odd=name"));
    EXPECT_FALSE(UserRegistry::ReadValue(L"Quillbay", L"odd=name").has_value());
}

TEST(Paths, LocaleToLanguageId)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"en_US.UTF-8", 1033}, {"zh_CN.UTF-8", 2052}, {"zh_TW", 1028}, {"zh_HK.UTF-8", 1028},
        {"ja_JP.UTF-8", 1041}, {"ko_KR", 1042},       {"uk_UA.UTF-8", 1058}, {"th_TH", 1054},
        {"ru_RU.UTF-8@x", 1049}, {"de_DE", 0},        {"C", 0}};
    for (const auto& [locale, id] : cases) EXPECT_EQ(LanguageIdFromLocale(locale), id) << locale;
}

TEST(Clock, FakeClockAdvancesOnlyWhenWaiting)
{
    FakeClock fake;
    ScopedClock scoped(fake);
    const auto start = GetClock().Now();
    GetClock().SleepMs(66);
    std::mutex m;
    std::condition_variable cv;
    std::unique_lock<std::mutex> lock(m);
    EXPECT_FALSE(GetClock().WaitFor(lock, cv, 30, [] { return false; }));
    EXPECT_TRUE(GetClock().WaitFor(lock, cv, 30, [] { return true; }));
    EXPECT_EQ(GetClock().Now() - start, std::chrono::milliseconds(96));
    EXPECT_EQ(fake.Sleeps(), std::vector<int>{66});
    EXPECT_EQ(fake.Waits(), std::vector<int>{30});
}

TEST(Trace, SinkReceivesFormattedLinesIncludingLongOnes)
{
    std::vector<std::string> lines;
    SetTraceSink([&](int, const std::string& line) { lines.push_back(line); });
    Trace(TraceInfo, "write %s %d", "ok", 7);
    const std::string longText(2000, 'x');
    Trace(TraceInfo, "%s", longText.c_str());
    SetTraceSink(nullptr);
    Trace(TraceInfo, "dropped");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "write ok 7");
    EXPECT_EQ(lines[1], longText);
}

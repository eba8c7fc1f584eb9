#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "app/documents/XmlReader.h"
#include "app/documents/XmlWriter.h"
#include "documents/DocumentTestSupport.h"

namespace {

bool LoadText(XmlReader& xml, const std::string& text)
{
    return xml.LoadFromMemory(text.data(), text.size());
}

TEST(XmlReader, SearchGoesForwardOnlyAndStaysPutWhenNothingIsFound)
{
    XmlReader xml;
    ASSERT_TRUE(LoadText(xml, "<r><a id='1'/><b id='2'/><a id='3'><c id='4'/></a></r>"));
    ASSERT_TRUE(xml.FindElem("r"));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem("b"));
    ASSERT_TRUE(xml.FindElem("a"));
    EXPECT_EQ(xml.GetAttrib("id"), L"3"); // the a before b is never seen again
    EXPECT_FALSE(xml.FindElem("b"));
    EXPECT_EQ(xml.GetAttrib("id"), L"3"); // a failed search leaves the position alone
    ASSERT_TRUE(xml.IntoElem());
    EXPECT_FALSE(xml.FindElem("a"));
    ASSERT_TRUE(xml.FindElem("c"));
    EXPECT_EQ(xml.GetAttribInt("id"), 4);
    ASSERT_TRUE(xml.OutOfElem());
    EXPECT_EQ(xml.GetAttrib("id"), L"3");
    EXPECT_EQ(xml.GetAttrib("missing"), L"");
    EXPECT_EQ(xml.GetAttribInt("missing"), 0);
    ASSERT_TRUE(xml.OutOfElem());
    EXPECT_FALSE(xml.OutOfElem());
}

TEST(XmlReader, ReadsUtf16AndUtf8Files)
{
    TempFolder folder;
    const std::wstring doc = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?><m name=\"配置 Профиль ไทย\"/>";
    WriteFile(folder.File("u16.xml"), Utf16LeWithBom(doc));
    WriteFile(folder.File("u8.xml"), "\xEF\xBB\xBF<m name=\"\xE9\x85\x8D\xE7\xBD\xAE Профиль ไทย\"/>");
    for (const char* name : {"u16.xml", "u8.xml"}) {
        XmlReader xml;
        ASSERT_TRUE(xml.Load(folder.File(name))) << name;
        ASSERT_TRUE(xml.FindElem("m"));
        EXPECT_EQ(xml.GetAttrib("name"), L"配置 Профиль ไทย") << name;
    }
}

TEST(XmlReader, BadDocumentsFailWithATraceLineAndFindNothing)
{
    TempFolder folder;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"truncated", "<profile><profileinfo name=\"x\"><keyitems><item key_code=\"1"},
        {"unclosed", "<profile><profileinfo>"},
        {"garbage", "\x01\x02\xFF\xFE\x00 not xml"},
    };
    for (const auto& [what, bytes] : cases) {
        WriteFile(folder.File("bad.xml"), bytes);
        TraceRecorder trace;
        XmlReader xml;
        EXPECT_FALSE(xml.Load(folder.File("bad.xml"))) << what;
        EXPECT_FALSE(xml.FindElem("profile")) << what;
        EXPECT_FALSE(xml.IntoElem()) << what;
        EXPECT_EQ(xml.GetAttrib("name"), L"") << what;
        EXPECT_FALSE(trace.Lines().empty()) << what;
    }
    TraceRecorder trace;
    XmlReader xml;
    EXPECT_FALSE(xml.Load(folder.File("missing.xml")));
    EXPECT_EQ(trace.Lines().size(), 1u);
    EXPECT_FALSE(xml.Load(folder.Path())); // a folder
    XmlWriter writer;
    writer.AddElem("a");
    EXPECT_FALSE(writer.Save(folder.Path()));
}

TEST(XmlReader, RefusesFilesBeyondTheSizeLimit)
{
    TempFolder folder;
    const std::string path = folder.File("huge.xml");
    WriteFile(path, "<a/>");
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(kMaxXmlFileBytes) + 1), 0);
    XmlReader xml;
    EXPECT_FALSE(xml.Load(path));
    EXPECT_EQ(std::filesystem::file_size(path), kMaxXmlFileBytes + 1); // read-only: never touched
}

TEST(XmlNumbers, LeadingDigitsAndHexadecimalTexts)
{
    const struct
    {
        const wchar_t* text;
        int decimal;
        int hex;
    } cases[] = {
        {L"", 0, 0},
        {L"12abc", 12, 0x12abc},
        {L"  -7", -7, -7},
        {L"+5", 5, 5},
        {L"abc", 0, 0xabc},
        {L"zz", 0, 0},
        {L"0x1209", 0, 0x1209},
        {L"0X00ff", 0, 0xff},
        {L"1209", 1209, 0x1209},
        {L"0x", 0, 0},
        {L"4294967296", INT_MAX, INT_MAX},
        {L"99999999999999999999999999", INT_MAX, INT_MAX},
        {L"-99999999999999999999999999", INT_MIN, INT_MIN},
        {L"2147483647", INT_MAX, INT_MAX},
        {L"-2147483648", INT_MIN, INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalPrefix(c.text), c.decimal) << std::string(c.text, c.text + wcslen(c.text));
        EXPECT_EQ(HexValue(c.text), c.hex) << std::string(c.text, c.text + wcslen(c.text));
    }
}

TEST(XmlWriter, WritesTheExchangeFormatByteForByte)
{
    XmlWriter xml;
    xml.AddElem("macro");
    xml.IntoElem();
    xml.AddElem("macroinfo");
    xml.AddAttrib("macro_name", L"a&b<c>\"d\"'e' 宏");
    xml.AddAttrib("play_times", 3);
    xml.AddElem("macroitems");
    xml.IntoElem();
    xml.OutOfElem();
    xml.AddElem("tail");
    xml.IntoElem();
    xml.AddElem("item");
    xml.AddAttrib("value", -1);
    xml.OutOfElem();
    xml.OutOfElem();
    EXPECT_EQ(xml.ToString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro>\r\n"
              "<macroinfo macro_name=\"a&amp;b&lt;c&gt;&quot;d&quot;&apos;e&apos; \xE5\xAE\x8F\" "
              "play_times=\"3\"/>\r\n"
              "<macroitems/>\r\n"
              "<tail>\r\n"
              "<item value=\"-1\"/>\r\n"
              "</tail>\r\n"
              "</macro>\r\n");
}

TEST(XmlWriter, AddsAfterTheCurrentElementAndRoundTripsThroughTheReader)
{
    XmlWriter xml;
    xml.AddElem("r");
    xml.IntoElem();
    xml.AddElem("first");
    xml.AddElem("third");
    xml.OutOfElem();
    xml.IntoElem(); // back in r: the current element is the last child
    xml.AddElem("fourth");
    xml.AddAttrib("text", L"<&>");
    xml.OutOfElem();

    XmlReader reader;
    const std::string text = xml.ToString();
    ASSERT_TRUE(reader.LoadFromMemory(text.data(), text.size()));
    ASSERT_TRUE(reader.FindElem("r"));
    reader.IntoElem();
    EXPECT_TRUE(reader.FindElem("first"));
    EXPECT_TRUE(reader.FindElem("third"));
    ASSERT_TRUE(reader.FindElem("fourth"));
    EXPECT_EQ(reader.GetAttrib("text"), L"<&>");
}

TEST(XmlWriter, FailedSaveKeepsTheExistingFile)
{
    TempFolder folder;
    XmlWriter xml;
    xml.AddElem("a");
    EXPECT_FALSE(xml.Save(folder.File("no/such/folder/a.xml")));

    const std::string path = folder.File("kept.xml");
    WriteFile(path, "precious");
    if (geteuid() != 0) { // root writes into read-only folders anyway
        chmod(folder.Path().c_str(), 0500);
        EXPECT_FALSE(xml.Save(path));
        chmod(folder.Path().c_str(), 0700);
        EXPECT_EQ(ReadFile(path), "precious");
    }
    ASSERT_TRUE(xml.Save(path));
    EXPECT_EQ(ReadFile(path), xml.ToString());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1); // no temporary left
}

} // namespace

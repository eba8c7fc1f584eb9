#include <filesystem>

#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "documents/DocumentTestSupport.h"

namespace {

bool HaveCli()
{
    return std::filesystem::exists(std::string(KORVANE_RUNTIME_DIR) + "/korvane-cli");
}

TEST(DocumentCommands, ProfileAndMacroFilesRoundTrip)
{
    if (!HaveCli()) GTEST_SKIP() << "korvane-cli is not built";
    CliRunner cli;
    const std::string profile = cli.File("Office.xml");
    CliResult r = cli.Run("--model=101 export-profile " + profile);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string exported = ReadFile(profile);
    EXPECT_EQ(
        exported.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<profileinfo name=\"", 0),
        0u);
    // Model 101 has lighting: the profile carries its default records, effect 1 active.
    const size_t lights = exported.find("<Lightitems lightmode=\"1\">\r\n");
    ASSERT_NE(lights, std::string::npos) << exported;
    int effects = 0;
    for (size_t at = lights; (at = exported.find("<item light_mode=", at + 1)) != std::string::npos;)
        ++effects;
    EXPECT_EQ(effects, 6); // light_1 .. light_4, light_7, light_8
    r = cli.Run("--model=201 export-profile " + cli.File("talon.xml"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(cli.File("talon.xml")).find("Lightitems"), std::string::npos);

    r = cli.Run("--model=101 import-profile " + profile);
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli.Run("--model=101 profiles");
    EXPECT_NE(r.out.find("\tOffice\t1\n"), std::string::npos) << r.out;

    r = cli.Run("--model=101 macro add 'Fire & <Ice>'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string id = r.out.substr(0, r.out.find('\n'));
    ASSERT_EQ(cli.Run("--model=101 export-macro " + id + " " + cli.File("one.xml")).status, 0);
    EXPECT_NE(ReadFile(cli.File("one.xml")).find("macro_name=\"Fire &amp; &lt;Ice&gt;\""), std::string::npos);
    ASSERT_EQ(cli.Run("--model=101 export-macros " + cli.File("all.xml")).status, 0);

    r = cli.Run("--model=101 import-macro " + cli.File("one.xml"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 1);
    EXPECT_NE(r.out, id + "\n"); // a new macro
    r = cli.Run("--model=101 import-macros " + cli.File("all.xml"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 1);
    r = cli.Run("--model=101 macros");
    EXPECT_EQ(Lines(r.out), 3) << r.out;
}

TEST(DocumentCommands, FailuresSayWhatFailed)
{
    if (!HaveCli()) GTEST_SKIP() << "korvane-cli is not built";
    CliRunner cli;
    WriteFile(cli.File("broken.xml"), "<profile><profileinfo name=\"x\"");
    const struct
    {
        std::string args;
        int status;
    } cases[] = {
        {"import-profile " + cli.File("broken.xml"), 1},
        {"import-macro " + cli.File("broken.xml"), 1},
        {"import-macros " + cli.File("missing.xml"), 1},
        {"export-profile " + cli.File("no/folder/p.xml"), 1},
        {"export-macros " + cli.File("no/folder/m.xml"), 1},
        {"export-macro 4242 " + cli.File("m.xml"), 1},
        {"export-macro 0 " + cli.File("m.xml"), 2},
        {"export-macro 99999999999 " + cli.File("m.xml"), 2},
        {"export-macro 1", 2},
        {"import-profile", 2},
        {"import-macros a b", 2},
    };
    for (const auto& c : cases) {
        const CliResult r = cli.Run("--model=101 " + c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_EQ(Lines(r.err), 1) << c.args << ": " << r.err;
        EXPECT_EQ(r.err.rfind("korvane-cli: ", 0), 0u) << r.err;
    }
    EXPECT_EQ(ReadFile(cli.File("broken.xml")), "<profile><profileinfo name=\"x\"");
    EXPECT_FALSE(std::filesystem::exists(cli.File("m.xml")));
}

} // namespace

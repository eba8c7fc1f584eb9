// korvane-cli's store commands against the shipped data, in a temporary home.
#include "CliRunner.h"
#include "platform/UserRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

class StoreCommandsTest : public ::testing::Test
{
protected:
    CliResult Run(const std::string& args) { return m_cli.Run(args); }
    // Runs a command that must succeed and returns its output.
    std::string Ok(const std::string& args)
    {
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        return r.out;
    }
    // The settings folder of the shipped configuration's product in the test's home.
    std::string SettingsFolder() const { return m_cli.File("data/Korvane Files/"); }

    CliRunner m_cli;
};

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST_F(StoreCommandsTest, ProfilesAreCreatedAndSwitched)
{
    std::vector<std::string> profiles = Split(Ok("profiles"));
    ASSERT_EQ(profiles.size(), 4u);
    EXPECT_EQ(profiles[0].substr(0, 2), "1\t");
    EXPECT_EQ(profiles[0].back(), '1');
    EXPECT_EQ(profiles[3].substr(0, 2), "4\t");
    EXPECT_EQ(profiles[3].back(), '0');

    Ok("profile use 3");
    Ok("profile rename 3 'Профиль' '游戏'");
    profiles = Split(Ok("profiles"));
    EXPECT_EQ(profiles[2], "3\tПрофиль 游戏\t1");
    EXPECT_EQ(profiles[0].back(), '0');

    // Settings go to the active profile.
    Ok("set dpi_index 4");
    EXPECT_EQ(Ok("get dpi_index"), "4\n");
    Ok("profile use 1");
    EXPECT_NE(Ok("get dpi_index"), "4\n");
}

TEST_F(StoreCommandsTest, UsageAndFailuresExitWithAMessage)
{
    struct Case
    {
        const char* args;
        int status;
    } cases[] = {
        {"profiles x", 2},
        {"profile", 2},
        {"profile use abc", 2},
        {"profile use 9", 1},
        {"profile rename 2", 2},
        {"get", 2},
        {"get no_such_key", 1},
        {"set report_rate fast", 2},
        {"set report_rate 99999999999", 2},
        {"set no_such_key 1", 1},
        {"assign 1 2", 2},
        {"assign 1 10 1", 2},
        {"assign -1 2 4", 2},
        {"assign 1 4 999", 1}, // no such macro
        {"unassign x", 2},
        {"macro delete 77", 1},
        {"macro remove 1", 2},
        {"--model=999 profiles", 1},
    };
    for (const Case& c : cases) {
        CliResult r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.err.rfind("korvane-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST_F(StoreCommandsTest, KeyAssignmentsAndMacros)
{
    std::string id = Ok("macro add Combo '<1>'");
    ASSERT_FALSE(id.empty());
    id.pop_back();
    EXPECT_EQ(Ok("macros"), id + "\tCombo <1>\t0\n");

    Ok("assign 2 9 1");
    Ok("assign 3 4 " + id);
    Ok("assign 4 2 4 3 'Ctrl+Shift+A'");
    EXPECT_EQ(Ok("keys"), "2\t9\t1\t0\t\n3\t4\t" + id + "\t0\tCombo <1>\n4\t2\t4\t3\tCtrl+Shift+A\n");
    Ok("unassign 2");
    Ok("assign 4 1 0"); // value 0: back to the factory function
    EXPECT_EQ(Ok("keys"), "3\t4\t" + id + "\t0\tCombo <1>\n");

    Ok("macro delete " + id);
    EXPECT_EQ(Ok("macros"), "");
    EXPECT_EQ(Run("macro delete " + id).status, 1);
}

TEST_F(StoreCommandsTest, EachModelHasItsOwnDatabase)
{
    Ok("--model=101 set dpi_index 5");
    Ok("--model=201 set dpi_index 2");
    EXPECT_EQ(Ok("--model=101 get dpi_index"), "5\n");
    EXPECT_EQ(Ok("--model=201 get dpi_index"), "2\n");
    EXPECT_TRUE(std::filesystem::exists(SettingsFolder() + "db/vector_data.db"));
    EXPECT_TRUE(std::filesystem::exists(SettingsFolder() + "db/talon_data.db"));

    // Without --model: the remembered device type, else the first model.
    EXPECT_EQ(Ok("get dpi_index"), "5\n");
    ASSERT_TRUE(platform::UserRegistry::CreateKey(L"Korvane"));
    ASSERT_TRUE(platform::UserRegistry::WriteInt(L"Korvane", L"DeviceType", 201));
    EXPECT_EQ(Ok("get dpi_index"), "2\n");

    // The attached device's model comes before the remembered one.
    Ok("--simulate=model=101 set dpi_index 0");
    EXPECT_EQ(Ok("--model=101 get dpi_index"), "0\n");
    EXPECT_EQ(Ok("--model=201 get dpi_index"), "2\n");
}

TEST_F(StoreCommandsTest, LightsFollowTheModel)
{
    std::vector<std::string> lights = Split(Ok("--model=101 lights"));
    ASSERT_FALSE(lights.empty());
    int active = 0;
    for (const std::string& line : lights)
        active += line.find("active=1") != std::string::npos;
    EXPECT_EQ(active, 1);
    EXPECT_EQ(Split(Ok("--model=101 lights")), lights); // created once
    EXPECT_EQ(Ok("--model=201 lights"), "");
}

TEST_F(StoreCommandsTest, UnreadableDatabaseIsReportedAndKept)
{
    Ok("profiles"); // creates the folders
    const std::string file = SettingsFolder() + "db/vector_data.db";
    std::filesystem::remove(file);
    {
        std::ofstream out(file, std::ios::binary);
        out << "not a database at all, but someone's file" << std::string(4096, '.');
    }
    const std::string before = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    CliResult r = Run("--model=101 profiles");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("settings database"), std::string::npos) << r.err;
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
}

#pragma once
// A temporary folder for one test, removed with everything in it at the end.
#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvane-test-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        m_path = made ? made : "";
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Points XDG_CONFIG_HOME and XDG_DATA_HOME into a temporary folder for one test.
class ScopedXdgHome
{
public:
    ScopedXdgHome()
    {
        setenv("XDG_CONFIG_HOME", (m_folder.Path() + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_folder.Path() + "/data").c_str(), 1);
    }
    ~ScopedXdgHome()
    {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    const TempFolder& Folder() const { return m_folder; }

private:
    TempFolder m_folder;
};

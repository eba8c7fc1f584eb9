#include "platform/Paths.h"

#include "platform/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::mutex g_mutex;
std::string g_programFolder;
std::wstring g_deviceName = L"Quillbay";

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    // The XDG rules ignore relative paths.
    if (value && value[0] == '/') return value;
    return HomeFolder() + fallback;
}

} // namespace

std::string ProgramFolder()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_programFolder.empty()) {
        char buffer[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        std::string exe = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(".");
        const auto slash = exe.find_last_of('/');
        g_programFolder = slash == std::string::npos ? "." : exe.substr(0, slash);
        if (g_programFolder.empty()) g_programFolder = "/";
    }
    return g_programFolder;
}

void SetProgramFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_programFolder = folder;
    while (g_programFolder.size() > 1 && g_programFolder.back() == '/') g_programFolder.pop_back();
}

std::string ConfigHome()
{
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome()
{
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::wstring DeviceName()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_deviceName;
}

void SetDeviceName(const std::wstring& name)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_deviceName = name;
}

std::string SettingsFolder()
{
    return DataHome() + "/" + ToUtf8(DeviceName()) + " Files/";
}

bool MakeFolders(const std::string& path)
{
    if (path.empty()) return false;
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty()) continue;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int LanguageIdFromLocale(const std::string& locale)
{
    // "zh_CN.UTF-8@variant" -> language "zh", territory "CN"
    std::string lang = locale.substr(0, locale.find_first_of(".@"));
    std::string territory;
    if (const auto u = lang.find('_'); u != std::string::npos) {
        territory = lang.substr(u + 1);
        lang = lang.substr(0, u);
    }
    if (lang == "zh") return (territory == "TW" || territory == "HK" || territory == "MO") ? 1028 : 2052;
    if (lang == "en") return 1033;
    if (lang == "ja") return 1041;
    if (lang == "ko") return 1042;
    if (lang == "uk") return 1058;
    if (lang == "th") return 1054;
    if (lang == "ru") return 1049;
    return 0;
}

int UserUiLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            const int id = LanguageIdFromLocale(value);
            return id ? id : 1033;
        }
    }
    return 1033;
}

} // namespace platform

#include "platform/UserRegistry.h"

#include "platform/Paths.h"
#include "platform/Text.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::mutex g_mutex;

std::string KeyFolder(const std::wstring& key)
{
    std::string name = ToUtf8(key);
    // A key names one folder: keep path separators out of it.
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    if (name.empty() || name == "." || name == "..") name = "_";
    return ConfigHome() + "/" + name;
}

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '=') out += "\\e";
        else out += c;
    }
    return out;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'e' ? '=' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

using Values = std::map<std::string, std::string>;

Values Load(const std::string& file)
{
    Values values;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        values.emplace(Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1)));
    }
    return values;
}

bool Save(const std::string& file, const Values& values)
{
    // Write a temporary file and rename it over the old one, so a crash never leaves half a file.
    const std::string temp = file + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (const auto& [name, data] : values) out << Escape(name) << '=' << Escape(data) << '\n';
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string UserRegistry::KeyFile(const std::wstring& key)
{
    return KeyFolder(key) + "/registry.conf";
}

bool UserRegistry::KeyExists(const std::wstring& key)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return FileExists(KeyFile(key));
}

bool UserRegistry::CreateKey(const std::wstring& key)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::string file = KeyFile(key);
    if (FileExists(file)) return true;
    if (!MakeFolders(KeyFolder(key))) return false;
    return Save(file, {});
}

std::optional<std::wstring> UserRegistry::ReadValue(const std::wstring& key, const std::wstring& name)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::string file = KeyFile(key);
    if (!FileExists(file)) return std::nullopt;
    const Values values = Load(file);
    const auto it = values.find(ToUtf8(name));
    if (it == values.end()) return std::nullopt;
    return FromUtf8(it->second);
}

bool UserRegistry::WriteValue(const std::wstring& key, const std::wstring& name, const std::wstring& data)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::string file = KeyFile(key);
    if (!FileExists(file)) return false;
    Values values = Load(file);
    values[ToUtf8(name)] = ToUtf8(data);
    return Save(file, values);
}

bool UserRegistry::DeleteValue(const std::wstring& key, const std::wstring& name)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::string file = KeyFile(key);
    if (!FileExists(file)) return false;
    Values values = Load(file);
    if (values.erase(ToUtf8(name)) == 0) return true;
    return Save(file, values);
}

int UserRegistry::ReadInt(const std::wstring& key, const std::wstring& name)
{
    const auto value = ReadValue(key, name);
    if (!value) return 0;
    const std::string text = ToUtf8(*value);
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || n > INT32_MAX || n < INT32_MIN) return 0;
    return static_cast<int>(n);
}

bool UserRegistry::WriteInt(const std::wstring& key, const std::wstring& name, int value)
{
    return WriteValue(key, name, std::to_wstring(value));
}

} // namespace platform

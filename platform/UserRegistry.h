#pragma once
// The per-user key/value store that stands in for HKEY_CURRENT_USER\SOFTWARE\<key>.
// A key is a folder under $XDG_CONFIG_HOME named after it (normally the device name) holding
// one file "registry.conf" of "name=value" lines. Same rules as the registry the program was
// designed for: reading a missing key or value gives nothing; writing needs the key to exist.
#include <optional>
#include <string>

namespace platform {

class UserRegistry
{
public:
    static bool KeyExists(const std::wstring& key);
    // Creates the key (and its folder); true when it exists afterwards.
    static bool CreateKey(const std::wstring& key);
    static std::optional<std::wstring> ReadValue(const std::wstring& key, const std::wstring& name);
    // Fails (false) when the key does not exist or the file cannot be written.
    static bool WriteValue(const std::wstring& key, const std::wstring& name, const std::wstring& data);
    static bool DeleteValue(const std::wstring& key, const std::wstring& name);

    // Reads a decimal value: 0 when the key or value is missing or not a number.
    static int ReadInt(const std::wstring& key, const std::wstring& name);
    static bool WriteInt(const std::wstring& key, const std::wstring& name, int value);

    // The file that holds the key's values.
    static std::string KeyFile(const std::wstring& key);
};

} // namespace platform

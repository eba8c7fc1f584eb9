#pragma once
// Where things live: the program folder (the executable's folder, data files beside it),
// the per-user configuration and data folders of the XDG base directories, and the
// process-wide device name that names the per-user folders and keys.
#include <string>

namespace platform {

// The executable's folder, without a trailing slash. Tests may override it.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// $XDG_CONFIG_HOME or ~/.config; $XDG_DATA_HOME or ~/.local/share (no trailing slash).
std::string ConfigHome();
std::string DataHome();

// The product name from the application configuration; "Quillbay" until it is set.
std::wstring DeviceName();
void SetDeviceName(const std::wstring& name);

// The per-user settings folder: DataHome() + "/" + device name + " Files/" (with the slash).
std::string SettingsFolder();

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// The user's interface language as a Windows language id, from LC_ALL, LC_MESSAGES or LANG
// (en 1033, zh_CN/zh_SG 2052, zh_TW/zh_HK 1028, ja 1041, ko 1042, uk 1058, th 1054, ru 1049).
// 1033 when nothing is set or the language is not known.
int UserUiLanguage();
int LanguageIdFromLocale(const std::string& locale);

} // namespace platform

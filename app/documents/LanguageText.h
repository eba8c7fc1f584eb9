#pragma once
// User-interface texts by numeric id from the current language file
// (<program folder>/language/<id>.lan, section "LAN").
#include <cstddef>
#include <string>

// Longest text a lookup gives (the 260-character buffer of the original profile reader).
inline constexpr size_t kMaxLanguageTextLength = 259;

// The text of key "<id>" in the section of the current language file; empty when the file,
// the section or the key is missing. At most 259 characters. Read anew on every call.
std::wstring LanguageText(int id, const std::wstring& section = L"LAN");

// The language of this run (a Windows language id such as 2052 or 1033).
int CurrentLanguage();
void SetCurrentLanguage(int languageId);

// <program folder>/language/<id>.lan
std::string LanguageFilePath(int languageId);

#pragma once
// User-interface texts by numeric id from the current language file
// (<program folder>/language/<id>.lan, section "LAN").
#include <string>

// The text of key "<id>" in the section of the current language file; empty when the file,
// the section or the key is missing. At most 259 characters. Read anew on every call.
std::wstring LanguageText(int id, const std::wstring& section = L"LAN");

// The language of this run (a Windows language id such as 2052 or 1033).
int CurrentLanguage();
void SetCurrentLanguage(int languageId);

#pragma once
// The profile-file (INI) format of the language files: "[section]" lines and "key=value"
// lines. Sections and keys match without regard to letter case, the first matching key wins
// and values lose their surrounding blanks.
#include <cstddef>
#include <string>
#include <string_view>

// File bytes to text: UTF-16 little- or big-endian with a byte-order mark, UTF-8 with or
// without one, and otherwise the single-byte ANSI page (Windows-1252).
std::wstring DecodeIniText(std::string_view bytes);

// The value of `key` in `section`, cut to at most `maxLength` characters; empty when the
// section or key is missing.
std::wstring IniLookup(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                       size_t maxLength);

#pragma once
// Text conversion at the boundaries: every interface of the program carries std::wstring;
// UTF-8 exists only where text meets SQLite, XML, language files, Pango and file names.
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to wide text. Invalid or truncated sequences become U+FFFD; never throws.
std::wstring FromUtf8(std::string_view utf8);
// Wide text to UTF-8. Code points that are not valid Unicode become U+FFFD.
std::string ToUtf8(std::wstring_view text);
// UTF-16 little-endian bytes (without a byte-order mark) to wide text; lone surrogates become U+FFFD.
std::wstring FromUtf16LE(const void* data, size_t bytes);
// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

} // namespace platform

#include "app/documents/IniText.h"

#include "platform/Text.h"

namespace {

// Windows-1252 characters 0x80..0x9F; the rest of the page maps to the same code points.
constexpr wchar_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                     0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

wchar_t Fold(wchar_t c)
{
    if (c >= L'A' && c <= L'Z') return c - L'A' + L'a';
    return c;
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

} // namespace

std::wstring DecodeIniText(std::string_view bytes)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
        return platform::FromUtf16LE(bytes.data() + 2, (bytes.size() - 2) & ~size_t(1));
    if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
        std::string swapped(bytes.substr(2, (bytes.size() - 2) & ~size_t(1)));
        for (size_t i = 0; i + 1 < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        return platform::FromUtf16LE(swapped.data(), swapped.size());
    }
    if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        return platform::FromUtf8(bytes.substr(3));
    if (platform::IsValidUtf8(bytes)) return platform::FromUtf8(bytes);
    std::wstring text;
    text.reserve(bytes.size());
    for (unsigned char c : bytes)
        text += (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : wchar_t(c);
    return text;
}

std::wstring IniLookup(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                       size_t maxLength)
{
    const std::wstring_view wantedSection = Trim(section);
    const std::wstring_view wantedKey = Trim(key);
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring_view::npos) end = text.size();
        const std::wstring_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line.front() == L'[') {
            const size_t close = line.find(L']');
            inSection = close != std::wstring_view::npos &&
                        SameIgnoringCase(Trim(line.substr(1, close - 1)), wantedSection);
            continue;
        }
        if (!inSection) continue;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) continue;
        if (!SameIgnoringCase(Trim(line.substr(0, equals)), wantedKey)) continue;
        std::wstring value(Trim(line.substr(equals + 1)));
        if (value.size() > maxLength) value.resize(maxLength);
        return value;
    }
    return {};
}

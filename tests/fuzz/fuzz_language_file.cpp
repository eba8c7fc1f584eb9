// Language files in any encoding and any state of repair: decoding and lookup must never
// crash, read out of bounds or return more than the longest text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/documents/IniText.h"
#include "app/documents/LanguageText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring text = DecodeIniText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const wchar_t* key : {L"1", L"17", L"61", L"", L"LAN"}) {
        for (const wchar_t* section : {L"LAN", L"lan", L""}) {
            if (IniLookup(text, section, key, kMaxLanguageTextLength).size() > kMaxLanguageTextLength)
                abort();
        }
    }
    return 0;
}

#include "app/documents/LanguageText.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <vector>

#include "app/documents/IniText.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

namespace {

std::atomic<int> g_currentLanguage{2052};

// Language files are a few tens of kilobytes; anything past this is not one.
constexpr std::streamoff kMaxLanguageFileBytes = 8 * 1024 * 1024;

} // namespace

std::string LanguageFilePath(int languageId)
{
    return platform::ProgramFolder() + "/language/" + std::to_string(languageId) + ".lan";
}

std::wstring LanguageText(int id, const std::wstring& section)
{
    const std::string path = LanguageFilePath(CurrentLanguage());
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxLanguageFileBytes) {
        if (size != 0)
            platform::Trace(platform::TraceWarning, "language: %s has an unusable size", path.c_str());
        return {};
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) {
        platform::Trace(platform::TraceWarning, "language: cannot read %s", path.c_str());
        return {};
    }
    return IniLookup(DecodeIniText(bytes), section, std::to_wstring(id), kMaxLanguageTextLength);
}

int CurrentLanguage()
{
    return g_currentLanguage.load();
}

void SetCurrentLanguage(int languageId)
{
    g_currentLanguage.store(languageId);
}

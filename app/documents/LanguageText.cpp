#include "app/documents/LanguageText.h"

#include <atomic>

namespace {
std::atomic<int> g_currentLanguage{2052};
}

// Placeholder until the language-file reader lands: every lookup is empty.
std::wstring LanguageText(int, const std::wstring&)
{
    return {};
}

int CurrentLanguage()
{
    return g_currentLanguage.load();
}

void SetCurrentLanguage(int languageId)
{
    g_currentLanguage.store(languageId);
}

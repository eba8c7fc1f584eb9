#include "trellis/core/Manager.h"

#include "platform/Paths.h"

namespace DUI {

uintptr_t Manager::m_hInstance = 0;
std::wstring Manager::m_fontname = L"Segoe UI";
int Manager::m_fontwidth = 14;
std::wstring Manager::m_dev_name;
Color Manager::m_select_color = Color(0xFFFA373E);
unsigned Manager::m_uControlID = 0;
std::mutex Manager::s_mutex;
std::set<MWindow*> Manager::s_windows;
std::string Manager::s_skinFolder;

void Manager::InitGdiplus() {}
void Manager::UnInitGdiplus() {}

std::string Manager::GetSkinFolder()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    if (!s_skinFolder.empty()) return s_skinFolder;
    return platform::ProgramFolder() + "/skins/theme1/";
}

void Manager::SetSkinFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_skinFolder = folder;
    if (!s_skinFolder.empty() && s_skinFolder.back() != '/') s_skinFolder += '/';
}

void Manager::SetFontName(const std::wstring& name)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    m_fontname = name;
}

void Manager::SetFont(const std::wstring& name, int size)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    m_fontname = name;
    m_fontwidth = size;
}

std::wstring Manager::GetFontName()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return m_fontname;
}

int Manager::GetFontWidth()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return m_fontwidth;
}

void Manager::SetDeviceName(const std::wstring& name)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    m_dev_name = name;
}

std::wstring Manager::GetDeviceName()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return m_dev_name;
}

int Manager::PreTranslateMessage(const MSG& msg)
{
    return (platform::ui::GetKeyState(VK_MENU) < 0 && platform::ui::GetKeyState(VK_F4) < 0) ? 1 : 0;
}

int Manager::MessageLoop()
{
    MSG msg;
    while (platform::ui::GetMessage(msg)) {
        if (PreTranslateMessage(msg)) continue;
        platform::ui::TranslateMessage(msg);
        platform::ui::DispatchMessage(msg);
    }
    return int(msg.wParam);
}

void Manager::AddWnd(MWindow* window)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_windows.insert(window);
}

void Manager::DeleteWnd(MWindow* window)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_windows.erase(window);
}

bool Manager::HasWnd(MWindow* window)
{
    std::lock_guard<std::mutex> lock(s_mutex);
    return s_windows.count(window) != 0;
}

} // namespace DUI

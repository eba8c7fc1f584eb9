#pragma once
// Process-wide toolkit settings: module instance, skin theme, default font, device name,
// accent colour, the window set and a message loop.
#include "trellis/core/Types.h"

#include <mutex>
#include <set>

namespace DUI {

class MWindow;

class Manager
{
public:
    static void SetInstance(uintptr_t instance) { m_hInstance = instance; }
    static uintptr_t GetInstance() { return m_hInstance; }
    // Starts what drawing needs (fonts); there is no GDI+, COM or OLE to start here.
    static void InitGdiplus();
    static void UnInitGdiplus();

    static std::wstring GetTheme() { return L"theme1\\"; }
    // <program folder>/skins/theme1/ (with the trailing slash).
    static std::string GetSkinFolder();
    // Where skins are read from, for tests and tools (empty = the program folder's).
    static void SetSkinFolder(const std::string& folder);

    static void SetFontName(const std::wstring& name);
    static void SetFont(const std::wstring& name, int size);
    static std::wstring GetFontName();
    static int GetFontWidth();
    static void SetDeviceName(const std::wstring& name);
    static std::wstring GetDeviceName();
    static Color GetSelectColor() { return m_select_color; }

    // Runs until WM_QUIT, dropping messages while Alt and F4 are both held.
    static int MessageLoop();
    static int PreTranslateMessage(const MSG& msg);
    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    static bool HasWnd(MWindow* window);

    static uintptr_t m_hInstance;
    static std::wstring m_fontname;
    static int m_fontwidth;
    static std::wstring m_dev_name;
    static Color m_select_color;
    static unsigned m_uControlID;

private:
    static std::mutex s_mutex;
    static std::set<MWindow*> s_windows;
    static std::string s_skinFolder;
};

} // namespace DUI

#pragma once
// One top-level or pop-up window of the window system, bound to this object: every message
// of the window arrives at OnWindowMessage on the window's thread.
#include "trellis/core/Types.h"

namespace DUI {

class MWindow : public platform::ui::WindowHandler
{
public:
    MWindow() = default;
    ~MWindow() override;
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    virtual const wchar_t* GetWindowClassName() { return L"MWindow"; }
    virtual const wchar_t* GetSuperClassName() { return nullptr; }
    virtual int ShowWindow(int command = SW_SHOW);
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual int PreTranslateMessage(const MSG& msg) { return 0; }
    virtual int OnInitDialog() { return 1; }
    virtual void OnDestroyMessage(HWND hwnd) {}

    HWND Create(HWND parent, const std::wstring& title, DWORD style, DWORD exStyle, CRect rect,
                HMENU menu = 0);
    HWND Create(HWND parent);
    HWND Create(HWND parent, CRect rect);
    int RegisterWindowClass() { return 1; }
    int RegisterSuperClass() { return 1; }
    // Runs a modal loop until this window is gone; returns the wParam of the WM_CLOSE that
    // ended it (0 when none was seen), 0xFFFFFFFF without a window.
    UINT ShowModal(int command = SW_SHOW);
    int DestroyWindow();
    void CenterWindow(MWindow* relativeTo = nullptr);
    void BringToTop();
    void SetIcon(HICON icon) { m_icon = std::move(icon); }

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetParentHwnd() const { return m_hParent; }
    int IsWindow() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    int ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    int ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    int GetClientRect(CRect& rect) const;
    int GetWindowRect(CRect& rect) const;
    int SetWindowTextW(const std::wstring& text);
    int GetWindowTextW(std::wstring& text) const;
    int GetWindowTextLengthW() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    int IsZoomed() const;
    int InvalidateRect(const CRect* rect, int erase);
    HWND SetCapture();
    int ReleaseCapture();
    HWND SetFocus();
    uintptr_t SetTimer(uintptr_t id, UINT ms);
    int KillTimer(uintptr_t id);
    void ClientToScreen(CPoint& pt) const;
    void ClientToScreen(CRect& rect) const;
    void ScreenToClient(CPoint& pt) const;
    void ScreenToClient(CRect& rect) const;
    int SetWindowPos(int x, int y, int cx, int cy, UINT flags);
    int MoveWindow(int x, int y, int cx, int cy, int repaint = 1);
    int MoveWindow(const CRect& rect, int repaint = 1);
    LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    int PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Window-system entry point; forwards to OnWindowMessage with the binding rules.
    LRESULT HandleMessage(HWND hwnd, unsigned msg, WPARAM wParam, LPARAM lParam) final;

protected:
    virtual platform::ui::WindowKind WindowKindForCreate() { return platform::ui::WindowKind::Normal; }
    LRESULT CallPreviousProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hParent = 0;
    HWND m_hWnd = 0;
    int m_nReserved = 0;
    HICON m_icon;
};

} // namespace DUI

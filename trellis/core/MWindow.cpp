#include "trellis/core/MWindow.h"

namespace DUI {

namespace ws = platform::ui;

MWindow::~MWindow()
{
    if (m_hWnd && ws::IsWindow(m_hWnd)) {
        HWND h = m_hWnd;
        m_hWnd = 0;
        ws::DestroyWindow(h);
    }
}

LRESULT MWindow::HandleMessage(HWND hwnd, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) m_hWnd = hwnd;
    if (msg == WM_NCDESTROY) {
        LRESULT r = ws::DefWindowProc(hwnd, msg, wParam, lParam);
        m_hWnd = 0;
        OnDestroyMessage(hwnd);
        return r;
    }
    if (m_hWnd != hwnd) return ws::DefWindowProc(hwnd, msg, wParam, lParam);
    return OnWindowMessage(msg, wParam, lParam);
}

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallPreviousProc(msg, wParam, lParam);
}

LRESULT MWindow::CallPreviousProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ws::DefWindowProc(m_hWnd, msg, wParam, lParam);
}

int MWindow::ShowWindow(int command)
{
    if (!IsWindow()) return 0;
    return ws::ShowWindow(m_hWnd, command) ? 1 : 0;
}

HWND MWindow::Create(HWND parent, const std::wstring& title, DWORD style, DWORD exStyle, CRect rect, HMENU)
{
    if (IsWindow()) return m_hWnd;
    m_hParent = parent;
    ws::WindowParams p;
    p.owner = parent;
    p.title = title;
    p.style = style;
    p.exStyle = exStyle;
    p.rect = rect;
    p.handler = this;
    p.kind = WindowKindForCreate();
    ws::CreateWindowEx(p);
    OnInitDialog();
    return m_hWnd;
}

HWND MWindow::Create(HWND parent)
{
    return Create(parent, L"MWindow", 0x0000080B, 0, CRect(0, 0, 800, 600));
}

HWND MWindow::Create(HWND parent, CRect rect)
{
    return Create(parent, L"MWindow", 0x0000080B, 0, rect);
}

UINT MWindow::ShowModal(int command)
{
    if (!IsWindow()) return 0xFFFFFFFF;
    HWND hwnd = m_hWnd;
    HWND owner = ws::GetOwner(hwnd);
    ShowWindow(command);
    if (owner) ws::EnableWindow(owner, false);
    UINT result = 0;
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (ws::IsWindow(hwnd)) {
        if (!ws::GetMessage(msg)) {
            quit = true;
            quitCode = int(msg.wParam);
            break;
        }
        if (msg.message == WM_CLOSE && msg.window == hwnd) {
            result = UINT(msg.wParam);
            if (owner) {
                ws::EnableWindow(owner, true);
                ws::SetFocus(owner);
            }
        }
        if (!PreTranslateMessage(msg)) {
            ws::TranslateMessage(msg);
            ws::DispatchMessage(msg);
        }
    }
    if (owner && ws::IsWindow(owner)) {
        ws::EnableWindow(owner, true);
        ws::SetForegroundWindow(owner);
    }
    if (quit) ws::PostQuitMessage(quitCode);
    return result;
}

int MWindow::DestroyWindow()
{
    if (!IsWindow()) return 0;
    return ws::DestroyWindow(m_hWnd) ? 1 : 0;
}

void MWindow::CenterWindow(MWindow* relativeTo)
{
    if (!IsWindow()) return;
    CRect me = ws::GetWindowRect(m_hWnd);
    HWND ref = relativeTo && relativeTo->IsWindow() ? relativeTo->GetSafeHwnd() : ws::GetOwner(m_hWnd);
    CRect work = ws::GetWorkArea();
    CRect center = work;
    if (ref && ws::IsWindowVisible(ref) && !ws::IsIconic(ref)) center = ws::GetWindowRect(ref);
    int x = center.left + (center.Width() - me.Width()) / 2;
    int y = center.top + (center.Height() - me.Height()) / 2;
    if (x + me.Width() > work.right) x = work.right - me.Width();
    if (y + me.Height() > work.bottom) y = work.bottom - me.Height();
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    ws::SetWindowPos(m_hWnd, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop()
{
    if (!IsWindow()) return;
    ws::SetForegroundWindow(m_hWnd);
    ShowWindow(ws::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
}

int MWindow::IsWindow() const
{
    return m_hWnd && ws::IsWindow(m_hWnd) ? 1 : 0;
}

DWORD MWindow::GetStyle() const
{
    return IsWindow() ? ws::GetWindowStyle(m_hWnd) : 0;
}

DWORD MWindow::GetExStyle() const
{
    return IsWindow() ? ws::GetWindowExStyle(m_hWnd) : 0;
}

int MWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    if (!IsWindow()) return 0;
    DWORD old = GetStyle(), next = (old & ~remove) | add;
    if (next == old) return 0;
    ws::SetWindowStyle(m_hWnd, next);
    if (swpFlags)
        ws::SetWindowPos(m_hWnd, 0, 0, 0, 0,
                         swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

int MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    if (!IsWindow()) return 0;
    DWORD old = GetExStyle(), next = (old & ~remove) | add;
    if (next == old) return 0;
    ws::SetWindowExStyle(m_hWnd, next);
    if (swpFlags)
        ws::SetWindowPos(m_hWnd, 0, 0, 0, 0,
                         swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

int MWindow::GetClientRect(CRect& rect) const
{
    if (!IsWindow()) return 0;
    rect = ws::GetClientRect(m_hWnd);
    return 1;
}

int MWindow::GetWindowRect(CRect& rect) const
{
    if (!IsWindow()) return 0;
    rect = ws::GetWindowRect(m_hWnd);
    return 1;
}

int MWindow::SetWindowTextW(const std::wstring& text)
{
    return IsWindow() && ws::SetWindowText(m_hWnd, text) ? 1 : 0;
}

int MWindow::GetWindowTextW(std::wstring& text) const
{
    if (!IsWindow()) return 0;
    text = ws::GetWindowText(m_hWnd);
    return int(text.size());
}

int MWindow::GetWindowTextLengthW() const
{
    return IsWindow() ? int(ws::GetWindowText(m_hWnd).size()) : 0;
}

int MWindow::EnableWindow(int enable)
{
    return IsWindow() && ws::EnableWindow(m_hWnd, enable != 0) ? 1 : 0;
}

int MWindow::IsWindowEnabled() const
{
    return IsWindow() && ws::IsWindowEnabled(m_hWnd) ? 1 : 0;
}

int MWindow::IsWindowVisible() const
{
    return IsWindow() && ws::IsWindowVisible(m_hWnd) ? 1 : 0;
}

int MWindow::IsIconic() const
{
    return IsWindow() && ws::IsIconic(m_hWnd) ? 1 : 0;
}

int MWindow::IsZoomed() const
{
    return IsWindow() && ws::IsZoomed(m_hWnd) ? 1 : 0;
}

int MWindow::InvalidateRect(const CRect* rect, int erase)
{
    if (!IsWindow()) return 0;
    ws::InvalidateRect(m_hWnd, rect, erase != 0);
    return 1;
}

HWND MWindow::SetCapture()
{
    return IsWindow() ? ws::SetCapture(m_hWnd) : 0;
}

int MWindow::ReleaseCapture()
{
    return ws::ReleaseCapture() ? 1 : 0;
}

HWND MWindow::SetFocus()
{
    return IsWindow() ? ws::SetFocus(m_hWnd) : 0;
}

uintptr_t MWindow::SetTimer(uintptr_t id, UINT ms)
{
    return IsWindow() ? ws::SetTimer(m_hWnd, id, ms) : 0;
}

int MWindow::KillTimer(uintptr_t id)
{
    return IsWindow() && ws::KillTimer(m_hWnd, id) ? 1 : 0;
}

void MWindow::ClientToScreen(CPoint& pt) const
{
    if (IsWindow()) pt = ws::ClientToScreen(m_hWnd, pt);
}

void MWindow::ClientToScreen(CRect& rect) const
{
    if (!IsWindow()) return;
    CPoint tl = ws::ClientToScreen(m_hWnd, rect.TopLeft());
    rect.OffsetRect(tl.x - rect.left, tl.y - rect.top);
}

void MWindow::ScreenToClient(CPoint& pt) const
{
    if (IsWindow()) pt = ws::ScreenToClient(m_hWnd, pt);
}

void MWindow::ScreenToClient(CRect& rect) const
{
    if (!IsWindow()) return;
    CPoint tl = ws::ScreenToClient(m_hWnd, rect.TopLeft());
    rect.OffsetRect(tl.x - rect.left, tl.y - rect.top);
}

int MWindow::SetWindowPos(int x, int y, int cx, int cy, UINT flags)
{
    return IsWindow() && ws::SetWindowPos(m_hWnd, x, y, cx, cy, flags) ? 1 : 0;
}

int MWindow::MoveWindow(int x, int y, int cx, int cy, int repaint)
{
    return MoveWindow(CRect(x, y, x + cx, y + cy), repaint);
}

int MWindow::MoveWindow(const CRect& rect, int repaint)
{
    return IsWindow() && ws::MoveWindow(m_hWnd, rect, repaint != 0) ? 1 : 0;
}

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return IsWindow() ? ws::SendMessage(m_hWnd, msg, wParam, lParam) : 0;
}

int MWindow::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return IsWindow() && ws::PostMessage(m_hWnd, msg, wParam, lParam) ? 1 : 0;
}

} // namespace DUI

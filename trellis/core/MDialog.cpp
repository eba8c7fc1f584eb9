#include "trellis/core/MDialog.h"

namespace DUI {

namespace ws = platform::ui;

MDialog::MDialog() = default;

MDialog::~MDialog()
{
    // Destroy the window while this object can still take its last messages.
    if (IsWindow()) ws::DestroyWindow(m_hWnd);
    m_manager.DestroyData();
}

int MDialog::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam)
{
    return OnMessage(id, code, wParam, lParam);
}

int MDialog::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    return m_manager.OnControlUpdate(rect, redraw, control);
}

int MDialog::OnInitDialog()
{
    m_manager.Init(m_hWnd, this);
    CRect client;
    GetClientRect(client);
    m_rcClient = client;
    InitUI(client);
    return 1;
}

void MDialog::OnDestroyMessage(HWND)
{
    m_manager.DestroyData();
    PostNcDestroy();
}

int MDialog::PreTranslateMessage(const MSG& msg)
{
    return m_manager.PreTranslateMessage(msg);
}

POINT MDialog::GetAirBladderPoint(MControl* control, UINT type)
{
    if (!control) return POINT(0, 0);
    CRect r = control->GetRect();
    int x = type == 1 ? r.left + r.Width() / 2 : type == 2 ? r.right : r.left;
    CPoint p(x, r.bottom);
    ClientToScreen(p);
    return p;
}

void MDialog::OnMinimize()
{
    ShowWindow(SW_MINIMIZE);
}

void MDialog::OnMaximize()
{
    ShowWindow(IsZoomed() ? SW_RESTORE : SW_MAXIMIZE);
}

int MDialog::OnUserCloseWindow(WPARAM wParam, LPARAM lParam)
{
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 1;
}

int MDialog::OnCreate(void*)
{
    DWORD style = GetStyle();
    ws::SetWindowStyle(m_hWnd, (style & 0xFF3BFFFF) | 0x06000008);
    return 1;
}

int MDialog::OnSize(UINT type, int cx, int cy)
{
    if (IsIconic()) return 0;
    CRect client;
    GetClientRect(client);
    m_rcClient = client;
    if (client.Width() > 1 && client.Height() > 1) {
        UISize(client);
        m_manager.SetCaptionRect(client);
    }
    InvalidateRect(nullptr, 0);
    return 0;
}

LRESULT MDialog::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    CPoint pt(ws::GetXParam(lParam), ws::GetYParam(lParam));
    switch (msg) {
    case WM_CREATE:
        OnCreate(reinterpret_cast<void*>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(UINT(wParam), ws::GetXParam(lParam) & 0xFFFF, ws::GetYParam(lParam) & 0xFFFF);
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_NCACTIVATE:
        OnNcActivate(int(wParam));
        break;
    case WM_TIMER:
        OnTimer(UINT(wParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), pt);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), pt);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), pt);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(UINT(wParam), pt);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(UINT(wParam), pt);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(UINT(wParam), pt);
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(UINT(wParam), pt);
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(UINT(wParam), int(lParam));
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave(UINT(wParam), int(lParam));
        break;
    case WM_ERASEBKGND:
        return 1;
    case kUserCloseMessage:
        return OnUserCloseWindow(wParam, lParam);
    default:
        break;
    }
    if (!IsWindow()) return 0;
    LRESULT r = m_manager.OnWindowMessage(msg, wParam, lParam);
    if (r) return r;
    return CallPreviousProc(msg, wParam, lParam);
}

MControl* MDialog::CreateControl(const std::wstring& className, UINT id, CRect rect,
                                 const std::wstring& title, int visible, int enabled)
{
    return m_manager.CreateControl(this, className, id, rect, title, visible, enabled);
}

MControl* MDialog::CreateArea(const std::wstring& className, UINT id, CRect rect, const std::wstring& title,
                              int visible, int enabled)
{
    return m_manager.CreateArea(this, className, id, rect, title, visible, enabled);
}

void MDialog::DoOK()
{
    PostMessageW(kUserCloseMessage, IDOK, 0);
}

void MDialog::DoCancel()
{
    PostMessageW(kUserCloseMessage, IDCANCEL, 0);
}

void MDialog::DoClose()
{
    PostMessageW(kUserCloseMessage, IDCANCEL, 0);
}

void MDialog::DoYes()
{
    PostMessageW(kUserCloseMessage, IDYES, 0);
}

void MDialog::DoNo()
{
    PostMessageW(kUserCloseMessage, IDNO, 0);
}

} // namespace DUI

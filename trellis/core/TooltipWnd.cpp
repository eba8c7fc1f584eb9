#include "trellis/core/TooltipWnd.h"

#include "platform/ui/Draw.h"
#include "trellis/core/MRender.h"
#include "trellis/core/Manager.h"

namespace DUI {

namespace ws = platform::ui;

namespace {
constexpr UINT kShowTimer = 1313;
}

TooltipWnd::TooltipWnd(HWND owner) : m_owner(owner)
{
    Create(owner, L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CRect(0, 0, 1, 1));
}

void TooltipWnd::SetText(const std::wstring& text)
{
    m_text = text;
    m_active = !text.empty();
    if (!m_active) {
        Hide();
        return;
    }
    if (IsShown())
        ShowAtCursor();
    else
        SetTimer(kShowTimer, kShowDelayMs);
}

void TooltipWnd::Relay(const MSG& msg)
{
    if (!m_active || !IsWindow()) return;
    if (msg.message == WM_MOUSEMOVE && !IsShown()) SetTimer(kShowTimer, kShowDelayMs);
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_MOUSELEAVE) Hide();
}

void TooltipWnd::Hide()
{
    if (!IsWindow()) return;
    KillTimer(kShowTimer);
    if (IsShown()) ShowWindow(SW_HIDE);
}

void TooltipWnd::ShowAtCursor()
{
    FontSpec font;
    font.family = Manager::GetFontName();
    font.sizePx = 12;
    CSize s = ws::MeasureText(m_text, font, DT_WORDBREAK, kMaxWidth);
    CPoint p = ws::GetCursorPos();
    int w = s.cx + 10, h = s.cy + 8;
    CRect work = ws::GetWorkArea();
    int x = std::min(p.x, work.right - w), y = p.y + 20;
    if (y + h > work.bottom) y = p.y - h - 4;
    MoveWindow(CRect(x, y, x + w, y + h), 1);
    ShowWindow(SW_SHOWNA);
    InvalidateRect(nullptr, 0);
}

LRESULT TooltipWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam == kShowTimer) {
            KillTimer(kShowTimer);
            if (m_active && ws::IsWindowVisible(m_owner)) ShowAtCursor();
        }
        return 0;
    case WM_PAINT: {
        CRect update;
        HDC dc = ws::BeginPaint(m_hWnd, update);
        if (!dc) return 0;
        CRect all = dc->Bounds();
        dc->Clear(all, platform::ui::MakeArgb(255, 245, 245, 245));
        platform::ui::FrameRect(*dc, all, platform::ui::MakeArgb(255, 118, 118, 118), 1);
        FontSpec font;
        font.family = Manager::GetFontName();
        font.sizePx = 12;
        CRect text = all;
        text.DeflateRect(5, 4);
        ws::DrawText(*dc, text, m_text, font, platform::ui::MakeArgb(255, 40, 40, 40), DT_WORDBREAK);
        ws::EndPaint(m_hWnd, all);
        return 0;
    }
    default:
        return CallPreviousProc(msg, wParam, lParam);
    }
}

} // namespace DUI

#include "trellis/controls/CColorButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    if (!enabled) m_state = 3;
}

void CColorButton::Show(int state)
{
    if (m_state.exchange(state) != state) UpdateControl(0, 0);
}

int CColorButton::RestState(bool inside) const
{
    if (!IsEnabled()) return 3;
    if (m_checked) return 2;
    return inside ? 1 : 0;
}

void CColorButton::SetColor(COLORREF color)
{
    if (color == m_color) return;
    m_color = color;
    UpdateControl(1, 0);
}

void CColorButton::SetVisibleBorder(bool visible)
{
    if (visible == m_border) return;
    m_border = visible;
    UpdateControl(1, 0);
}

void CColorButton::SetControlCheck(int check)
{
    m_checked = check ? 1 : 0;
    Show(RestState(false));
}

int CColorButton::SetCheck(int check)
{
    if (IsEnabled()) SetControlCheck(check);
    return m_checked;
}

void CColorButton::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"ColorButton"}, true);
}

void CColorButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_pressed = false;
    Show(RestState(false));
}

int CColorButton::OnControlMouseMove(unsigned, CPoint point)
{
    if (!IsEnabled() || m_pressed) return 0;
    const int state = RestState(GetRect().PtInRect(point));
    if (state == m_state) return 0;
    Show(state);
    return 1;
}

int CColorButton::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!IsEnabled() || !GetRect().PtInRect(point)) return 0;
    m_pressed = true;
    m_checked = 1;
    Show(2);
    ResetGroupCheck();
    SendMessageW(NOTIFY_PRESS, 0, 0);
    return 1;
}

int CColorButton::OnControlLButtonUp(unsigned, CPoint point)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!IsEnabled()) return 0;
    Show(RestState(GetRect().PtInRect(point)));
    if (wasPressed) SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
}

void CColorButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_state, [this](Surface& s, CRect area, int slice) {
        FillRect(s, area, ArgbFromColorRef(m_color));
        if (!m_border) return;
        CRect ring = area;
        ring.DeflateRect(1, 1);
        FrameRect(s, ring, slice == 1 || slice == 2 ? 0xFFFFFFFF : kDisabledText, 2);
    });
}

TRELLIS_CONTROL_VE(CColorButton, FactoryBoth);

} // namespace DUI

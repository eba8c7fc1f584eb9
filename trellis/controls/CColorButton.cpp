#include "trellis/controls/CColorButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    m_choice.Enabled(*this, enabled);
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
    m_choice.SetCheck(*this, check);
}

int CColorButton::SetCheck(int check)
{
    if (IsEnabled()) SetControlCheck(check);
    return GetCheck();
}

void CColorButton::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"ColorButton"}, true);
}

void CColorButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_choice.Enabled(*this, enabled);
}

int CColorButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_choice.Move(*this, point);
}

int CColorButton::OnControlLButtonDown(unsigned, CPoint point)
{
    // The press itself selects the colour.
    if (!m_choice.Press(*this, point)) return 0;
    m_choice.SetCheck(*this, 1);
    ResetGroupCheck();
    SendMessageW(NOTIFY_PRESS, 0, 0);
    return 1;
}

int CColorButton::OnControlLButtonUp(unsigned, CPoint point)
{
    if (m_choice.Release(*this, point)) SendMessageW(NOTIFY_CLICK, 0, 0);
    return IsEnabled() ? 1 : 0;
}

void CColorButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_choice.State(), [this](Surface& s, CRect area, int slice) {
        FillRect(s, area, ArgbFromColorRef(m_color));
        if (!m_border) return;
        CRect ring = area;
        ring.DeflateRect(1, 1);
        FrameRect(s, ring, slice == 1 || slice == 2 ? 0xFFFFFFFF : kDisabledText, 2);
    });
}

TRELLIS_CONTROL_VE(CColorButton, FactoryBoth);

} // namespace DUI

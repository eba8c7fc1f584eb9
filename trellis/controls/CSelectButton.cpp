#include "trellis/controls/CSelectButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CSelectButton::CSelectButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    SetTextColor(0xFEFFFFFF);
    SetTabStop(1);
    m_choice.Enabled(*this, enabled);
}

void CSelectButton::SetControlCheck(int check)
{
    m_choice.SetCheck(*this, check);
}

int CSelectButton::SetCheck(int check)
{
    if (IsEnabled()) SetControlCheck(check);
    return GetCheck();
}

void CSelectButton::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"CSelectButton"}, true, true);
}

void CSelectButton::Select()
{
    SetControlCheck(1);
    ResetGroupCheck();
}

void CSelectButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_choice.Enabled(*this, enabled);
}

int CSelectButton::SetControlFocus(int focus)
{
    m_focused = focus != 0;
    UpdateControl(1, 0);
    return IsVisible() && IsEnabled() ? 1 : 0;
}

int CSelectButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_choice.Move(*this, point);
}

int CSelectButton::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!m_choice.Press(*this, point)) return 0;
    SendMessageW(NOTIFY_PRESS, 0, 0);
    return 1;
}

int CSelectButton::OnControlLButtonUp(unsigned, CPoint point)
{
    // A completed click selects; the selected face then stays.
    if (m_choice.Release(*this, point) && GetRect().PtInRect(point)) {
        Select();
        SendMessageW(NOTIFY_CLICK, 0, 0);
    }
    return IsEnabled() ? 1 : 0;
}

int CSelectButton::OnControlKeyDown(unsigned vk, unsigned, unsigned modifiers)
{
    if (vk != VK_SPACE || modifiers != 0 || !m_focused || !IsEnabled()) return 0;
    Select();
    SendMessageW(NOTIFY_CHECK_KEY, 0, 1);
    return 1;
}

void CSelectButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_choice.State(), [this](Surface& s, CRect area, int slice) {
        const CSize frame = GetImageSize();
        DrawSkinFrameNatural(s, *this, area.left, area.top + (area.Height() - frame.cy) / 2, slice);
        if (GetTitle().empty()) return;
        FontSpec font = ControlFont(*this);
        font.sizePx = 14;
        const CRect text(area.left + 35, area.top, area.right, area.bottom);
        DrawText(s, text, GetTitle(), font, slice == 3 ? kDisabledText : GetTextColor().GetValue(),
                 kTextLeft | kTextVCenter | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(CSelectButton, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CCheckButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CCheckButton::CCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                           int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    SetTextColor(0xFFC8C8C8);
    SetImageCount(8);
    SetTabStop(1);
    if (!enabled) m_check.Enabled(*this, 0);
}

int CCheckButton::SetCheck(int check)
{
    if (!IsEnabled()) return GetCheck();
    m_check.SetCheck(*this, check);
    return GetCheck();
}

void CCheckButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_check.Enabled(*this, enabled);
}

int CCheckButton::SetControlFocus(int focus)
{
    m_check.SetFocused(focus != 0);
    UpdateControl(1, 0);
    return IsVisible() && IsEnabled() ? 1 : 0;
}

int CCheckButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_check.Move(*this, point);
}

int CCheckButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_check.Down(*this, point);
}

int CCheckButton::OnControlLButtonUp(unsigned, CPoint point)
{
    const bool inside = GetRect().PtInRect(point);
    if (m_check.Up(*this, point)) OnActivate(false);
    if (IsEnabled()) m_check.Rest(*this, inside);
    return 1;
}

int CCheckButton::OnControlKeyDown(unsigned vk, unsigned, unsigned modifiers)
{
    if (vk != VK_SPACE || modifiers != 0 || !m_check.Focused() || !IsEnabled()) return 0;
    OnActivate(true);
    return 1;
}

void CCheckButton::OnActivate(bool byKey)
{
    m_check.SetCheck(*this, !GetCheck());
    if (byKey)
        SendMessageW(NOTIFY_CHECK_KEY, 0, GetCheck());
    else
        SendMessageW(NOTIFY_CLICK, 0, 0);
}

Argb CCheckButton::SliceTextColor(int slice) const
{
    if (slice == 3 || slice == 7) return kDisabledText;
    return slice >= 4 ? m_checkedText : GetTextColor().GetValue();
}

void CCheckButton::DrawControl(HDC dc, CRect)
{
    std::wstring title;
    CSize extent;
    PaintStateStrip(*this, dc, 8, m_check.State(), [&](Surface& s, CRect area, int slice) {
        // Eight faces share one title: measure it once per rebuild.
        if (slice == 0) {
            title = GetTitle();
            extent = platform::ui::MeasureText(title, GetFontSpec(), kTextSingleLine);
        }
        DrawCheckSlice(s, *this, area, slice, SliceTextColor(slice), title, extent);
    });
}

TRELLIS_CONTROL_TVE(CCheckButton, FactoryBoth);

} // namespace DUI

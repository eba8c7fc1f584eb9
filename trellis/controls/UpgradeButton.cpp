#include "trellis/controls/UpgradeButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

void UpgradeButton::SetUpgradeStatus(int status)
{
    if (status == m_status) return;
    m_status = status;
    UpdateControl(1, 0);
}

void UpgradeButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int UpgradeButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int UpgradeButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int UpgradeButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void UpgradeButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_push.State(), [this](Surface& s, CRect area, int slice) {
        DrawSkinFrameNineGrid(s, *this, area, slice, 8);
        CRect title = area;
        if (slice == PushBehaviour::kPressed) title.OffsetRect(1, 1);
        DrawControlText(s, *this, title, GetTitle(), slice == 3 ? kDisabledText : GetTextColor(),
                        kTextCenter | kTextVCenter | kTextSingleLine);
        if (m_status) {
            const CRect badge(area.right - 17, area.top + 1, area.right - 1, area.top + 17);
            DrawControlText(s, *this, badge, L"1", GetTextColor(),
                            kTextCenter | kTextVCenter | kTextSingleLine);
        }
    });
}

TRELLIS_CONTROL_TVE(UpgradeButton, FactoryPanel);

} // namespace DUI

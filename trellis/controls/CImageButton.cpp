#include "trellis/controls/CImageButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/BalloonHost.h"
#include "trellis/controls/ControlDraw.h"

namespace DUI {

CImageButton::CImageButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                           int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
}

void CImageButton::FollowBalloon()
{
    BalloonHost* host = BalloonHost::Get();
    const bool want = m_balloonMode != AIRBLADDER_NONE && m_push.State() == kHover && !GetTitle().empty();
    if (!host || want == m_balloonShown) return;
    m_balloonShown = want;
    if (!want) {
        host->Hide(*this);
        return;
    }
    const CRect r = GetRect();
    CPoint anchor(m_balloonMode == AIRBLADDER_RIGHT ? r.right : r.left, (r.top + r.bottom) / 2);
    host->Show(*this, GetTitle(), ClientToScreenPoint(*this, anchor), 5, m_balloonMode);
}

int CImageButton::OnControlMouseMove(unsigned flags, CPoint point)
{
    const int result = MButton::OnControlMouseMove(flags, point);
    FollowBalloon();
    return result;
}

int CImageButton::OnControlLButtonDown(unsigned flags, CPoint point)
{
    const int result = MButton::OnControlLButtonDown(flags, point);
    FollowBalloon();
    return result;
}

int CImageButton::OnControlLButtonUp(unsigned flags, CPoint point)
{
    const int result = MButton::OnControlLButtonUp(flags, point);
    FollowBalloon();
    return result;
}

void CImageButton::DrawSlice(Surface& slice, CRect area, int state)
{
    DrawSkinFrameNatural(slice, *this, area.left, area.top, state);
    if (m_icon) {
        const int x = area.left + (area.Width() - m_iconWidth) / 2 + 2;
        const int y = area.top + (area.Height() - m_iconHeight) / 2 - 4;
        DrawImage(slice, *m_icon, CRect(x, y, x + m_iconWidth, y + m_iconHeight),
                  CRect(0, 0, m_iconWidth, m_iconHeight));
    }
}

TRELLIS_CONTROL_TVE(CImageButton, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CHelpButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/BalloonHost.h"
#include "trellis/controls/ControlDraw.h"

namespace DUI {

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                         int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
}

int CHelpButton::OnControlMouseMove(unsigned, CPoint point)
{
    const bool over = GetRect().PtInRect(point) && !GetTitle().empty();
    if (over == m_shown) return 0;
    m_shown = over;
    if (BalloonHost* host = BalloonHost::Get()) {
        if (over)
            host->Show(*this, GetTitle(),
                       ClientToScreenPoint(*this, CPoint(GetRect().left + 20, GetRect().top)), 5, 1);
        else
            host->Hide(*this);
    }
    return 0;
}

void CHelpButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0,
                    [this](Surface& s, CRect area, int) { DrawSkinFrameStretched(s, *this, area, 0); });
}

TRELLIS_CONTROL_TVE(CHelpButton, FactoryBoth);

} // namespace DUI

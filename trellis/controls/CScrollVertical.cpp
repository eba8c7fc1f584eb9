#include "trellis/controls/CScrollVertical.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CScrollVertical::CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MScroll(parent, id, rect, visible, enabled, true)
{
}

void CScrollVertical::InitControl(PaintManager*)
{
    // The library's own bar picture is a skin file on this platform.
    SetImage(L"img_scroll_v.png", 4);
}

void CScrollVertical::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        FillRect(s, area, 0xFF141414);
        CRect thumb = m_thumb;
        thumb.OffsetRect(area.left - m_rect.left, area.top - m_rect.top);
        FillRect(s, thumb, SelectColor());
    });
}

} // namespace DUI

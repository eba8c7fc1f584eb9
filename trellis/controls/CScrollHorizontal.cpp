#include "trellis/controls/CScrollHorizontal.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

CScrollHorizontal::CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MScroll(parent, id, rect, visible, enabled, false)
{
}

void CScrollHorizontal::InitControl(PaintManager*)
{
    SetImage(L"img_scroll_h.png", 1);
}

void CScrollHorizontal::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        const int mid = area.top + area.Height() / 2;
        FillRect(s, CRect(area.left, mid, area.right, mid + 1), 0xC8141414);
        const ImagePtr skin = GetSkinImage();
        if (!skin) return;
        // Rows of a quarter of the picture: 1 normal, 2 hover, 3 dragging.
        const int rowHeight = skin->Height() / 4;
        const int row = m_state + 1;
        CRect thumb = m_thumb;
        thumb.OffsetRect(area.left - m_rect.left, area.top - m_rect.top);
        const int cap = std::min(6, thumb.Width() / 2);
        const int sy = row * rowHeight, sw = skin->Width();
        DrawImage(s, *skin, CRect(thumb.left, thumb.top, thumb.left + cap, thumb.bottom),
                  CRect(0, sy, cap, sy + rowHeight));
        DrawImage(s, *skin, CRect(thumb.left + cap, thumb.top, thumb.right - cap, thumb.bottom),
                  CRect(cap, sy, sw - cap, sy + rowHeight));
        DrawImage(s, *skin, CRect(thumb.right - cap, thumb.top, thumb.right, thumb.bottom),
                  CRect(sw - cap, sy, sw, sy + rowHeight));
    });
}

} // namespace DUI

#include "trellis/controls/CArea.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1)
{
}

void CArea::SetTransparent(int from, int to, COLORREF color)
{
    m_from = std::clamp(from, 0, 100);
    m_to = std::clamp(to, 0, 100);
    m_color = color;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int on, Color color, int horizontal)
{
    m_frame = on;
    m_frameColor = color;
    m_horizontal = horizontal != 0;
    UpdateControl(1, 0);
}

void CArea::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        const Argb fill = ArgbFromColorRef(m_color);
        if (m_from == 0 && m_to == 0) {
            if (m_frame) {
                FillRect(s, area, m_frameColor.GetValue());
                CRect inner = area;
                inner.DeflateRect(1, 1);
                FillRect(s, inner, (fill & 0x00FFFFFF) | 0xFE000000);
            } else {
                FillRect(s, area, fill);
            }
            return;
        }
        // Alpha runs linearly from 255 - from% to (100 - to)% of 255 across rows (or columns).
        const int a0 = 255 - m_from * 255 / 100, a1 = (100 - m_to) * 255 / 100;
        const int n = m_horizontal ? area.Width() : area.Height();
        for (int i = 0; i < n; ++i) {
            const int alpha = n > 1 ? a0 + (a1 - a0) * i / (n - 1) : a0;
            const Argb c = (fill & 0x00FFFFFF) | (uint32_t(std::clamp(alpha, 0, 255)) << 24);
            const CRect line = m_horizontal ? CRect(area.left + i, area.top, area.left + i + 1, area.bottom)
                                            : CRect(area.left, area.top + i, area.right, area.top + i + 1);
            FillRect(s, line, c);
        }
    });
}

TRELLIS_CONTROL_VE(CArea, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CRoundArea.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CRoundArea::CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1)
{
}

void CRoundArea::SetColor(Color color)
{
    if (color == m_color) return;
    m_color = color;
    UpdateControl(1, 0);
}

void CRoundArea::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        DrawRoundRect(s, area.left, area.top, area.Width(), area.Height(), 0, 0, m_color.GetValue());
    });
}

TRELLIS_CONTROL_VE(CRoundArea, FactoryPanel);

} // namespace DUI

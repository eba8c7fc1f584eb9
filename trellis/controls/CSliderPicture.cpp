#include "trellis/controls/CSliderPicture.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPicture(parent, id, rect, visible, enabled)
{
    SetRunTimer(1);
}

void CSliderPicture::SetRun(int run, SLIDER_MODE mode)
{
    m_slide = mode;
    m_step = run ? 0 : 100;
    m_running = run && mode != SLIDER_NONE ? 1 : 0;
    UpdateControl(1, 0);
}

int CSliderPicture::OnControlTimer()
{
    if (!m_running) return 0;
    const int step = m_step + 1;
    m_step = step;
    if (step >= 100) m_running = 0;
    UpdateControl(1, 0);
    return 1;
}

void CSliderPicture::DrawControl(HDC dc, CRect)
{
    const int step = m_step;
    PaintStateStrip(*this, dc, 1, 0, [this, step](Surface& s, CRect area, int) {
        // Draw the picture at its place, shifted by the part of the slide still to go.
        const int w = area.Width(), h = area.Height();
        CRect shifted = area;
        const int rest = 100 - step;
        if (m_slide == SLIDER_FROM_LEFT)
            shifted.OffsetRect(-w * rest / 100, 0);
        else if (m_slide == SLIDER_FROM_TOP)
            shifted.OffsetRect(0, -h * rest / 100);
        else if (m_slide == SLIDER_FROM_RIGHT)
            shifted.OffsetRect(w * rest / 100, 0);
        Surface layer(w, h);
        DrawPicture(layer, CRect(shifted.left - area.left, shifted.top - area.top, shifted.right - area.left,
                                 shifted.bottom - area.top));
        DrawImage(s, layer, area, CRect(0, 0, w, h));
    });
}

TRELLIS_CONTROL_VE(CSliderPicture, FactoryBoth);

} // namespace DUI

#include "trellis/controls/MTabLayout.h"

#include "trellis/core/ControlFactory.h"

#include <mutex>

namespace DUI {

MTabLayout::MTabLayout(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible, 1)
{
    SetRunTimer(1);
}

int MTabLayout::OnCheckMouseResponse(unsigned, CPoint point)
{
    std::lock_guard<std::recursive_mutex> guard(m_controlLock);
    for (MControl* child : m_controls)
        if (!IsScrollBar(child) && child->PtInRect(point)) return 1;
    return 0;
}

void MTabLayout::SetControlRect(CRect rect)
{
    m_rect = rect;
}

TRELLIS_CONTROL_V(MTabLayout, FactoryBoth);

} // namespace DUI

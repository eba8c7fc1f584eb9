#include "trellis/controls/MProgress2.h"

#include "trellis/core/ControlFactory.h"

namespace DUI {

MProgress2::MProgress2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MProgress(parent, id, rect, visible, enabled)
{
    SetRunTimer(1);
    m_running = 1;
}

TRELLIS_CONTROL_VE(MProgress2, FactoryWindow);

} // namespace DUI

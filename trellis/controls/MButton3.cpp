#include "trellis/controls/MButton3.h"

#include "trellis/core/ControlFactory.h"

namespace DUI {

MButton3::MButton3(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                   int enabled)
    : MButton2(parent, id, rect, title, visible, enabled)
{
    m_frameSize = 8;
    m_group.clear();
}

void MButton3::OnClicked()
{
    SetControlCheck(!GetCheck());
}

TRELLIS_CONTROL_TVE(MButton3, FactoryPanel);

} // namespace DUI

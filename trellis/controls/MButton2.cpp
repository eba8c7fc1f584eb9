#include "trellis/controls/MButton2.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

MButton2::MButton2(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                   int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
    m_frameSize = 10;
}

void MButton2::SetControlCheck(int check)
{
    if (m_checked.exchange(check ? 1 : 0) != (check ? 1 : 0)) UpdateControl(0, 0);
}

int MButton2::SetCheck(int check)
{
    if (IsEnabled()) SetControlCheck(check);
    return m_checked;
}

void MButton2::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"MButton2", L"MComboBox2"}, false);
}

void MButton2::OnClicked()
{
    SetControlCheck(1);
    ResetGroupCheck();
}

int MButton2::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!IsEnabled()) return 0;
    const bool click = m_push.State() == PushBehaviour::kPressed && GetRect().PtInRect(point);
    m_push.Set(GetRect().PtInRect(point) ? PushBehaviour::kHover : PushBehaviour::kNormal);
    UpdateControl(0, 0);
    if (click) {
        OnClicked();
        SendMessageW(NOTIFY_CLICK, 0, 0);
    }
    return 1;
}

int MButton2::ShownSlice() const
{
    const int state = m_push.State();
    return m_checked && state != PushBehaviour::kDisabled ? PushBehaviour::kPressed : state;
}

void MButton2::DrawSlice(Surface& slice, CRect area, int state)
{
    const Argb color = state == kPressed ? 0xFF050505 : TitleColor(state);
    DrawFrameAndTitle(slice, area, state, state, color);
}

TRELLIS_CONTROL_TVE(MButton2, FactoryPanel);

} // namespace DUI

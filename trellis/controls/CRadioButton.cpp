#include "trellis/controls/CRadioButton.h"

#include "trellis/core/ControlFactory.h"

namespace DUI {

CRadioButton::CRadioButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                           int enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled)
{
}

void CRadioButton::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"RadioButton"}, false);
}

int CRadioButton::SetCheck(int check)
{
    if (!IsEnabled()) return GetCheck();
    if ((check ? 1 : 0) != GetCheck()) {
        m_check.SetCheck(*this, check);
        // Also for 0: the application uses SetCheck(0) to clear the whole group.
        ResetGroupCheck();
    }
    return GetCheck();
}

void CRadioButton::OnActivate(bool byKey)
{
    m_check.SetCheck(*this, 1);
    ResetGroupCheck();
    if (byKey)
        SendMessageW(NOTIFY_CHECK_KEY, 0, 1);
    else
        SendMessageW(NOTIFY_CLICK, 0, 0);
}

TRELLIS_CONTROL_TVE(CRadioButton, FactoryBoth);

} // namespace DUI

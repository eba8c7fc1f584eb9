#include "trellis/controls/ChoiceBehaviour.h"

namespace DUI {

int ChoiceBehaviour::Rest(const MControl& control, bool inside) const
{
    if (!control.IsEnabled()) return 3;
    if (Check()) return 2;
    return inside ? 1 : 0;
}

void ChoiceBehaviour::Show(MControl& control, int state)
{
    if (m_state.exchange(state) != state) control.UpdateControl(0, 0);
}

void ChoiceBehaviour::SetCheck(MControl& control, int check)
{
    m_check = check ? 1 : 0;
    Show(control, Rest(control, false));
}

int ChoiceBehaviour::Move(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || m_pressed) return 0;
    const int state = Rest(control, control.GetRect().PtInRect(point));
    if (state == State()) return 0;
    Show(control, state);
    return 1;
}

bool ChoiceBehaviour::Press(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || !control.GetRect().PtInRect(point)) return false;
    m_pressed = true;
    Show(control, 2);
    return true;
}

bool ChoiceBehaviour::Release(MControl& control, CPoint point)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!control.IsEnabled()) return false;
    Show(control, Rest(control, control.GetRect().PtInRect(point)));
    return wasPressed;
}

void ChoiceBehaviour::Enabled(MControl& control, int enabled)
{
    m_pressed = false;
    Show(control, Rest(control, false));
}

} // namespace DUI

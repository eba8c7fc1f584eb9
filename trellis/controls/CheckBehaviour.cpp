#include "trellis/controls/CheckBehaviour.h"

namespace DUI {

bool CheckBehaviour::Show(MControl& control, int state)
{
    if (m_state.exchange(state) == state) return false;
    control.UpdateControl(0, 0);
    return true;
}

bool CheckBehaviour::SetCheck(MControl& control, int check)
{
    const bool changed = m_check.exchange(check ? 1 : 0) != (check ? 1 : 0);
    const bool shown = Show(control, Face(control.IsEnabled() ? 0 : 3));
    return changed || shown;
}

bool CheckBehaviour::Rest(MControl& control, bool inside)
{
    return Show(control, Face(control.IsEnabled() ? (inside ? 1 : 0) : 3));
}

int CheckBehaviour::Move(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || m_pressedInside) return 0;
    return Rest(control, control.GetRect().PtInRect(point)) ? 1 : 0;
}

int CheckBehaviour::Down(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || !control.GetRect().PtInRect(point)) return 0;
    m_pressedInside = true;
    Show(control, Face(2));
    return 1;
}

bool CheckBehaviour::Up(MControl& control, CPoint point)
{
    const bool wasPressed = m_pressedInside;
    m_pressedInside = false;
    if (!control.IsEnabled()) return false;
    const bool inside = control.GetRect().PtInRect(point);
    return wasPressed && inside;
}

void CheckBehaviour::Enabled(MControl& control, int enabled)
{
    if (!enabled) m_pressedInside = false;
    Show(control, Face(enabled ? 0 : 3));
}

} // namespace DUI

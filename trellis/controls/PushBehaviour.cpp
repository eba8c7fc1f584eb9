#include "trellis/controls/PushBehaviour.h"

namespace DUI {

void PushBehaviour::Show(MControl& control, int state)
{
    if (Set(state)) control.UpdateControl(0, 0);
}

int PushBehaviour::Move(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || State() == kPressed) return 0;
    const bool inside = control.GetRect().PtInRect(point);
    if (m_handCursor) control.SetCursorEx(inside ? L"hand" : L"arrow");
    const int state = inside ? kHover : kNormal;
    if (state == State()) return 0;
    Show(control, state);
    return 1;
}

int PushBehaviour::Down(MControl& control, CPoint point)
{
    if (!control.IsEnabled() || !control.GetRect().PtInRect(point)) return 0;
    if (m_handCursor) control.SetCursorEx(L"hand");
    Show(control, kPressed);
    control.SendMessageW(NOTIFY_PRESS, 0, 0);
    return 1;
}

int PushBehaviour::Up(MControl& control, CPoint point)
{
    if (!control.IsEnabled()) return 0;
    bool click = false;
    if (control.GetRect().PtInRect(point)) {
        click = State() == kPressed;
        Show(control, kHover);
    } else {
        Show(control, kNormal);
    }
    if (click) control.SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
}

void PushBehaviour::Enabled(MControl& control, int enabled)
{
    Show(control, enabled ? kNormal : kDisabled);
}

} // namespace DUI

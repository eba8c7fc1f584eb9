#pragma once
// The eight-state machine of the check-like buttons: states 0-3 unchecked normal, hover,
// pressed, disabled and 4-7 the same while checked. The owning control decides what a
// completed click or Space does to the check (toggle, or select within a group).
#include "trellis/core/MControl.h"

#include <atomic>

namespace DUI {

class CheckBehaviour
{
public:
    int Check() const { return m_check.load(std::memory_order_relaxed); }
    int State() const { return m_state.load(std::memory_order_relaxed); }
    bool Focused() const { return m_focused; }
    void SetFocused(bool focused) { m_focused = focused; }

    // Stores the check and shows the normal (or disabled) face of it; true when anything changed.
    bool SetCheck(MControl& control, int check);
    // Hover/normal face for the current check; true when the state changed.
    bool Rest(MControl& control, bool inside);

    int Move(MControl& control, CPoint point);
    int Down(MControl& control, CPoint point);
    // True when the release completes a click that began on the control (point inside).
    bool Up(MControl& control, CPoint point);
    void Enabled(MControl& control, int enabled);

private:
    int Face(int base) const { return (Check() ? 4 : 0) + base; }
    bool Show(MControl& control, int state);

    std::atomic<int> m_check{0};
    std::atomic<int> m_state{0};
    bool m_pressedInside = false;
    bool m_focused = false;
};

} // namespace DUI

#pragma once
// The four-state push-button state machine (normal, hover, pressed, disabled) shared by every
// clickable control that is not a check-like button. The owning control forwards its mouse
// hooks here; state changes re-show the control from its strip.
#include "trellis/core/MControl.h"

#include <atomic>

namespace DUI {

class PushBehaviour
{
public:
    enum
    {
        kNormal = 0,
        kHover = 1,
        kPressed = 2,
        kDisabled = 3
    };

    explicit PushBehaviour(bool handCursor) : m_handCursor(handCursor) {}

    int State() const { return m_state.load(std::memory_order_relaxed); }
    // Sets the state; true when it changed (the caller decides how to repaint).
    bool Set(int state) { return m_state.exchange(state) != state; }

    // Each returns the hook's result; `changed` tells whether the visible state moved.
    int Move(MControl& control, CPoint point);
    int Down(MControl& control, CPoint point);
    int Up(MControl& control, CPoint point);
    // Call after the enabled flag changed.
    void Enabled(MControl& control, int enabled);

private:
    void Show(MControl& control, int state);

    std::atomic<int> m_state{kNormal};
    bool m_handCursor;
};

} // namespace DUI

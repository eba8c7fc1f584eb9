#pragma once
// The state machine of the exclusive-choice buttons (select buttons and colour swatches):
// states 0 normal, 1 hover, 2 pressed or selected, 3 disabled. A selected choice keeps its
// selected face; the owning control decides when a press or a click selects and which group
// is reset.
#include "trellis/core/MControl.h"

#include <atomic>

namespace DUI {

class ChoiceBehaviour
{
public:
    int Check() const { return m_check.load(std::memory_order_relaxed); }
    int State() const { return m_state.load(std::memory_order_relaxed); }
    bool Pressed() const { return m_pressed; }

    // Stores the check and shows the resting face for it.
    void SetCheck(MControl& control, int check);
    // Hover or normal face unless selected or disabled; 1 when the face changed.
    int Move(MControl& control, CPoint point);
    // A press inside starts a press (pressed face); false when it does not apply.
    bool Press(MControl& control, CPoint point);
    // Ends a press; true when one was in progress. Shows the resting face for the point.
    bool Release(MControl& control, CPoint point);
    void Enabled(MControl& control, int enabled);

private:
    int Rest(const MControl& control, bool inside) const;
    void Show(MControl& control, int state);

    std::atomic<int> m_check{0};
    std::atomic<int> m_state{0};
    bool m_pressed = false;
};

} // namespace DUI

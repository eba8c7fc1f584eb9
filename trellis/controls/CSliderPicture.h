#pragma once
// A picture that slides in from one side in 100 timer steps.
#include "trellis/controls/MPicture.h"

#include <atomic>

namespace DUI {

enum SLIDER_MODE
{
    SLIDER_NONE = 0,
    SLIDER_FROM_LEFT = 1,
    SLIDER_FROM_TOP = 2,
    SLIDER_FROM_RIGHT = 3
};

class CSliderPicture : public MPicture
{
public:
    CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // Starts (from the hidden position) or stops the slide.
    void SetRun(int run, SLIDER_MODE mode);
    int IsRun() const { return m_running; }
    // Percent of the slide done (100 = in place).
    int GetStep() const { return m_step; }

    void DrawControl(HDC dc, CRect clip) override;
    int OnControlTimer() override;

private:
    std::atomic<int> m_running{0};
    std::atomic<int> m_step{100};
    SLIDER_MODE m_slide = SLIDER_NONE;
};

} // namespace DUI

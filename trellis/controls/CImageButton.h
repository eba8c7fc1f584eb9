#pragma once
// Icon-like button: the skin frame at its natural size, an optional icon in the middle, no
// title on the face; the title can be shown as a balloon while the pointer is over it.
#include "trellis/controls/MButton.h"

namespace DUI {

// Where the balloon with the title appears: 0 none, 1 at the right edge, 2 at the left edge.
enum AIRBLADDER_MODE
{
    AIRBLADDER_NONE = 0,
    AIRBLADDER_RIGHT = 1,
    AIRBLADDER_LEFT = 2
};

class CImageButton : public MButton
{
public:
    CImageButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    void SetAlrBladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }
    AIRBLADDER_MODE GetAlrBladderMode() const { return m_balloonMode; }

    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    void DrawSlice(platform::ui::Surface& slice, CRect area, int state) override;
    void FollowBalloon();

    AIRBLADDER_MODE m_balloonMode = AIRBLADDER_NONE;
    bool m_balloonShown = false;
};

} // namespace DUI

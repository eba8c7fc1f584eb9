#pragma once
// On/off switch drawn from two strips (one for on, one for off), each frame stretched over the
// whole control; a click toggles it and reports the new state.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

#include <memory>

namespace DUI {

class CSwitchButton : public MControlFont
{
public:
    CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    int SetImage(const std::wstring& onFile, const std::wstring& offFile, int frameCount);
    int GetCheck() const { return m_on; }
    // Same as a click without the event; ignored while disabled.
    int SetCheck(int check);
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{true};
    std::shared_ptr<Image> m_onImage;
    std::shared_ptr<Image> m_offImage;
    int m_frames = 4;
    int m_on = 0;
};

} // namespace DUI

#pragma once
// A picture with a frame image drawn over it that behaves as a push button.
#include "trellis/controls/MPicture.h"
#include "trellis/controls/PushBehaviour.h"

namespace DUI {

class CPhotoFrame : public MPicture
{
public:
    CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // The frame strip (one frame per push state when it has four, else frame 0) over the picture.
    int SetPhotoFrame(const std::wstring& fileName, int frameCount);
    int SetPhotoFrame(unsigned resourceId, int frameCount);
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{true};
    ImagePtr m_frame;
    int m_frameCount = 1;
};

} // namespace DUI

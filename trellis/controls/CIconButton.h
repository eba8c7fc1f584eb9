#pragma once
// Button with a small icon beside its title on a nine-grid face.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

#include <memory>

namespace DUI {

class CIconButton : public MControlFont
{
public:
    CIconButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    int SetIconImage(const std::wstring& fileName, int frameCount = 4);
    // Both rectangles are relative to the control.
    void SetTextRect(CRect textRect, CRect iconRect);
    void SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled);
    void SetFrameSize(int corner) { m_frameSize = corner; }
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{true};
    std::shared_ptr<Image> m_icon;
    int m_iconFrames = 1;
    CRect m_textRect;
    CRect m_iconRect;
    int m_frameSize = 8;
    ARGB m_colors[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF323232};
};

} // namespace DUI

#pragma once
// Push button drawn from a four-frame skin strip (normal, hover, pressed, disabled) stretched
// as a nine-grid, with its title centred on it.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

#include <memory>

namespace DUI {

class MButton : public MControlFont
{
public:
    enum
    {
        kNormal = 0,
        kHover = 1,
        kPressed = 2,
        kDisabled = 3
    };

    MButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int enabled);

    // Loads skin folder + name directly (not through the image cache).
    int SetIconImage(const std::wstring& fileName, int frameCount);
    void SetFrameSize(int corner) { m_frameSize = corner; }
    int GetFrameSize() const { return m_frameSize; }
    void SetTextRect(CRect rect) { m_textRect = rect; }
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    // Draws slice `state` of the strip into `slice` (already holding the background).
    virtual void DrawSlice(platform::ui::Surface& slice, CRect area, int state);
    // Frame + title, the common face of the push buttons.
    void DrawFrameAndTitle(platform::ui::Surface& slice, CRect area, int frame, int state, ARGB titleColor);
    virtual ARGB TitleColor(int state) const;
    virtual int StripStates() const { return 4; }
    virtual int ShownSlice() const { return m_push.State(); }

    PushBehaviour m_push{true};
    std::shared_ptr<Image> m_icon;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    int m_iconFrames = 4;
    int m_frameSize = 8;
    CRect m_reserved;
    CRect m_textRect;
};

} // namespace DUI

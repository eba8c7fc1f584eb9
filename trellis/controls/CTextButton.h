#pragma once
// A link-like button: only its title, in one of four colours by state.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class CTextButton : public MControlFont
{
public:
    CTextButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    void SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled);
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{false};
    bool m_customColors = false;
    ARGB m_colors[4] = {0, 0, 0, 0};
};

} // namespace DUI

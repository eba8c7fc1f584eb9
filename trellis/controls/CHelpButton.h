#pragma once
// A help mark: its image stretched over the control; hovering shows the title as a balloon.
#include "trellis/core/MControlFont.h"

namespace DUI {

class CHelpButton : public MControlFont
{
public:
    CHelpButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    bool IsBalloonShown() const { return m_shown; }

    void DrawControl(HDC dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;

private:
    bool m_shown = false;
};

} // namespace DUI

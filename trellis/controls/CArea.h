#pragma once
// A plain area: a translucent veil fading from one transparency to another, or a solid fill
// with an optional 1-pixel frame.
#include "trellis/core/MControl.h"

namespace DUI {

class CArea : public MControl
{
public:
    CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // Transparency in percent at the start and the end of the fade (0, 0 = opaque).
    void SetTransparent(int from, int to, COLORREF color);
    void SetFrame(int on, Color color, int horizontal = 0);
    COLORREF GetColor() const { return m_color; }

    void DrawControl(HDC dc, CRect clip) override;

private:
    COLORREF m_color{0xFFFFFF};
    int m_from = 80;
    int m_to = 80;
    bool m_horizontal = false;
    int m_frame = 0;
    Color m_frameColor = Color(0xFE050505);
};

} // namespace DUI

#pragma once
// The vertical scroll bar of panels and lists: a dark column with the thumb in the accent colour.
#include "trellis/controls/MScroll.h"

namespace DUI {

class CScrollVertical : public MScroll
{
public:
    CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC dc, CRect clip) override;
};

} // namespace DUI

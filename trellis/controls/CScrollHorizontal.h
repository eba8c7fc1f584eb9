#pragma once
// The horizontal scroll bar: a thin line with a skinned thumb (end caps and a stretched middle).
#include "trellis/controls/MScroll.h"

namespace DUI {

class CScrollHorizontal : public MScroll
{
public:
    CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC dc, CRect clip) override;
};

} // namespace DUI

#pragma once
// A page of a tab control: a panel that draws nothing and takes the mouse only over its
// controls, so clicks on its empty spots reach what lies below (e.g. the window drag).
#include "trellis/controls/MPanel.h"

namespace DUI {

class MTabLayout : public MPanel
{
public:
    MTabLayout(MObject* parent, unsigned id, CRect rect, int visible);

    int OnCheckMouseResponse(unsigned flags, CPoint point) override;
    void SetControlRect(CRect rect) override;
};

} // namespace DUI

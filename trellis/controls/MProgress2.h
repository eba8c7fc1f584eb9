#pragma once
// A progress bar that starts running at once and stops when it reaches the maximum.
#include "trellis/controls/MProgress.h"

namespace DUI {

class MProgress2 : public MProgress
{
public:
    MProgress2(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

protected:
    void OnReachedMaximum() override { m_running = 0; }
};

} // namespace DUI

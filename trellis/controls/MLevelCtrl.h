#pragma once
// A row of equal cells, one per level of a small range; clicking a cell picks that level.
#include "trellis/core/MControlFont.h"

namespace DUI {

class MLevelCtrl : public MControlFont
{
public:
    static constexpr int kGap = 5;

    MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void SetRangeValue(int minimum, int maximum);
    // Clamped to the range; repaints when it changed.
    void SetLevelValue(int value);
    int GetLevelValue() const { return m_level; }
    int GetMinimum() const { return m_min; }
    int GetMaximum() const { return m_max; }
    // Cell k of the control (absolute client coordinates).
    CRect CellRect(int k) const;

    void DrawControl(HDC dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    int Cells() const { return m_max - m_min + 1; }
    int CellAt(CPoint point) const;

    int m_min = 1;
    int m_max = 5;
    int m_level = 1;
    int m_hot = -1;
};

} // namespace DUI

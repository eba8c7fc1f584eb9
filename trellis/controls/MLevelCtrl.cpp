#include "trellis/controls/MLevelCtrl.h"

#include "trellis/controls/ControlDraw.h"
#include "trellis/core/ControlFactory.h"

#include <algorithm>

namespace DUI {

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
}

void MLevelCtrl::SetRangeValue(int minimum, int maximum)
{
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    m_level = std::clamp(m_level, m_min, m_max);
    UpdateControl(1, 0);
}

void MLevelCtrl::SetLevelValue(int value)
{
    value = std::clamp(value, m_min, m_max);
    if (value == m_level) return;
    m_level = value;
    UpdateControl(1, 0);
}

CRect MLevelCtrl::CellRect(int k) const
{
    const int cells = Cells();
    const int width = (m_rect.Width() - cells * kGap) / cells;
    const int left = m_rect.left + k * (width + kGap);
    return CRect(left, m_rect.top, left + width, m_rect.bottom);
}

int MLevelCtrl::CellAt(CPoint point) const
{
    for (int k = 0; k < Cells(); ++k)
        if (CellRect(k).PtInRect(point)) return k;
    return -1;
}

int MLevelCtrl::OnControlMouseMove(unsigned, CPoint point)
{
    const int hot = IsEnabled() ? CellAt(point) : -1;
    if (hot == m_hot) return 0;
    m_hot = hot;
    UpdateControl(1, 0);
    return 1;
}

int MLevelCtrl::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!IsEnabled() || !m_rect.PtInRect(point)) return 0;
    const int k = CellAt(point);
    if (k < 0 || m_min + k == m_level) return 1;
    m_level = m_min + k;
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(m_level), 0);
    UpdateControl(1, 0);
    return 1;
}

void MLevelCtrl::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        const Argb accent = SelectColor();
        for (int k = 0; k < Cells(); ++k) {
            CRect cell = CellRect(k);
            cell.OffsetRect(area.left - m_rect.left, area.top - m_rect.top);
            const bool on = m_min + k <= m_level;
            const Argb fill = !IsEnabled() ? 0xFF2A2C31
                              : on         ? accent
                                           : (k == m_hot ? 0xFF3A3E46 : 0xFF2A2D34);
            DrawRoundRect(s, cell.left, cell.top, cell.Width(), cell.Height(), 3, 3, fill, 0xFF3C414B, 1.0);
            wchar_t text[32];
            std::swprintf(text, 32, L"%ls%d%ls", L"", m_min + k, L"");
            DrawControlText(s, *this, cell, text, on ? Color(0xFFFFFFFF) : Color(kDisabledText),
                            kTextCenter | kTextVCenter | kTextSingleLine);
        }
    });
}

TRELLIS_CONTROL_VE(MLevelCtrl, FactoryBoth);

} // namespace DUI

#include "trellis/controls/MScroll.h"

#include <algorithm>

namespace DUI {

MScroll::MScroll(MObject* parent, unsigned id, CRect rect, int visible, int enabled, bool vertical)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_vertical(vertical)
{
    SetRange();
}

int MScroll::ThumbLength() const
{
    const int track = Track();
    if (track <= 0) return 0;
    int length = m_max > 0 ? static_cast<int>(static_cast<long long>(m_page) * track / m_max) : track;
    length = std::max(length, m_cap / 2);
    if (length < 100) length = track < 150 ? track - 50 : 100;
    // Very short bars still get a thumb that fits.
    return std::clamp(length, std::min(track, 8), track);
}

void MScroll::PlaceThumb(int start)
{
    const int length = ThumbLength();
    if (m_vertical)
        m_thumb = CRect(m_rect.left, start, m_rect.right, start + length);
    else
        m_thumb = CRect(start, m_rect.top, start + length, m_rect.bottom);
}

void MScroll::SetRange()
{
    const int room = Track() - ThumbLength();
    const int offset =
        m_max > 0 && room > 0 ? static_cast<int>(static_cast<long long>(room) * m_pos / m_max) : 0;
    PlaceThumb(Start() + m_cap + offset);
}

void MScroll::SetRangeEx()
{
    SetRange();
    UpdateControl(1, 0);
}

void MScroll::SetControlRect(CRect rect)
{
    MControlFont::SetControlRect(rect);
    SetRange();
}

void MScroll::SetScrollInfo(int maximum, int position, int page, int step)
{
    m_max = std::max(0, maximum);
    if (page) m_page = page;
    if (step) m_step = step;
    m_pos = std::clamp(position, 0, m_max);
    SetRangeEx();
}

void MScroll::SetScrollMaxRange(int maximum)
{
    m_max = std::max(0, maximum);
    m_pos = std::min(m_pos, m_max);
    SetRangeEx();
}

void MScroll::SetScrollCurrentPos(int position)
{
    m_pos = std::clamp(position, 0, m_max);
    SetRangeEx();
}

void MScroll::SetScrollCurrentPosEx(int position)
{
    const int old = m_pos;
    SetScrollCurrentPos(position);
    if (m_pos != old) SendMessageW(NOTIFY_SCROLL, m_pos, 0);
}

void MScroll::SetScrollFinalPos()
{
    SetScrollCurrentPos(m_max);
}

void MScroll::SetScrollSize(int page, int cap)
{
    if (page) m_page = page;
    m_cap = std::max(0, cap);
    SetRangeEx();
}

int MScroll::ScrollRow(int rows)
{
    const int position = std::clamp(m_pos + rows * m_step, 0, m_max);
    if (position == m_pos) return 0;
    m_pos = position;
    SetRangeEx();
    return 1;
}

int MScroll::MoveRange(int delta)
{
    const int low = Start() + m_cap;
    const int room = Track() - ThumbLength();
    if (room <= 0) return 0;
    const int old = ThumbStart();
    const int start = std::clamp(old + delta, low, low + room);
    if (start == old) return 0;
    PlaceThumb(start);
    m_changing = 1;
    m_pos = static_cast<int>(static_cast<long long>(start - low) * m_max / room);
    UpdateControl(1, 0);
    SendMessageW(NOTIFY_SCROLL, m_pos, 0);
    return start - old;
}

void MScroll::ShowState(int state)
{
    if (state == m_state) return;
    m_state = state;
    UpdateControl(1, 0);
}

int MScroll::OnControlMouseMove(unsigned, CPoint point)
{
    if (!IsVisible() || !IsEnabled()) return 0;
    if (m_dragging) {
        m_last += MoveRange(Along(point) - m_last);
        return 1;
    }
    const bool inside = m_rect.PtInRect(point);
    const bool changed = inside != m_hover;
    m_hover = inside;
    const int before = m_state;
    ShowState(m_thumb.PtInRect(point) ? 1 : 0);
    return changed || before != m_state ? 1 : 0;
}

int MScroll::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!IsVisible() || !IsEnabled() || !m_rect.PtInRect(point)) return 0;
    if (m_thumb.PtInRect(point)) {
        m_dragging = true;
        m_last = Along(point);
        ShowState(2);
        return 1;
    }
    if (m_max > 0) {
        const int page = static_cast<int>(static_cast<long long>(Length() - 2 * m_cap) * m_page / m_max);
        MoveRange(Along(point) < ThumbStart() ? -page : page);
    }
    return 1;
}

int MScroll::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!m_dragging && m_state != 2) return 0;
    m_dragging = false;
    m_changing = 0;
    ShowState(m_thumb.PtInRect(point) ? 1 : 0);
    return 1;
}

} // namespace DUI

#pragma once
// Scroll bar logic shared by the vertical and the horizontal bar: position within a maximum
// range, a page size, a row step, and a thumb that moves inside the track between two end caps.
#include "trellis/core/MControlFont.h"

namespace DUI {

class MScroll : public MControlFont
{
public:
    MScroll(MObject* parent, unsigned id, CRect rect, int visible, int enabled, bool vertical);

    // Page and step change only when non-zero.
    void SetScrollInfo(int maximum, int position, int page, int step);
    void SetScrollMaxRange(int maximum);
    int GetScrollMaxRange() const { return m_max; }
    // Sets the position (clamped to [0, maximum]) and places the thumb; no event.
    void SetScrollCurrentPos(int position);
    // The same, reporting the new position with NOTIFY_SCROLL when it moved.
    void SetScrollCurrentPosEx(int position);
    int GetScrollCurrentPos() const { return m_pos; }
    // Jumps to the end of the range.
    void SetScrollFinalPos();
    void SetScrollSize(int page, int cap);
    int GetPageSize() const { return m_page; }
    int GetRowStep() const { return m_step; }
    int GetCapSize() const { return m_cap; }
    // Moves the position by rows x step inside [0, maximum]; 1 when it moved.
    int ScrollRow(int rows);
    // Moves the thumb by `delta` pixels inside the track and derives the position from it;
    // returns the distance actually moved.
    virtual int MoveRange(int delta);
    // Places the thumb for the current position.
    void SetRange();
    // Places the thumb and repaints.
    void SetRangeEx();
    int IsChangeing() const { return m_changing; }
    CRect GetThumbRect() const { return m_thumb; }
    int GetState() const { return m_state; }

    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    int Along(CPoint p) const { return m_vertical ? p.y : p.x; }
    int Start() const { return m_vertical ? m_rect.top : m_rect.left; }
    int Length() const { return m_vertical ? m_rect.Height() : m_rect.Width(); }
    int Track() const { return Length() - 2 * m_cap; }
    int ThumbLength() const;
    int ThumbStart() const { return m_vertical ? m_thumb.top : m_thumb.left; }
    void PlaceThumb(int start);
    void ShowState(int state);

    bool m_vertical;
    int m_max = 1000;
    int m_pos = 0;
    int m_page = 0;
    int m_step = 10;
    int m_cap = 0;
    CRect m_thumb;
    int m_changing = 0;
    int m_state = 0; // 0 normal, 1 over the thumb, 2 dragging
    bool m_hover = false;
    bool m_dragging = false;
    int m_last = 0;
};

} // namespace DUI

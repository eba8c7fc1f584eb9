#pragma once
// A horizontal slider: a track and a thumb that can be dragged or jumped to a point; reports
// moving values with NOTIFY_SCROLL and the release with NOTIFY_CLICK.
#include "trellis/core/MControlFont.h"

namespace DUI {

class MSlider : public MControlFont
{
public:
    MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    int SetImage(const std::wstring& fileName, int frameCount) override;
    int SetThumbImage(const std::wstring& fileName);
    // Values outside [minimum, maximum] are ignored. Returns the value (minimum-based).
    int SetProgress(int value);
    int GetProgress() const { return m_min + m_value; }
    void SetMinProgress(int minimum);
    int GetMinProgress() const { return m_min; }
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return m_max; }
    void SetScale(int scale) { m_scale = scale > 0 ? scale : 1; }
    void SetShowText(int show) { m_showText = show; }
    void MoveThumbPos(CPoint point);
    CRect GetThumbRect() const { return m_thumb; }
    CRect GetTrackRect() const { return m_track; }
    int GetState() const { return m_state; }

    void SetControlRect(CRect rect) override;
    void DrawControl(HDC dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    void Layout();
    void ShowState(int state);

    int m_value = 0;
    int m_min = 0;
    int m_max = 10;
    int m_scale = 1;
    int m_showText = 0;
    ImagePtr m_thumbImage;
    int m_thumbFrames = 1;
    int m_thumbWidth = 20;
    int m_thumbHeight = 20;
    CRect m_track;
    CRect m_thumb;
    int m_state = 0;
    bool m_dragging = false;
};

} // namespace DUI

#include "trellis/controls/MSlider.h"

#include "trellis/controls/ControlDraw.h"
#include "trellis/core/ControlFactory.h"

#include <algorithm>
#include <cwchar>

namespace DUI {

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetTextColor(0xFF050505);
    SetRunTimer(1);
    SetImageCount(2);
    Layout();
}

void MSlider::Layout()
{
    // The thumb's centre travels over the track, so the thumb never leaves the control.
    const int half = m_thumbWidth / 2;
    m_track = CRect(m_rect.left + half, m_rect.top, m_rect.right - half, m_rect.bottom);
    const int range = m_max - m_min;
    const int x = m_track.left + (range > 0 ? m_value * m_track.Width() / range : 0);
    const int top = m_rect.top + (m_rect.Height() - m_thumbHeight) / 2;
    m_thumb = CRect(x - half, top, x - half + m_thumbWidth, top + m_thumbHeight);
}

void MSlider::SetControlRect(CRect rect)
{
    MControlFont::SetControlRect(rect);
    Layout();
}

int MSlider::SetImage(const std::wstring& fileName, int frameCount)
{
    const int result = MControlFont::SetImage(fileName, frameCount);
    UpdateControl(1, 0);
    return result;
}

int MSlider::SetThumbImage(const std::wstring& fileName)
{
    ImagePtr image = LoadSkinImage(fileName);
    if (!image) return 0;
    m_thumbImage = image;
    // A strip four times as wide as high holds the normal, hover, dragging and disabled faces.
    m_thumbFrames = image->Width() >= 4 * image->Height() ? 4 : 1;
    m_thumbWidth = image->Width() / m_thumbFrames;
    m_thumbHeight = image->Height();
    Layout();
    UpdateControl(1, 0);
    return 1;
}

int MSlider::SetProgress(int value)
{
    if (value < m_min || value > m_max) return GetProgress();
    if (value - m_min != m_value) {
        m_value = value - m_min;
        Layout();
        UpdateControl(1, 0);
    }
    return GetProgress();
}

void MSlider::SetMinProgress(int minimum)
{
    m_min = std::min(minimum, m_max);
    m_value = std::clamp(m_value, 0, m_max - m_min);
    Layout();
    UpdateControl(1, 0);
}

void MSlider::SetMaxProgress(int maximum)
{
    m_max = std::max(maximum, m_min);
    m_value = std::clamp(m_value, 0, m_max - m_min);
    Layout();
    UpdateControl(1, 0);
}

void MSlider::ShowState(int state)
{
    if (state == m_state) return;
    m_state = state;
    UpdateControl(1, 0);
}

void MSlider::MoveThumbPos(CPoint point)
{
    const int range = m_max - m_min;
    const int width = std::max(1, m_track.Width());
    const int value = std::clamp((point.x - m_track.left) * range / width, 0, range);
    if (value == m_value) return;
    m_value = value;
    Layout();
    UpdateControl(1, 0);
    SendMessageW(NOTIFY_SCROLL, static_cast<unsigned>(m_min + m_value), 0);
}

int MSlider::OnControlMouseMove(unsigned, CPoint point)
{
    if (!IsEnabled()) return 0;
    if (m_dragging) {
        MoveThumbPos(point);
        return 1;
    }
    const int before = m_state;
    ShowState(m_thumb.PtInRect(point) ? 1 : 0);
    return before != m_state ? 1 : 0;
}

int MSlider::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!IsEnabled() || !m_rect.PtInRect(point)) return 0;
    if (!m_thumb.PtInRect(point)) MoveThumbPos(point);
    m_dragging = true;
    ShowState(2);
    return 1;
}

int MSlider::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!m_dragging) return 0;
    m_dragging = false;
    ShowState(m_thumb.PtInRect(point) ? 1 : 0);
    SendMessageW(NOTIFY_CLICK, 0, 0);
    return 1;
}

void MSlider::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        const int dx = area.left - m_rect.left, dy = area.top - m_rect.top;
        CRect track = m_track;
        track.OffsetRect(dx, dy);
        CRect thumb = m_thumb;
        thumb.OffsetRect(dx, dy);
        const int cx = thumb.left + thumb.Width() / 2;
        const ImagePtr skin = GetSkinImage();
        if (skin) {
            const int h = GetImageSize().cy;
            const CRect bar(track.left, track.top + (track.Height() - h) / 2, track.right,
                            track.top + (track.Height() - h) / 2 + h);
            DrawSkinFrameNineGrid(s, *this, bar, 0, h / 2);
            if (GetImageCount() > 1 && cx > bar.left)
                DrawSkinFrameNineGrid(s, *this, CRect(bar.left, bar.top, cx, bar.bottom), 1, h / 2);
        } else {
            const int y = track.top + track.Height() / 2 - 2;
            DrawRoundRect(s, track.left, y, track.Width(), 4, 2, 2, 0xFF30333A);
            if (cx > track.left)
                DrawRoundRect(s, track.left, y, cx - track.left, 4, 2, 2,
                              IsEnabled() ? SelectColor() : 0xFF4C5058);
        }
        if (m_thumbImage) {
            const int frame =
                !IsEnabled() ? std::min(3, m_thumbFrames - 1) : std::min(m_state, m_thumbFrames - 1);
            DrawImage(s, *m_thumbImage, thumb,
                      CRect(frame * m_thumbWidth, 0, frame * m_thumbWidth + m_thumbWidth, m_thumbHeight));
        } else {
            DrawEllipse(s, thumb.left + 1, thumb.top + 1, thumb.Width() - 2, thumb.Height() - 2, 0xFFF2F2F2,
                        m_state ? 0xFFFF5C62 : SelectColor(), 3);
        }
        if (m_showText) {
            wchar_t text[32];
            std::swprintf(text, 32, L"%d", GetProgress() / m_scale);
            DrawControlText(s, *this, CRect(cx - 30, area.top, cx + 30, thumb.top), text, GetTextColor(),
                            kTextCenter | kTextVCenter | kTextSingleLine);
        }
    });
}

TRELLIS_CONTROL_VE(MSlider, FactoryBoth);

} // namespace DUI

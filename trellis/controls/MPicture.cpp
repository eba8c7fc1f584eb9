#include "trellis/controls/MPicture.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

MPicture::MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetImageCount(1);
}

int MPicture::SetImage(const std::wstring& fileName, int frameCount)
{
    m_picture = LoadSkinImage(fileName);
    m_frames = std::max(1, frameCount);
    UpdateControl(1, 0);
    return m_picture ? 1 : 0;
}

int MPicture::SetImage(unsigned resourceId, const std::wstring& resourceType, int frameCount)
{
    m_picture = LoadResourceImage(resourceId, resourceType);
    m_frames = std::max(1, frameCount);
    UpdateControl(1, 0);
    return m_picture ? 1 : 0;
}

int MPicture::GetPictureWidth() const
{
    return m_picture ? m_picture->Width() / m_frames : 0;
}

int MPicture::GetPictureHeight() const
{
    return m_picture ? m_picture->Height() : 0;
}

int MPicture::SetShowMode(enumShowMode mode, int value)
{
    if (mode == m_mode && value == m_modeValue) return 0;
    m_mode = mode;
    m_modeValue = value;
    UpdateControl(1, 0);
    return 1;
}

void MPicture::SetShowModeMID(int left, int top, int right, int bottom)
{
    m_insets[0] = left;
    m_insets[1] = top;
    m_insets[2] = right;
    m_insets[3] = bottom;
    m_mode = SHOW_MODE_FRAME_MID;
    UpdateControl(1, 0);
}

void MPicture::SetCustomRect(CRect rect)
{
    m_custom = rect;
    UpdateControl(1, 0);
}

void MPicture::DrawPicture(Surface& target, CRect area) const
{
    if (!m_picture) return;
    const Image& image = *m_picture;
    const int fw = image.Width() / m_frames, fh = image.Height();
    if (fw <= 0 || fh <= 0) return;
    const CRect frame(0, 0, fw, fh);
    switch (m_mode) {
    case SHOW_MODE_NORMAL: {
        unsigned h = 0, v = 0;
        const_cast<MPicture*>(this)->GetAlignment(h, v);
        const int x = h == 0 ? area.left : h == 2 ? area.right - fw : area.left + (area.Width() - fw) / 2;
        const int y = v == 0 ? area.top : v == 8 ? area.bottom - fh : area.top + (area.Height() - fh) / 2;
        DrawImage(target, image, CRect(x, y, x + fw, y + fh), frame);
        break;
    }
    case SHOW_MODE_TILE:
        for (int y = area.top; y < area.bottom; y += fh)
            for (int x = area.left; x < area.right; x += fw) {
                const int w = std::min(fw, area.right - x), h = std::min(fh, area.bottom - y);
                DrawImage(target, image, CRect(x, y, x + w, y + h), CRect(0, 0, w, h));
            }
        break;
    case SHOW_MODE_STRETCH:
        DrawImage(target, image, area, frame);
        break;
    case SHOW_MODE_FRAME:
        DrawNineGrid(target, image, area, frame, m_modeValue, m_modeValue, m_modeValue, m_modeValue);
        break;
    case SHOW_MODE_FRAME_MID:
        DrawNineGrid(target, image, area, frame, m_insets[0], m_insets[1], m_insets[2], m_insets[3]);
        break;
    case SHOW_MODE_CUSTOM:
        if (!m_custom.IsRectEmpty()) DrawImage(target, image, area, m_custom);
        break;
    }
}

void MPicture::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) { DrawPicture(s, area); });
}

TRELLIS_CONTROL_VE(MPicture, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CIconButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                         int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

int CIconButton::SetIconImage(const std::wstring& fileName, int frameCount)
{
    std::shared_ptr<Image> image = LoadSkinImage(fileName);
    if (!image) return 0;
    m_icon = image;
    m_iconFrames = std::max(1, frameCount);
    UpdateControl(1, 0);
    return 1;
}

void CIconButton::SetTextRect(CRect textRect, CRect iconRect)
{
    m_textRect = textRect;
    m_iconRect = iconRect;
    UpdateControl(1, 0);
}

void CIconButton::SetTextButtonColor(Argb normal, Argb hover, Argb pressed, Argb disabled)
{
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
    UpdateControl(1, 0);
}

void CIconButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int CIconButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int CIconButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int CIconButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void CIconButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_push.State(), [this](Surface& s, CRect area, int slice) {
        DrawSkinFrameNineGrid(s, *this, area, slice, m_frameSize);
        if (GetTitle().empty()) return;
        if (m_icon) {
            const int fw = m_icon->Width() / m_iconFrames, fh = m_icon->Height();
            const int frame = m_iconFrames == 1 ? 0 : std::min(slice, m_iconFrames - 1);
            const int x = area.left + m_iconRect.left;
            const int y = area.top + (area.Height() - fh) / 2;
            DrawImage(s, *m_icon, CRect(x, y, x + fw, y + fh), CRect(frame * fw, 0, frame * fw + fw, fh));
        }
        CRect text = m_textRect.IsRectEmpty() ? CRect(0, 0, area.Width(), area.Height()) : m_textRect;
        text.OffsetRect(area.left + 1, area.top + 1);
        DrawControlText(s, *this, text, GetTitle(), m_colors[slice],
                        kTextCenter | kTextVCenter | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(CIconButton, FactoryBoth);

} // namespace DUI

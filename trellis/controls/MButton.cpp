#include "trellis/controls/MButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

MButton::MButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    // A button created disabled looks disabled from its first paint.
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

int MButton::SetIconImage(const std::wstring& fileName, int frameCount)
{
    std::shared_ptr<Image> image = LoadSkinImage(fileName);
    if (!image) return 0;
    if (frameCount < 1) frameCount = 1;
    m_icon = image;
    m_iconFrames = frameCount;
    m_iconWidth = image->Width() / frameCount;
    m_iconHeight = image->Height();
    UpdateControl(1, 0);
    return 1;
}

void MButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int MButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int MButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int MButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

Argb MButton::TitleColor(int state) const
{
    return state == kDisabled ? kDisabledText : GetTextColor().GetValue();
}

void MButton::DrawFrameAndTitle(Surface& slice, CRect area, int frame, int state, Argb titleColor)
{
    DrawSkinFrameNineGrid(slice, *this, area, frame, m_frameSize);
    if (GetTitle().empty()) return;
    CRect text = area;
    if (!m_textRect.IsRectEmpty())
        text = CRect(area.left + m_textRect.left, area.top + m_textRect.top, area.left + m_textRect.right,
                     area.top + m_textRect.bottom);
    if (state == kPressed) text.OffsetRect(1, 1);
    DrawControlText(slice, *this, text, GetTitle(), titleColor, kTextCenter | kTextVCenter | kTextSingleLine);
}

void MButton::DrawSlice(Surface& slice, CRect area, int state)
{
    DrawFrameAndTitle(slice, area, state, state, TitleColor(state));
}

void MButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, StripStates(), ShownSlice(),
                    [this](Surface& s, CRect area, int i) { DrawSlice(s, area, i); });
}

TRELLIS_CONTROL_TVE(MButton, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CTextButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                         int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

void CTextButton::SetTextButtonColor(Argb normal, Argb hover, Argb pressed, Argb disabled)
{
    m_customColors = true;
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
    UpdateControl(1, 0);
}

void CTextButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int CTextButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int CTextButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int CTextButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void CTextButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_push.State(), [this](Surface& s, CRect area, int slice) {
        // Until the application sets its own, the colours follow the text colour and the accent.
        Argb color = m_colors[slice];
        if (!m_customColors) {
            const Argb defaults[4] = {GetTextColor().GetValue(), SelectColor(), SelectColor(), kDisabledText};
            color = defaults[slice];
        }
        DrawControlText(s, *this, area, GetTitle(), color, AlignmentFormat(*this) | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(CTextButton, FactoryBoth);

} // namespace DUI

#include "trellis/controls/TextCheckButton.h"

#include "trellis/core/ControlFactory.h"

namespace DUI {

TextCheckButton::TextCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                                 int visible, int enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled)
{
}

void TextCheckButton::SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled)
{
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
    UpdateControl(1, 0);
}

ARGB TextCheckButton::SliceTextColor(int slice) const
{
    return m_colors[slice % 4];
}

TRELLIS_CONTROL_TVE(TextCheckButton, FactoryWindow);

} // namespace DUI

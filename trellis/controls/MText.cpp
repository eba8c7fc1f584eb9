#include "trellis/controls/MText.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

namespace DUI {

MText::MText(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
}

void MText::EnableMultiLine(int multiLine)
{
    if ((multiLine != 0) == (m_multiLine != 0)) return;
    m_multiLine = multiLine ? 1 : 0;
    UpdateControl(1, 0);
}

void MText::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 1, 0, [this](Surface& s, CRect area, int) {
        const unsigned format = AlignmentFormat(*this) | (m_multiLine ? kTextWordBreak : kTextSingleLine);
        DrawControlText(s, *this, area, GetTitle(), GetTextColor(), format);
    });
}

TRELLIS_CONTROL_TV(MText, FactoryBoth);

} // namespace DUI

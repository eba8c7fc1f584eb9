#pragma once
// A text label. Created disabled but taking mouse input, so a press on a label is consumed by it
// (no window drag starts from a label) and nothing is reported.
#include "trellis/core/MControlFont.h"

namespace DUI {

class MText : public MControlFont
{
public:
    MText(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int enabled = 0);

    void EnableMultiLine(int multiLine);
    int IsMultiLine() const { return m_multiLine; }

    void DrawControl(HDC dc, CRect clip) override;

private:
    int m_multiLine = 0;
};

} // namespace DUI

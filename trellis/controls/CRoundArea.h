#pragma once
// An area filled with one ARGB colour (antialiased).
#include "trellis/core/MControl.h"

namespace DUI {

class CRoundArea : public MControl
{
public:
    CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void SetColor(Color color);
    Color GetColor() const { return m_color; }

    void DrawControl(HDC dc, CRect clip) override;

private:
    Color m_color = Color(0x80000000);
};

} // namespace DUI

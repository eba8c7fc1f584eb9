#pragma once
// Check button whose title colour follows the state (four colours) beside an eight-frame strip.
#include "trellis/controls/CCheckButton.h"

namespace DUI {

class TextCheckButton : public CCheckButton
{
public:
    TextCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                    int enabled);

    void SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled);

protected:
    ARGB SliceTextColor(int slice) const override;

private:
    ARGB m_colors[4] = {0xFEFFFFFF, 0xFEC95100, 0xFEC95100, 0xFE808080};
};

} // namespace DUI

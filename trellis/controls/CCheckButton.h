#pragma once
// Check box: an eight-frame skin strip at the left edge and the title beside it.
#include "trellis/controls/CheckBehaviour.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class CCheckButton : public MControlFont
{
public:
    CCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    int GetCheck() const { return m_check.Check(); }
    // Ignored while disabled (returns the current check).
    virtual int SetCheck(int check);
    int GetState() const { return m_check.State(); }
    void SetCheckedTextColor(ARGB color) { m_checkedText = color; }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;

protected:
    // A completed click / Space: the check box toggles.
    virtual void OnActivate(bool byKey);
    virtual ARGB SliceTextColor(int slice) const;

    CheckBehaviour m_check;
    ARGB m_checkedText = 0xFFFFFFFF;
};

} // namespace DUI

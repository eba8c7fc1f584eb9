#pragma once
// A colour swatch that is one choice of a group: pressing it selects it at once.
#include "trellis/controls/ChoiceBehaviour.h"
#include "trellis/controls/GroupMember.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class CColorButton : public MControlFont, public GroupMember
{
public:
    CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    const wchar_t* GetClassNameW() override { return L"ColorButton"; }

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void SetVisibleBorder(bool visible);
    int GetCheck() const override { return m_choice.Check(); }
    int SetCheck(int check);
    void SetControlCheck(int check) override;
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }
    int GetState() const { return m_choice.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    COLORREF m_color{0xFFFFFF};
    bool m_border = true;
    ChoiceBehaviour m_choice;
    std::wstring m_group;
};

} // namespace DUI

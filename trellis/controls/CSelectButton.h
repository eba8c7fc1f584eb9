#pragma once
// One choice of a row of exclusive choices: four frames (normal, hover, selected, disabled) at
// the left edge, the title beside it; a selected button stays in its selected face.
#include "trellis/controls/ChoiceBehaviour.h"
#include "trellis/controls/GroupMember.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class CSelectButton : public MControlFont, public GroupMember
{
public:
    CSelectButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                  int enabled);

    const wchar_t* GetClassNameW() override { return L"CSelectButton"; }

    int GetCheck() const override { return m_choice.Check(); }
    int SetCheck(int check);
    void SetControlCheck(int check) override;
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }
    int GetState() const { return m_choice.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;

private:
    void Select();

    ChoiceBehaviour m_choice;
    bool m_focused = false;
    std::wstring m_group;
};

} // namespace DUI

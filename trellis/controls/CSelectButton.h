#pragma once
// One choice of a row of exclusive choices: four frames (normal, hover, selected, disabled) at
// the left edge, the title beside it; a selected button stays in its selected face.
#include "trellis/controls/GroupMember.h"
#include "trellis/core/MControlFont.h"

#include <atomic>

namespace DUI {

class CSelectButton : public MControlFont, public GroupMember
{
public:
    CSelectButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                  int enabled);

    const wchar_t* GetClassNameW() override { return L"CSelectButton"; }

    int GetCheck() const override { return m_checked; }
    int SetCheck(int check);
    void SetControlCheck(int check) override;
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }
    int GetState() const { return m_state; }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;

private:
    void Show(int state);
    void Select();

    std::atomic<int> m_checked{0};
    std::atomic<int> m_state{0};
    bool m_pressedInside = false;
    bool m_focused = false;
    std::wstring m_group;
};

} // namespace DUI

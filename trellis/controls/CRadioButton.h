#pragma once
// Radio button: a check-like button that only ever checks itself and unchecks the other radio
// buttons of its group (same parent list, same group name; the empty name is a group too).
#include "trellis/controls/CCheckButton.h"
#include "trellis/controls/GroupMember.h"

namespace DUI {

class CRadioButton : public CCheckButton, public GroupMember
{
public:
    CRadioButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    const wchar_t* GetClassNameW() override { return L"RadioButton"; }

    int SetCheck(int check) override;
    int GetCheck() const override { return CCheckButton::GetCheck(); }
    void SetControlCheck(int check) override { m_check.SetCheck(*this, check); }
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }

protected:
    void OnActivate(bool byKey) override;

private:
    std::wstring m_group;
};

} // namespace DUI

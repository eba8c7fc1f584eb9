#pragma once
// Function button of a shared group (with the function combo boxes): a completed click checks
// it and unchecks every other member named alike; while checked it shows its pressed face.
#include "trellis/controls/GroupMember.h"
#include "trellis/controls/MButton.h"

namespace DUI {

class MButton2 : public MButton, public GroupMember
{
public:
    MButton2(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int enabled);

    const wchar_t* GetClassNameW() override { return L"MButton2"; }

    int GetCheck() const override { return m_checked; }
    int SetCheck(int check);
    void SetControlCheck(int check) override;
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }

    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    void DrawSlice(platform::ui::Surface& slice, CRect area, int state) override;
    int ShownSlice() const override;
    // What a completed click does to the check.
    virtual void OnClicked();

    std::atomic<int> m_checked{0};
    std::wstring m_group = L"MouseFunction";
};

} // namespace DUI

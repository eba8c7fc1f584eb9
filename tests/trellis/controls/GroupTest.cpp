#include "ControlHarness.h"

#include "trellis/controls/CCheckButton.h"
#include "trellis/controls/CColorButton.h"
#include "trellis/controls/CRadioButton.h"
#include "trellis/controls/CSelectButton.h"
#include "trellis/controls/MButton2.h"
#include "trellis/controls/MPanel.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;

namespace {

struct Fixture
{
    RecordingOwner owner;
    MPanel panel{&owner, 100, CRect(0, 0, 600, 400), 1, 1};

    template <class T> T* Make(const wchar_t* cls, unsigned id, const std::wstring& title = L"x")
    {
        const int y = static_cast<int>(id % 20) * 20;
        return dynamic_cast<T*>(panel.CreateControl(cls, id, CRect(10, y, 150, y + 18), title, 1, 1));
    }
    static void Click(MControl& c)
    {
        c.OnLButtonDown(0, Inside(c));
        c.OnLButtonUp(0, Inside(c));
    }
};

} // namespace

TEST(CheckButton, ClickAndSpaceToggleWithTheirOwnEvents)
{
    Fixture f;
    auto* check = f.Make<CCheckButton>(L"CCheckButton", 11);
    ASSERT_NE(check, nullptr);
    Fixture::Click(*check);
    EXPECT_EQ(check->GetCheck(), 1);
    EXPECT_EQ(check->GetState(), 5) << "checked hover after a click inside";
    check->OnKeyDown(VK_SPACE, 1, 0);
    EXPECT_EQ(check->GetCheck(), 1) << "Space needs the focus";
    check->SetControlFocus(1);
    check->OnKeyDown(VK_SPACE, 1, 17);
    EXPECT_EQ(check->GetCheck(), 1) << "Space with Ctrl is not a toggle";
    check->OnKeyDown(VK_SPACE, 1, 0);
    EXPECT_EQ(check->GetCheck(), 0);
    const auto keys = f.owner.Of(NOTIFY_CHECK_KEY);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].lParam, 0);
    EXPECT_EQ(f.owner.Of(NOTIFY_CLICK).size(), 1u);

    check->SetEnabled(0);
    EXPECT_EQ(check->GetState(), 3);
    EXPECT_EQ(check->SetCheck(1), 0) << "ignored while disabled";
}

TEST(RadioButton, GroupsByClassAndExactGroupName)
{
    Fixture f;
    auto* a1 = f.Make<CRadioButton>(L"CRadioButton", 1);
    auto* a2 = f.Make<CRadioButton>(L"CRadioButton", 2);
    auto* b1 = f.Make<CRadioButton>(L"CRadioButton", 3);
    auto* n1 = f.Make<CRadioButton>(L"CRadioButton", 4);
    auto* n2 = f.Make<CRadioButton>(L"CRadioButton", 5);
    auto* sel = f.Make<CSelectButton>(L"CSelectButton", 6);
    a1->SetGroupName(L"A");
    a2->SetGroupName(L"A");
    b1->SetGroupName(L"a");
    sel->SetGroupName(L"A");
    a1->SetCheck(1);
    b1->SetCheck(1);
    n1->SetCheck(1);
    sel->SetCheck(1);

    Fixture::Click(*a2);
    EXPECT_EQ(a2->GetCheck(), 1);
    EXPECT_EQ(a1->GetCheck(), 0);
    EXPECT_EQ(b1->GetCheck(), 1) << "group names compare case-sensitively";
    EXPECT_EQ(sel->GetCheck(), 1) << "other classes are not members";
    EXPECT_EQ(n1->GetCheck(), 1);

    Fixture::Click(*a2);
    EXPECT_EQ(a2->GetCheck(), 1) << "a click never clears a radio button";

    n2->SetControlFocus(1);
    n2->OnKeyDown(VK_SPACE, 1, 0);
    EXPECT_EQ(n2->GetCheck(), 1);
    EXPECT_EQ(n1->GetCheck(), 0) << "the empty name is a group too";

    a2->SetCheck(0);
    EXPECT_EQ(a1->GetCheck() + a2->GetCheck(), 0) << "SetCheck(0) leaves the group unchecked";
}

TEST(SelectAndColorButtons, SkipHiddenOrDisabledMembersAndSelectOnTheirOwnTerms)
{
    Fixture f;
    auto* s1 = f.Make<CSelectButton>(L"CSelectButton", 1);
    auto* s2 = f.Make<CSelectButton>(L"CSelectButton", 2);
    auto* s3 = f.Make<CSelectButton>(L"CSelectButton", 3);
    s1->SetCheck(1);
    s3->SetCheck(1);
    s3->SetEnabled(0);
    Fixture::Click(*s2);
    EXPECT_EQ(s2->GetCheck(), 1);
    EXPECT_EQ(s2->GetState(), 2) << "a selected button keeps its selected face";
    s2->OnMouseMove(0, Outside(*s2));
    EXPECT_EQ(s2->GetState(), 2);
    EXPECT_EQ(s1->GetCheck(), 0);
    EXPECT_EQ(s3->GetCheck(), 1) << "disabled members are left alone";

    auto* c1 = f.Make<CColorButton>(L"CColorButton", 7);
    auto* c2 = f.Make<CColorButton>(L"CColorButton", 8);
    f.owner.Clear();
    c1->OnLButtonDown(0, Inside(*c1));
    EXPECT_EQ(c1->GetCheck(), 1) << "the press itself selects";
    EXPECT_EQ(f.owner.Of(NOTIFY_PRESS).size(), 1u);
    c1->OnLButtonUp(0, Inside(*c1));
    c2->OnLButtonDown(0, Inside(*c2));
    c2->OnLButtonUp(0, Outside(*c2));
    EXPECT_EQ(c1->GetCheck(), 0);
    EXPECT_EQ(c2->GetState(), 2);
    EXPECT_TRUE(c1->IsClass(L"ColorButton"));
    EXPECT_FALSE(c1->IsClass(L"CColorButton"));
}

TEST(FunctionButtons, ShareTheMouseFunctionGroupAndShowTheCheckedFace)
{
    Fixture f;
    auto* m1 = f.Make<MButton2>(L"MButton2", 1);
    auto* m2 = f.Make<MButton2>(L"MButton2", 2);
    auto* other = f.Make<MButton2>(L"MButton2", 3);
    other->SetGroupName(L"Other");
    ASSERT_EQ(m1->GetGroupName(), L"MouseFunction");
    other->SetCheck(1);
    Fixture::Click(*m1);
    Fixture::Click(*m2);
    EXPECT_EQ(m1->GetCheck(), 0);
    EXPECT_EQ(m2->GetCheck(), 1);
    EXPECT_EQ(other->GetCheck(), 1);
    EXPECT_EQ(f.owner.Of(NOTIFY_CLICK).size(), 2u) << "panel forwards its children's events";
    EXPECT_EQ(f.owner.Of(NOTIFY_CLICK)[1].id, 2u);
}

#include "ControlHarness.h"

#include "trellis/controls/CScrollHorizontal.h"
#include "trellis/controls/CScrollVertical.h"
#include "trellis/controls/MButton.h"
#include "trellis/controls/MPanel.h"
#include "trellis/controls/MTabCtrl.h"
#include "trellis/controls/MTabLayout.h"
#include "trellis/core/ControlFactory.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;

namespace {

// Tab images are skin files; a strip of three 70 x 70 frames is generated with the skin.
const wchar_t* kTabImage = L"img_tabitem_bkg.png";

} // namespace

TEST(TabCtrl, ItemWidthFollowsTheStripAndItsMinimum)
{
    RecordingOwner owner;
    for (auto [items, expected] : {std::pair{5, 80}, std::pair{8, 60}, std::pair{2, 120}}) {
        MTabCtrl tabs(&owner, 1, CRect(0, 0, 400, 40), 1, 1);
        for (int i = 0; i < items; ++i)
            tabs.InsertItem(i + 1, L"tab", kTabImage, nullptr);
        tabs.SetItemWidth(120, 60, 1);
        EXPECT_EQ(tabs.GetItemWidth(), expected) << items << " items";
        EXPECT_EQ(tabs.GetItemInfo(1)->rect.left, expected);
    }
}

TEST(TabCtrl, VerticalLayoutLeavesOnePixelAndSkipsHiddenTabs)
{
    RecordingOwner owner;
    MTabCtrl tabs(&owner, 1, CRect(10, 20, 80, 460), 1, 1);
    tabs.SetTabType(TAB_VERTICAL);
    tabs.SetTabCtrlWidth(70);
    tabs.SetTabCtrlHeight(70);
    for (int i = 0; i < 3; ++i)
        tabs.InsertItem(i + 1, L"tab", kTabImage, nullptr, 3, 0);
    EXPECT_EQ(tabs.GetItemInfo(2)->rect.top - 20, 140) << "insertion places tabs without gaps";
    tabs.RefreshItems();
    EXPECT_EQ(tabs.GetItemInfo(0)->rect.top - 20, 0);
    EXPECT_EQ(tabs.GetItemInfo(1)->rect.top - 20, 71);
    EXPECT_EQ(tabs.GetItemInfo(2)->rect.top - 20, 142);
    tabs.SetItemVisible(1, 0);
    EXPECT_TRUE(tabs.GetItemInfo(1)->rect.IsRectEmpty());
    EXPECT_EQ(tabs.GetItemInfo(2)->rect.top - 20, 71);
}

TEST(TabCtrl, SelectionShowsOnePageAndReportsOnce)
{
    RecordingOwner owner;
    MTabCtrl tabs(&owner, 9, CRect(0, 0, 300, 50), 1, 1);
    MControl* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = tabs.CreatePanel(L"MTabLayout", 50 + i, CRect(0, 60, 300, 300));
        ASSERT_NE(pages[i], nullptr);
        tabs.InsertItem(i + 1, L"tip " + std::to_wstring(i), kTabImage, pages[i], 3, 100);
    }
    EXPECT_EQ(tabs.CreatePanel(L"MPanel", 99, CRect()), nullptr);
    EXPECT_EQ(tabs.SetSelectItem(1), -1);
    EXPECT_EQ(tabs.SetSelectItem(1), 1) << "same index: nothing happens";
    const auto presses = owner.Of(NOTIFY_PRESS);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].wParam, 1u);
    EXPECT_FALSE(pages[0]->IsVisible());
    EXPECT_TRUE(pages[1]->IsVisible());

    // Hover then press on the third tab selects it; the tab text is its tooltip.
    const CPoint third(250, 20);
    tabs.OnMouseMove(0, third);
    EXPECT_EQ(tabs.GetHotItem(), 2);
    tabs.OnLButtonDown(0, third);
    EXPECT_EQ(tabs.GetSelectItem(), 2);
    EXPECT_TRUE(pages[2]->IsVisible());

    // Deleting the selected last tab moves the selection to the last visible one; the page goes.
    tabs.DeleteItem(2);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetSelectItem(), 1);
    EXPECT_TRUE(pages[1]->IsVisible());
}

TEST(TabLayout, TakesTheMouseOnlyOverItsControls)
{
    RecordingOwner owner;
    MTabLayout page(&owner, 1, CRect(0, 0, 200, 200), 1);
    page.CreateControl(L"MButton", 2, CRect(10, 10, 60, 40), L"b");
    EXPECT_EQ(page.OnCheckMouseResponse(0, CPoint(20, 20)), 1);
    EXPECT_EQ(page.OnCheckMouseResponse(0, CPoint(150, 150)), 0);
}

TEST(Panel, ScrollsTallContentAndShiftsTheMousePoint)
{
    RecordingOwner owner;
    MPanel panel(&owner, 1, CRect(0, 0, 200, 100), 1, 1);
    auto* low = dynamic_cast<MButton*>(panel.CreateControl(L"MButton", 5, CRect(10, 250, 90, 290), L"low"));
    ASSERT_NE(low, nullptr);
    panel.SetRect(panel.GetRect()); // content size from the last child: 290 high
    EXPECT_EQ(panel.GetVirtualHeight(), 290);
    EXPECT_TRUE(panel.GetScrollVertical()->IsVisible());
    EXPECT_FALSE(panel.GetScrollHorizontal()->IsVisible());

    // Each wheel notch moves one step of 5; the wheel is consumed while the content is taller.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(panel.OnControlScroll(1, 1, CPoint(50, 50)), 1);
    EXPECT_EQ(panel.GetScrollVertical()->GetScrollCurrentPos(), 50);
    EXPECT_EQ(panel.GetScrollOffsetY(), 50);
    CPoint p(50, 60);
    EXPECT_EQ(panel.OnMousePointChange(p), 1);
    EXPECT_EQ(p, CPoint(50, 110));

    // Far scrolling stops at the end of the content.
    for (int i = 0; i < 100; ++i)
        panel.OnControlScroll(1, 1, CPoint(50, 50));
    EXPECT_EQ(panel.GetScrollOffsetY(), 190);
    // The child is reached through the shifted point: a click at y 80 lands at 270.
    panel.OnLButtonDown(0, CPoint(50, 80));
    panel.OnLButtonUp(0, CPoint(50, 80));
    const auto clicks = owner.Of(NOTIFY_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].id, 5u);

    panel.SetEnableScroll(0);
    CPoint q(50, 60);
    EXPECT_EQ(panel.OnMousePointChange(q), 0);
    EXPECT_EQ(panel.OnControlScroll(1, 1, CPoint(50, 50)), 0);
}

TEST(Factories, KnowEachControlInItsTables)
{
    for (const wchar_t* name :
         {L"CArea",        L"MText",         L"MPicture",     L"CPhotoFrame",  L"CSliderPicture",
          L"CGifPicture",  L"MProgress",     L"MSlider",      L"MLevelCtrl",   L"MButton",
          L"CImageButton", L"CTextButton",   L"CCheckButton", L"CRadioButton", L"CSelectButton",
          L"CColorButton", L"CSwitchButton", L"CIconButton",  L"CTimerButton", L"CHelpButton",
          L"MTabCtrl",     L"MTabLayout"}) {
        EXPECT_TRUE(ControlFactory::IsKnown(FactoryWindow, name)) << name;
        EXPECT_TRUE(ControlFactory::IsKnown(FactoryPanel, name)) << name;
    }
    for (const wchar_t* name : {L"TextCheckButton", L"MProgress2"}) {
        EXPECT_TRUE(ControlFactory::IsKnown(FactoryWindow, name)) << name;
        EXPECT_FALSE(ControlFactory::IsKnown(FactoryPanel, name)) << name;
    }
    for (const wchar_t* name : {L"UpgradeButton", L"DownloadButton", L"LongPressButton", L"ColorButtonEx",
                                L"MButton2", L"MButton3", L"CRoundArea"}) {
        EXPECT_FALSE(ControlFactory::IsKnown(FactoryWindow, name)) << name;
        EXPECT_TRUE(ControlFactory::IsKnown(FactoryPanel, name)) << name;
    }
}

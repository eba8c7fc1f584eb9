// Controls in a real (headless) dialog: clicks come through the window's input routing, events
// reach the dialog's OnMessage, and a radio group on the dialog spans its top-level list.
#include "ControlHarness.h"

#include "trellis/controls/CRadioButton.h"
#include "trellis/controls/MButton.h"
#include "trellis/controls/MTabCtrl.h"
#include "trellis/core/MDialog.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;
namespace ws = platform::ui;

namespace {

class RecordingDialog : public MDialog
{
public:
    int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override
    {
        events.push_back({id, code, wParam, lParam});
        return 0;
    }
    std::vector<Event> events;
};

void Click(HWND window, CPoint point)
{
    ws::InjectMouseMove(window, point);
    ws::InjectMouseButton(window, point, 0, true);
    ws::InjectMouseButton(window, point, 0, false);
    ws::PumpMessages();
}

} // namespace

TEST(DialogControls, ClicksReachTheDialogAndRadioGroupsSpanItsList)
{
    PaintManager::SetPaintPauseMs(0);
    RecordingDialog dlg;
    ASSERT_NE(dlg.Create(0, L"controls", WS_POPUP, 0, CRect(0, 0, 400, 200)), HWND(0));
    dlg.ShowWindow(SW_SHOWNA);
    auto* ok = static_cast<MButton*>(dlg.CreateControl(L"MButton", 10, CRect(10, 10, 110, 40), L"OK"));
    auto* r1 =
        static_cast<CRadioButton*>(dlg.CreateControl(L"CRadioButton", 11, CRect(10, 60, 200, 80), L"one"));
    auto* r2 =
        static_cast<CRadioButton*>(dlg.CreateControl(L"CRadioButton", 12, CRect(10, 90, 200, 110), L"two"));
    ASSERT_TRUE(ok && r1 && r2);
    r1->SetImage(L"btn_radiobox.png", 8);
    r1->SetCheck(1);
    ws::PumpMessages();

    Click(dlg.GetSafeHwnd(), CPoint(50, 25));
    Click(dlg.GetSafeHwnd(), CPoint(50, 100));
    EXPECT_EQ(r2->GetCheck(), 1);
    EXPECT_EQ(r1->GetCheck(), 0);
    std::vector<Event> clicks;
    for (const Event& e : dlg.events)
        if (e.code == NOTIFY_CLICK) clicks.push_back(e);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].id, 10u);
    EXPECT_EQ(clicks[1].id, 12u);
    dlg.DestroyWindow();
}

TEST(DialogControls, ATabShowsItsTextAsTooltipOnlyWhileThePointerStaysOnIt)
{
    PaintManager::SetPaintPauseMs(0);
    RecordingDialog dlg;
    ASSERT_NE(dlg.Create(0, L"tabs", WS_POPUP, 0, CRect(0, 0, 400, 200)), HWND(0));
    dlg.ShowWindow(SW_SHOWNA);
    auto* tabs = static_cast<MTabCtrl*>(dlg.CreateControl(L"MTabCtrl", 20, CRect(0, 0, 300, 70)));
    ASSERT_NE(tabs, nullptr);
    tabs->InsertItem(1, L"Home", L"icon\\tab_home.png", nullptr, 4, 100);
    tabs->InsertItem(2, L"Buttons", L"icon\\tab_mousekey.png", nullptr, 4, 100);
    const HWND window = dlg.GetSafeHwnd();
    ws::InjectMouseMove(window, CPoint(150, 30));
    ws::PumpMessages();
    EXPECT_EQ(tabs->GetHotItem(), 1);
    ws::InjectMouseMove(window, CPoint(160, 30));
    ws::PumpMessages();
    EXPECT_EQ(dlg.GetPaintManager().GetTooltipText(), L"Buttons");
    ws::InjectMouseMove(window, CPoint(50, 30));
    ws::PumpMessages();
    EXPECT_EQ(tabs->GetHotItem(), 0);
    EXPECT_NE(dlg.GetPaintManager().GetTooltipText(), L"Buttons");
    dlg.DestroyWindow();
}

// The dialog host: hooks in order, the close protocol and modal loops, Tab order, window
// dragging and maximising, control timers and the shared timer.
#include "CoreTestSupport.h"

#include "platform/Clock.h"

#include <thread>

using namespace coretest;
using WindowHost = HeadlessTest;

TEST_F(WindowHost, CreationCallsInitUIThenSizeOnShow)
{
    TestDialog dlg;
    HWND h = dlg.Create(0, L"t", WS_POPUP, 0, CRect(0, 0, 320, 240));
    ASSERT_NE(h, HWND(0));
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_TRUE(dlg.sizes.empty());
    dlg.ShowWindow(SW_SHOW);
    ASSERT_EQ(dlg.sizes.size(), 1u);
    EXPECT_EQ(dlg.sizes[0], CRect(0, 0, 320, 240));
    EXPECT_EQ(dlg.GetPaintManager().GetCaptionRect(), CRect(0, 0, 320, 240));
    EXPECT_EQ(dlg.Create(0), h); // a live window is returned as it is
    EXPECT_EQ(dlg.GetStyle() & (WS_CAPTION | WS_THICKFRAME), 0u);
}

TEST_F(WindowHost, ShowModalReturnsTheCloseCode)
{
    struct Case
    {
        void (MDialog::*action)();
        UINT expected;
    } cases[] = {{&MDialog::DoOK, 1},
                 {&MDialog::DoCancel, 2},
                 {&MDialog::DoClose, 2},
                 {&MDialog::DoYes, 6},
                 {&MDialog::DoNo, 7}};
    for (const auto& c : cases) {
        TestDialog dlg;
        dlg.Create(0, L"m", WS_POPUP, 0, CRect(0, 0, 100, 100));
        (dlg.*c.action)();
        EXPECT_EQ(dlg.ShowModal(), c.expected);
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_EQ(dlg.closes, 1);
    }
    TestDialog none;
    EXPECT_EQ(none.ShowModal(), 0xFFFFFFFFu);
}

TEST_F(WindowHost, SystemCloseEndsTheModalLoopWithZeroAndReenablesTheOwner)
{
    TestDialog owner;
    Open(owner);
    // The owner is disabled while the loop runs: a message handled inside the loop sees it.
    struct Watch : TestDialog
    {
        bool ownerDisabled = false;
        HWND owner = 0;
        LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
        {
            if (msg == WM_USER + 1) ownerDisabled = !ws::IsWindowEnabled(owner);
            return TestDialog::OnWindowMessage(msg, wParam, lParam);
        }
    };
    Watch w;
    w.owner = owner.GetSafeHwnd();
    w.Create(owner.GetSafeHwnd(), L"m", WS_POPUP, 0, CRect(0, 0, 100, 100));
    w.PostMessageW(WM_USER + 1);
    ws::InjectCloseRequest(w.GetSafeHwnd()); // what the window system sends for its close button
    EXPECT_EQ(w.ShowModal(), 0u);
    EXPECT_TRUE(w.ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(w.closes, 1);
}

TEST_F(WindowHost, AltF4ClosesAModalDialogWithZero)
{
    TestDialog dlg;
    dlg.Create(0, L"m", WS_POPUP, 0, CRect(0, 0, 100, 100));
    dlg.ShowWindow(SW_SHOW);
    ws::InjectKey(VK_LMENU, true);
    ws::InjectKey(VK_F4, true);
    ws::InjectKey(VK_F4, false);
    ws::InjectKey(VK_LMENU, false);
    EXPECT_EQ(dlg.ShowModal(), 0u);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(WindowHost, QuitInsideAModalLoopEndsTheOuterLoopToo)
{
    TestDialog dlg;
    dlg.Create(0, L"m", WS_POPUP, 0, CRect(0, 0, 100, 100));
    ws::PostQuitMessage(3);
    EXPECT_EQ(dlg.ShowModal(), 0u);
    EXPECT_TRUE(dlg.IsWindow());
    MSG msg;
    EXPECT_FALSE(ws::GetMessage(msg)); // the quit was posted again for the outer loop
    EXPECT_EQ(msg.wParam, 3u);
    dlg.DestroyWindow();
}

TEST_F(WindowHost, TabMovesFocusAmongTabStopsWithWrap)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* a = AddProbe(dlg, 1, CRect(0, 0, 10, 10));
    Probe* b = AddProbe(dlg, 2, CRect(20, 0, 30, 10));
    Probe* c = AddProbe(dlg, 3, CRect(40, 0, 50, 10));
    Probe* d = AddProbe(dlg, 4, CRect(60, 0, 70, 10));
    a->SetTabStop(1);
    b->SetTabStop(1);
    c->SetTabStop(1);
    d->SetTabStop(1);
    c->SetEnabled(0);
    d->SetVisible(0);
    PaintManager& pm = dlg.GetPaintManager();
    auto tab = [&](bool shift) {
        MSG m;
        m.window = h;
        m.message = WM_KEYDOWN;
        m.wParam = VK_TAB;
        if (shift) ws::InjectKey(VK_LSHIFT, true);
        int r = dlg.PreTranslateMessage(m);
        if (shift) ws::InjectKey(VK_LSHIFT, false);
        return r;
    };
    EXPECT_EQ(tab(false), 1);
    EXPECT_EQ(pm.GetFocusControl(), a);
    EXPECT_EQ(tab(false), 1);
    EXPECT_EQ(pm.GetFocusControl(), b);
    EXPECT_EQ(tab(false), 1); // c disabled, d hidden: wraps to a
    EXPECT_EQ(pm.GetFocusControl(), a);
    EXPECT_EQ(tab(true), 1);
    EXPECT_EQ(pm.GetFocusControl(), b);
    EXPECT_EQ(a->log, (std::vector<std::wstring>{L"focus", L"blur", L"focus", L"blur"}));

    pm.SetFocusControl(nullptr);
    EXPECT_EQ(tab(true), 1); // no focus: Shift+Tab takes the last qualifying control
    EXPECT_EQ(pm.GetFocusControl(), b);

    // Nothing qualifies: Tab is not consumed.
    pm.SetFocusControl(nullptr);
    a->SetTabStop(0);
    b->SetTabStop(0);
    EXPECT_EQ(tab(false), 0);
    ws::InjectKey(VK_LCONTROL, true);
    EXPECT_EQ(tab(false), 0); // Ctrl+Tab is left alone
    ws::InjectKey(VK_LCONTROL, false);
}

TEST_F(WindowHost, DraggingAFreeSpotMovesTheWindow)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    AddProbe(dlg, 1, CRect(0, 0, 50, 50));
    CRect before = ws::GetWindowRect(h);
    ws::InjectMouseMove(h, CPoint(150, 100));
    ws::InjectMouseButton(h, CPoint(150, 100), 0, true);
    ws::PumpMessages();
    CPoint start = ws::ClientToScreen(h, CPoint(150, 100));
    ws::InjectMouseMove(start + CPoint(40, 25));
    ws::InjectMouseButton(start + CPoint(40, 25), 0, false);
    ws::PumpMessages();
    CRect after = ws::GetWindowRect(h);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 25);

    // A click on a control does not move the window.
    ws::InjectMouseMove(h, CPoint(10, 10));
    ws::InjectMouseButton(h, CPoint(10, 10), 0, true);
    ws::InjectMouseMove(ws::ClientToScreen(h, CPoint(60, 60)));
    ws::InjectMouseButton(ws::ClientToScreen(h, CPoint(60, 60)), 0, false);
    ws::PumpMessages();
    EXPECT_EQ(ws::GetWindowRect(h), after);

    dlg.EnableWndDrag(0);
    ws::InjectMouseMove(h, CPoint(150, 100));
    ws::InjectMouseButton(h, CPoint(150, 100), 0, true);
    ws::InjectMouseMove(ws::ClientToScreen(h, CPoint(190, 140)));
    ws::InjectMouseButton(ws::ClientToScreen(h, CPoint(190, 140)), 0, false);
    ws::PumpMessages();
    EXPECT_EQ(ws::GetWindowRect(h), after);
}

TEST_F(WindowHost, MaximiseFillsTheWorkAreaWithinTheMaximumSize)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    dlg.OnMaximize();
    ws::PumpMessages();
    EXPECT_EQ(ws::GetWindowRect(h), ws::GetWorkArea());
    EXPECT_EQ(dlg.sizes.back(), CRect(0, 0, ws::GetWorkArea().Width(), ws::GetWorkArea().Height()));
    dlg.OnMaximize(); // restores
    EXPECT_EQ(ws::GetWindowRect(h), CRect(100, 100, 400, 300));
    MINMAXINFO mmi;
    dlg.GetPaintManager().SetWindowMixSize(200, 150);
    ws::SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.minTrackSize, CPoint(200, 150));
    EXPECT_EQ(mmi.maxSize, CPoint(ws::GetWorkArea().Width(), ws::GetWorkArea().Height()));
}

TEST_F(WindowHost, CenteringFollowsTheOwnerAndStaysInTheWorkArea)
{
    TestDialog owner;
    HWND o = Open(owner); // (100, 100) - (400, 300)
    TestDialog child;
    HWND c = child.Create(o, L"c", WS_POPUP, 0, CRect(0, 0, 100, 50));
    child.CenterWindow();
    EXPECT_EQ(ws::GetWindowRect(c), CRect(200, 175, 300, 225));

    const CRect work = ws::GetWorkArea();
    owner.MoveWindow(work.right - 50, work.bottom - 40, 300, 200, 0);
    child.CenterWindow(&owner);
    EXPECT_EQ(ws::GetWindowRect(c), CRect(work.right - 100, work.bottom - 50, work.right, work.bottom));

    owner.ShowWindow(SW_HIDE); // a hidden owner gives way to the work area
    child.CenterWindow();
    const CPoint mid(work.left + (work.Width() - 100) / 2, work.top + (work.Height() - 50) / 2);
    EXPECT_EQ(ws::GetWindowRect(c), CRect(mid.x, mid.y, mid.x + 100, mid.y + 50));
}

TEST_F(WindowHost, ControlTimersUseCyclingIdsAndRestartStoppedRecords)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    TestDialog dlg;
    Open(dlg);
    Probe* p = AddProbe(dlg, 1, CRect(0, 0, 10, 10));
    Probe* q = AddProbe(dlg, 2, CRect(20, 0, 30, 10));
    PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.SetTimer(p, 5, 100), 1);
    EXPECT_EQ(pm.SetTimer(p, 5, 10), 0); // running: the first one stays
    EXPECT_EQ(pm.SetTimer(q, 5, 100), 1);
    clock.AdvanceMs(100);
    ws::PumpMessages();
    EXPECT_EQ(p->ticks, 1);
    EXPECT_EQ(q->ticks, 1);
    EXPECT_EQ(pm.KillTimer(p, 5), 1);
    clock.AdvanceMs(100);
    ws::PumpMessages();
    EXPECT_EQ(p->ticks, 1);
    EXPECT_EQ(q->ticks, 2);
    EXPECT_EQ(pm.SetTimer(p, 5, 100), 1); // restarted with its old id
    clock.AdvanceMs(100);
    ws::PumpMessages();
    EXPECT_EQ(p->ticks, 2);
    pm.KillTimer(p);
    pm.KillTimer(q);
    clock.AdvanceMs(500);
    ws::PumpMessages();
    EXPECT_EQ(p->ticks, 2);
    EXPECT_EQ(q->ticks, 3);
}

TEST_F(WindowHost, FirstControlTimerIdIs17)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 1, CRect(0, 0, 10, 10));
    dlg.GetPaintManager().SetTimer(p, 1, 1000);
    // Only the manager's event 17 reaches the probe.
    ws::SendMessage(h, WM_TIMER, 16, 0);
    EXPECT_EQ(p->ticks, 0);
    ws::SendMessage(h, WM_TIMER, 17, 0);
    EXPECT_EQ(p->ticks, 1);
}

TEST_F(WindowHost, SharedTimerTicksVisibleRunningControlsOnTheWindowThread)
{
    TestDialog dlg;
    Open(dlg);
    Probe* on = AddProbe(dlg, 1, CRect(0, 0, 10, 10));
    Probe* off = AddProbe(dlg, 2, CRect(20, 0, 30, 10));
    Probe* hidden = AddProbe(dlg, 3, CRect(40, 0, 50, 10));
    on->SetRunTimer(1);
    hidden->SetRunTimer(1);
    hidden->SetVisible(0);
    on->AddMTimer();
    off->AddMTimer();
    hidden->AddMTimer();
    UINT id = dlg.SetMTimer(2);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(CMTimer::GetMTimer(id), static_cast<CMTimer*>(&dlg.GetPaintManager()));
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (on->ticks < 3 && std::chrono::steady_clock::now() < until) {
        ws::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GE(on->ticks, 3);
    EXPECT_EQ(off->ticks, 0);
    EXPECT_EQ(hidden->ticks, 0);
    dlg.KillMTimer(id);
    EXPECT_FALSE(dlg.GetPaintManager().GetTimerIsRun(id));
    dlg.DestroyWindow(); // destroys controls while the timer thread is still alive
}

namespace {

class CountingTimer : public CMTimer
{
public:
    void OnMTimer(unsigned) override { ++ticks; }
    void OnMTimer(unsigned, const std::wstring& name) override
    {
        std::lock_guard<std::mutex> lock(m);
        names.push_back(name);
    }
    std::atomic<int> ticks{0};
    std::mutex m;
    std::vector<std::wstring> names;
};

} // namespace

TEST(SharedTimer, NamedApplicationTimersAndKillBookkeeping)
{
    CountingTimer t;
    unsigned a = t.SetTimer(1, L"app", 1);
    unsigned b = t.SetTimer(50, L"plain", 0);
    EXPECT_TRUE(t.IsAppTimer(a));
    EXPECT_FALSE(t.IsAppTimer(b));
    EXPECT_EQ(t.GetTimerName(b), L"plain");
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (t.ticks < 3 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(t.KillTimer(L"app"), 1);
    {
        std::lock_guard<std::mutex> lock(t.m);
        ASSERT_FALSE(t.names.empty());
        EXPECT_EQ(t.names.front(), L"app");
    }
    int after = t.ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(t.ticks - after, 1); // only the 50 ms timer may still tick
    EXPECT_EQ(t.KillTimer(b), 0);
    EXPECT_EQ(CMTimer::GetMTimer(b), nullptr);
}

TEST_F(WindowHost, TooltipShowsAfterTheRestDelayAndHidesWhenThePointerLeaves)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 7, CRect(10, 10, 60, 40));
    AddProbe(dlg, 8, CRect(100, 10, 150, 40));
    p->SetTooltip(L"Saves the profile");
    PaintManager& pm = dlg.GetPaintManager();
    ws::InjectMouseMove(h, CPoint(20, 20));
    ws::PumpMessages();
    EXPECT_EQ(pm.GetTooltipCtrlID(), 7);
    EXPECT_EQ(pm.GetTooltipText(), L"Saves the profile");
    EXPECT_FALSE(pm.IsTooltipShown());
    clock.AdvanceMs(600);
    ws::PumpMessages();
    EXPECT_TRUE(pm.IsTooltipShown());
    ws::InjectMouseMove(h, CPoint(120, 20)); // onto a control without a tooltip
    ws::PumpMessages();
    EXPECT_FALSE(pm.IsTooltipShown());
    EXPECT_EQ(pm.GetTooltipCtrlID(), 0);
    ws::InjectMouseMove(h, CPoint(20, 20)); // back: shown again after the delay
    ws::PumpMessages();
    clock.AdvanceMs(600);
    ws::PumpMessages();
    EXPECT_TRUE(pm.IsTooltipShown());
    ws::InjectMouseMove(CPoint(5, 5)); // off the window
    ws::PumpMessages();
    EXPECT_FALSE(pm.IsTooltipShown());
}

TEST_F(WindowHost, CaretBlinksOnlyWhileItsOwnerHasTheFocus)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    TestDialog dlg;
    HWND h = Open(dlg, 100, 60);
    Probe* owner = AddProbe(dlg, 1, CRect(0, 0, 100, 60));
    owner->fill = 0xFF000000;
    owner->SetTextColor(Color(0xFFFFFFFF));
    owner->SetControlFocus(1);
    ws::SetFocus(h);
    PaintManager& pm = dlg.GetPaintManager();
    pm.CreateCaret(nullptr, 2, 16);
    pm.SetCaretPos(owner, 40, 20);
    pm.ShowCaret(1);
    ws::PumpMessages();
    auto f = ws::CaptureWindow(h);
    EXPECT_EQ(f->GetPixel(41, 30) | 0xFF000000, 0xFFFFFFFFu);
    EXPECT_EQ(f->GetPixel(43, 30), 0xFF000000u);
    clock.AdvanceMs(ws::GetCaretBlinkTime());
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->GetPixel(41, 30), 0xFF000000u); // off phase
    clock.AdvanceMs(ws::GetCaretBlinkTime());
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->GetPixel(41, 30) | 0xFF000000, 0xFFFFFFFFu);
    owner->SetControlFocus(0);
    pm.Invalidate();
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->GetPixel(41, 30), 0xFF000000u);
    clock.AdvanceMs(5 * ws::GetCaretBlinkTime());
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->GetPixel(41, 30), 0xFF000000u);
}

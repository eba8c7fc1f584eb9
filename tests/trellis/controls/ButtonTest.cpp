#include "ControlHarness.h"

#include "trellis/controls/CColorButton.h"
#include "trellis/controls/CSwitchButton.h"
#include "trellis/controls/CTimerButton.h"
#include "trellis/controls/DownloadButton.h"
#include "trellis/controls/LongPressButton.h"
#include "trellis/controls/MButton.h"
#include "trellis/controls/MButton3.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;

namespace {

enum class Step
{
    Move,
    Down,
    Up,
    Disable
};
struct Input
{
    Step step;
    bool inside;
};

struct PushCase
{
    const char* name;
    std::vector<Input> inputs;
    int finalState;
    int clicks;
};

void Drive(MControl& c, const Input& in)
{
    const CPoint p = in.inside ? Inside(c) : Outside(c);
    switch (in.step) {
    case Step::Move:
        c.OnMouseMove(0, p);
        break;
    case Step::Down:
        c.OnLButtonDown(0, p);
        break;
    case Step::Up:
        c.OnLButtonUp(0, p);
        break;
    case Step::Disable:
        c.SetEnabled(0);
        break;
    }
}

} // namespace

TEST(PushButton, StateMachineFollowsPressDragAndRelease)
{
    const PushCase cases[] = {
        {"click", {{Step::Move, true}, {Step::Down, true}, {Step::Up, true}}, MButton::kHover, 1},
        {"release outside",
         {{Step::Down, true}, {Step::Move, false}, {Step::Up, false}},
         MButton::kNormal,
         0},
        {"drag out and back in",
         {{Step::Down, true}, {Step::Move, false}, {Step::Move, true}, {Step::Up, true}},
         MButton::kHover,
         1},
        {"disabled while pressed",
         {{Step::Down, true}, {Step::Disable, true}, {Step::Up, true}},
         MButton::kDisabled,
         0},
        {"press outside", {{Step::Down, false}, {Step::Up, true}}, MButton::kHover, 0},
        {"double click arrives as a second press",
         {{Step::Down, true}, {Step::Up, true}, {Step::Down, true}, {Step::Up, true}},
         MButton::kHover,
         2},
    };
    for (const PushCase& tc : cases) {
        SCOPED_TRACE(tc.name);
        RecordingOwner owner;
        MButton button(&owner, 7, CRect(10, 10, 90, 40), L"OK", 1, 1);
        for (const Input& in : tc.inputs)
            Drive(button, in);
        EXPECT_EQ(button.GetState(), tc.finalState);
        EXPECT_EQ(static_cast<int>(owner.Of(NOTIFY_CLICK).size()), tc.clicks);
        for (const Event& e : owner.events)
            EXPECT_EQ(e.id, 7u);
    }
}

TEST(PushButton, HoverChangesOnlyReShowTheStripAndCreatedDisabledLooksDisabled)
{
    RecordingOwner owner;
    MButton button(&owner, 1, CRect(0, 0, 80, 30), L"OK", 1, 1);
    button.OnMouseMove(0, Inside(button));
    button.OnMouseMove(0, Inside(button));
    EXPECT_EQ(owner.repaints, 1);
    EXPECT_EQ(owner.rebuilds, 0);

    MButton off(&owner, 2, CRect(0, 0, 80, 30), L"Off", 1, 0);
    EXPECT_EQ(off.GetState(), MButton::kDisabled);
    off.OnLButtonDown(0, Inside(off));
    EXPECT_TRUE(owner.Of(NOTIFY_PRESS).empty());
}

TEST(ToggleButtons, SwitchAndMButton3ToggleOnEachCompletedClick)
{
    RecordingOwner owner;
    CSwitchButton sw(&owner, 3, CRect(0, 0, 50, 24), 1, 1);
    for (int i = 0; i < 2; ++i) {
        sw.OnLButtonDown(0, Inside(sw));
        sw.OnLButtonUp(0, Inside(sw));
    }
    const auto clicks = owner.Of(NOTIFY_CLICK);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].lParam, 1);
    EXPECT_EQ(clicks[1].lParam, 0);
    EXPECT_EQ(sw.GetCheck(), 0);
    sw.SetCheck(1);
    EXPECT_EQ(owner.Of(NOTIFY_CLICK).size(), 2u) << "SetCheck sends no event";
    sw.SetEnabled(0);
    EXPECT_EQ(sw.SetCheck(0), 1) << "ignored while disabled";

    MButton3 toggle(&owner, 4, CRect(0, 0, 50, 24), L"Ctrl", 1, 1);
    toggle.OnLButtonDown(0, Inside(toggle));
    toggle.OnLButtonUp(0, Inside(toggle));
    EXPECT_EQ(toggle.GetCheck(), 1);
    toggle.OnLButtonDown(0, Inside(toggle));
    toggle.OnLButtonUp(0, Outside(toggle));
    EXPECT_EQ(toggle.GetCheck(), 1) << "a release outside is no click";
}

TEST(TimerButton, CountsDownOnTheClockAndClicksExactlyOnce)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    RecordingOwner owner;
    CTimerButton button(&owner, 5, CRect(0, 0, 120, 30), L"Keep", 1, 1);
    EXPECT_EQ(button.GetShownText(), L"Keep");
    button.SetRun(1);
    EXPECT_EQ(button.GetShownText(), L"Keep(10s)");
    std::vector<std::wstring> seen;
    for (int ms = 0; ms < 12000; ms += 250) {
        clock.AdvanceMs(250);
        button.OnTimer();
        if (seen.empty() || seen.back() != button.GetShownText()) seen.push_back(button.GetShownText());
    }
    EXPECT_EQ(seen.front(), L"Keep(10s)");
    EXPECT_EQ(seen[1], L"Keep(9s)");
    EXPECT_EQ(seen.back(), L"Keep");
    EXPECT_EQ(owner.Of(NOTIFY_CLICK).size(), 1u);
    EXPECT_EQ(button.IsRun(), 0);

    button.SetRun(1);
    clock.AdvanceMs(3000);
    button.SetRun(0);
    clock.AdvanceMs(20000);
    button.OnTimer();
    EXPECT_EQ(owner.Of(NOTIFY_CLICK).size(), 1u) << "a stopped countdown never clicks";
}

TEST(LongPressButton, RepeatsWhileHeldOnly)
{
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    RecordingOwner owner;
    LongPressButton button(&owner, 6, CRect(0, 0, 20, 20), L"", 1, 1);
    button.OnLButtonDown(0, Inside(button));
    for (int i = 0; i < 10; ++i) {
        clock.AdvanceMs(100);
        button.OnTimer();
    }
    // Reports at 400 ms, 800 ms (more than 300 ms after the last one).
    EXPECT_EQ(owner.Of(NOTIFY_LONG_PRESS).size(), 2u);
    button.OnLButtonUp(0, Inside(button));
    clock.AdvanceMs(1000);
    button.OnTimer();
    EXPECT_EQ(owner.Of(NOTIFY_LONG_PRESS).size(), 2u);
}

TEST(DownloadButton, ProgressIsClampedAndRepaintsOnlyOnChange)
{
    RecordingOwner owner;
    DownloadButton button(&owner, 8, CRect(0, 0, 100, 30), L"Update", 1, 1);
    button.SetDownloadProcess(40);
    button.SetDownloadProcess(40);
    EXPECT_EQ(owner.rebuilds, 1);
    button.SetDownloadProcess(250);
    EXPECT_EQ(button.GetDownloadProcess(), 100);
}

#include "ControlHarness.h"

#include "trellis/controls/CScrollVertical.h"
#include "trellis/controls/MLevelCtrl.h"
#include "trellis/controls/MProgress2.h"
#include "trellis/controls/MSlider.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;

TEST(Slider, MapsPointsToValuesAndReportsMovesThenTheRelease)
{
    RecordingOwner owner;
    MSlider slider(&owner, 3, CRect(100, 0, 320, 20), 1, 1); // thumb 20: track 110..310
    slider.SetMinProgress(0);
    slider.SetMaxProgress(100);
    EXPECT_EQ(slider.SetProgress(150), 0) << "out of range is ignored";
    EXPECT_EQ(slider.SetProgress(50), 50);
    EXPECT_EQ(slider.GetThumbRect().CenterPoint().x, 210);

    slider.OnLButtonDown(0, CPoint(160, 10)); // jump: (160 - 110) * 100 / 200 = 25
    EXPECT_EQ(slider.GetProgress(), 25);
    slider.OnMouseMove(MK_LBUTTON, CPoint(900, 10));
    EXPECT_EQ(slider.GetProgress(), 100) << "clamped to the maximum";
    slider.OnMouseMove(MK_LBUTTON, CPoint(0, 10));
    EXPECT_EQ(slider.GetProgress(), 0);
    slider.OnLButtonUp(0, CPoint(0, 10));
    const auto scrolls = owner.Of(NOTIFY_SCROLL);
    ASSERT_EQ(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[0].wParam, 25u);
    EXPECT_EQ(scrolls[2].wParam, 0u);
    EXPECT_EQ(owner.Of(NOTIFY_CLICK).size(), 1u);

    slider.SetMinProgress(-10);
    EXPECT_EQ(slider.SetProgress(-10), -10);
}

TEST(ScrollBar, ThumbTracksThePositionAndDragsBackToPositions)
{
    RecordingOwner owner;
    CScrollVertical bar(&owner, 1, CRect(0, 0, 5, 400), 1, 1);
    bar.SetScrollInfo(1000, 0, 100, 10);
    // page / max * track = 40 < 100: the thumb is 100 long.
    EXPECT_EQ(bar.GetThumbRect().Height(), 100);
    bar.SetScrollCurrentPos(500);
    EXPECT_EQ(bar.GetThumbRect().top, 150);
    EXPECT_EQ(bar.ScrollRow(3), 1);
    EXPECT_EQ(bar.GetScrollCurrentPos(), 530);
    bar.SetScrollCurrentPos(1000);
    EXPECT_EQ(bar.ScrollRow(1), 0) << "already at the end";

    bar.SetScrollCurrentPos(0);
    bar.OnLButtonDown(0, CPoint(2, 10)); // on the thumb
    bar.OnMouseMove(MK_LBUTTON, CPoint(2, 160));
    EXPECT_EQ(bar.GetScrollCurrentPos(), 500);
    EXPECT_EQ(bar.IsChangeing(), 1);
    bar.OnMouseMove(MK_LBUTTON, CPoint(2, 5000));
    EXPECT_EQ(bar.GetScrollCurrentPos(), 1000);
    bar.OnLButtonUp(0, CPoint(2, 5000));
    EXPECT_EQ(bar.IsChangeing(), 0);
    ASSERT_FALSE(owner.Of(NOTIFY_SCROLL).empty());
    EXPECT_EQ(owner.Of(NOTIFY_SCROLL).back().wParam, 1000u);

    // A press above the thumb pages up by (length - caps) * page / max = 40.
    bar.OnLButtonDown(0, CPoint(2, 5));
    EXPECT_EQ(bar.GetThumbRect().top, 260);
}

TEST(Progress, ClampsValuesAndRunsOnTicks)
{
    RecordingOwner owner;
    MProgress bar(&owner, 1, CRect(0, 0, 200, 20), 1, 1);
    EXPECT_EQ(bar.SetProgress(150), 100);
    EXPECT_EQ(bar.SetProgress(-5), 100);
    bar.SetEnabled(0);
    EXPECT_EQ(bar.SetProgress(10), 100) << "ignored while disabled";
    bar.SetEnabled(1);
    bar.SetRun(1, 99);
    for (int i = 0; i < 6; ++i)
        bar.OnTimer();
    EXPECT_EQ(bar.GetProgress(), 1) << "an endless bar wraps at the maximum";

    MProgress2 once(&owner, 2, CRect(0, 0, 200, 20), 1, 1);
    for (int i = 0; i < 400; ++i)
        once.OnTimer();
    EXPECT_EQ(once.GetProgress(), 100);
    EXPECT_EQ(once.IsRun(), 0);
    EXPECT_EQ(once.GetShownText(), L"100%");
}

TEST(LevelCtrl, PicksTheCellUnderAReleaseAndClampsSetValues)
{
    RecordingOwner owner;
    MLevelCtrl level(&owner, 4, CRect(0, 0, 250, 20), 1, 1);
    level.SetRangeValue(1, 5); // five cells of (250 - 25) / 5 = 45 pixels, 5 apart
    level.SetLevelValue(9);
    EXPECT_EQ(level.GetLevelValue(), 5);
    level.OnLButtonUp(0, CPoint(3 * 50 + 10, 10));
    EXPECT_EQ(level.GetLevelValue(), 4);
    level.OnLButtonUp(0, CPoint(3 * 50 + 10, 10));
    const auto clicks = owner.Of(NOTIFY_CLICK);
    ASSERT_EQ(clicks.size(), 1u) << "no event when the level stays";
    EXPECT_EQ(clicks[0].wParam, 4u);
}

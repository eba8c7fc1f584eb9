// Balloons and in-place editors are pop-up windows of their own; the controls reach them through
// two seams. These tests stand in for the pop-ups and check what the controls ask of them.
#include "ControlHarness.h"

#include "trellis/controls/BalloonHost.h"
#include "trellis/controls/CHelpButton.h"
#include "trellis/controls/CImageButton.h"
#include "trellis/controls/ColorButtonEx.h"
#include "trellis/controls/ValueEditHost.h"

#include <gtest/gtest.h>

using namespace DUI;
using namespace testing_controls;

namespace {

struct RecordingBalloons : BalloonHost
{
    RecordingBalloons() { previous = BalloonHost::Set(this); }
    ~RecordingBalloons() override { BalloonHost::Set(previous); }
    void Show(MControl& owner, const std::wstring& text, CPoint anchor, int type, int mode) override
    {
        log.push_back(L"show " + text + L" " + std::to_wstring(anchor.x) + L"," + std::to_wstring(anchor.y) +
                      L" " + std::to_wstring(type) + L"/" + std::to_wstring(mode));
    }
    void Hide(MControl& owner) override { log.push_back(L"hide"); }
    BalloonHost* previous;
    std::vector<std::wstring> log;
};

struct RecordingEditor : ValueEditHost
{
    RecordingEditor() { previous = ValueEditHost::Set(this); }
    ~RecordingEditor() override { ValueEditHost::Set(previous); }
    bool Open(ColorButtonEx& owner, CRect screenRect, const std::wstring& text) override
    {
        opened = text;
        rect = screenRect;
        return true;
    }
    void Close(ColorButtonEx& owner) override { ++closed; }
    ValueEditHost* previous;
    std::wstring opened;
    CRect rect;
    int closed = 0;
};

} // namespace

TEST(Balloons, HelpAndImageButtonsShowTheirTitleWhileHovered)
{
    RecordingBalloons balloons;
    RecordingOwner owner;
    CHelpButton help(&owner, 1, CRect(100, 50, 120, 70), L"DPI help", 1, 1);
    help.OnMouseMove(0, Inside(help));
    help.OnMouseMove(0, Inside(help));
    help.OnMouseMove(0, Outside(help));
    CHelpButton silent(&owner, 2, CRect(0, 0, 20, 20), L"", 1, 1);
    silent.OnMouseMove(0, Inside(silent));

    CImageButton close(&owner, 3, CRect(200, 10, 232, 42), L"Close", 1, 1);
    close.OnMouseMove(0, Inside(close)); // no balloon mode: nothing
    close.SetAlrBladderMode(AIRBLADDER_LEFT);
    close.OnMouseMove(0, Outside(close));
    close.OnMouseMove(0, Inside(close));
    close.OnLButtonDown(0, Inside(close)); // the press leaves the hover state
    const std::vector<std::wstring> expected = {L"show DPI help 120,50 5/1", L"hide",
                                                L"show Close 200,26 5/2", L"hide"};
    EXPECT_EQ(balloons.log, expected);
    EXPECT_TRUE(owner.Of(NOTIFY_CLICK).empty());
}

TEST(ColorButtonEx, EditsItsNumberInPlaceAndReportsOnlyRealChanges)
{
    RecordingEditor editor;
    RecordingOwner owner;
    ColorButtonEx stage(&owner, 7, CRect(0, 0, 80, 60), L"800", 1, 1);
    stage.CalcTextRect(20);
    EXPECT_EQ(stage.GetValue(), 800);

    // A click on the swatch above the band selects without editing.
    stage.OnLButtonDown(0, CPoint(40, 10));
    stage.OnLButtonUp(0, CPoint(40, 10));
    EXPECT_FALSE(stage.IsEditing());
    EXPECT_EQ(stage.GetCheck(), 1);

    stage.OnLButtonDown(0, CPoint(40, 50));
    stage.OnLButtonUp(0, CPoint(40, 50));
    ASSERT_TRUE(stage.IsEditing());
    EXPECT_EQ(editor.opened, L"800");
    EXPECT_EQ(editor.rect.Height(), 20);
    stage.CommitEdit(L"1600");
    EXPECT_EQ(stage.GetValue(), 1600);
    EXPECT_EQ(stage.GetTitle(), L"1600");

    stage.ShowEdit();
    stage.CommitEdit(L"16x0"); // not a number: the value stays
    stage.ShowEdit();
    stage.CommitEdit(L"1600"); // unchanged: no edit event
    EXPECT_EQ(stage.GetValue(), 1600);
    EXPECT_EQ(owner.Of(NOTIFY_EDIT_BEGIN).size(), 3u);
    EXPECT_EQ(owner.Of(NOTIFY_VALUE_EDITED).size(), 1u);
    EXPECT_EQ(owner.Of(NOTIFY_EDIT_END).size(), 3u);
    EXPECT_EQ(editor.closed, 3);
}

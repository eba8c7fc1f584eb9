#pragma once
// Button with a ten-second countdown: once started it shows "title(Ns)" and clicks itself when
// the time is up (used for "keep these settings?" style prompts).
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

#include <atomic>
#include <cstdint>
#include <mutex>

namespace DUI {

class CTimerButton : public MControlFont
{
public:
    static constexpr int kCountdownMs = 10000;

    CTimerButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    // 1 starts (or restarts) the countdown, 0 stops it; ignored while disabled. Returns the running flag.
    int SetRun(int run);
    int IsRun() const { return m_running; }
    void SetFrameSize(int corner) { m_frameSize = corner; }
    // The face text: the title, followed by the seconds left while running.
    std::wstring GetShownText() const;
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    int OnControlTimer() override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    int SecondsLeft() const;

    PushBehaviour m_push{true};
    std::atomic<int> m_running{0};
    std::atomic<int64_t> m_startMs{0};
    std::atomic<int> m_shownSeconds{-1};
    int m_frameSize = 4;
    bool m_focused = false;
};

} // namespace DUI

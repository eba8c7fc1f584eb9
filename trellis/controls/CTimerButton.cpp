#include "trellis/controls/CTimerButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include "platform/Clock.h"

#include <cwchar>

namespace DUI {

CTimerButton::CTimerButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                           int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    SetRunTimer(1);
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

int CTimerButton::SecondsLeft() const
{
    const int64_t elapsed = platform::GetClock().NowMs() - m_startMs;
    return static_cast<int>(10 - elapsed / 1000);
}

std::wstring CTimerButton::GetShownText() const
{
    if (!m_running) return m_strTitle;
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"(%ds)", SecondsLeft());
    return m_strTitle + buffer;
}

int CTimerButton::SetRun(int run)
{
    if (!IsEnabled()) return m_running;
    if (run) {
        m_startMs = platform::GetClock().NowMs();
        m_shownSeconds = 10;
    }
    m_running = run ? 1 : 0;
    UpdateControl(1, 0);
    return m_running;
}

int CTimerButton::OnControlTimer()
{
    if (!m_running) return 0;
    const int64_t elapsed = platform::GetClock().NowMs() - m_startMs;
    if (elapsed >= kCountdownMs) {
        // exchange: exactly one tick (of possibly concurrent ones) completes the countdown.
        if (m_running.exchange(0) == 0) return 0;
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_CLICK, 0, 0);
        return 1;
    }
    const int seconds = SecondsLeft();
    if (m_shownSeconds.exchange(seconds) != seconds) UpdateControl(1, 0);
    return 1;
}

void CTimerButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int CTimerButton::SetControlFocus(int focus)
{
    m_focused = focus != 0;
    UpdateControl(1, 0);
    return 0;
}

int CTimerButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int CTimerButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int CTimerButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void CTimerButton::DrawControl(HDC dc, CRect)
{
    const std::wstring text = GetShownText();
    PaintStateStrip(*this, dc, 4, m_push.State(), [this, &text](Surface& s, CRect area, int slice) {
        DrawSkinFrameNineGrid(s, *this, area, slice, m_frameSize);
        CRect r = area;
        if (slice == PushBehaviour::kPressed) r.OffsetRect(1, 1);
        DrawControlText(s, *this, r, text, slice == 3 ? kDisabledText : GetTextColor(),
                        kTextCenter | kTextVCenter | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(CTimerButton, FactoryBoth);

} // namespace DUI

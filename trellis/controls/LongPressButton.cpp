#include "trellis/controls/LongPressButton.h"

#include "trellis/core/ControlFactory.h"

#include "platform/Clock.h"

namespace DUI {

LongPressButton::LongPressButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                                 int visible, int enabled)
    : CImageButton(parent, id, rect, title, visible, enabled)
{
    SetRunTimer(1);
}

int LongPressButton::OnControlLButtonDown(unsigned flags, CPoint point)
{
    m_lastReport = platform::GetClock().NowMs();
    return CImageButton::OnControlLButtonDown(flags, point);
}

int LongPressButton::OnControlTimer()
{
    // Ticks come from the shared timer thread: only the own state is read and an event sent.
    if (m_push.State() != kPressed || !IsEnabled()) return 0;
    const int64_t now = platform::GetClock().NowMs();
    if (now - m_lastReport <= kRepeatMs) return 0;
    m_lastReport = now;
    SendMessageW(NOTIFY_LONG_PRESS, 0, 0);
    return 1;
}

TRELLIS_CONTROL_TVE(LongPressButton, FactoryPanel);

} // namespace DUI

#include "trellis/controls/MProgress.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>
#include <cwchar>

namespace DUI {

MProgress::MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetImageCount(2);
}

int MProgress::SetProgress(int value)
{
    if (!IsEnabled() || value < 0) return m_value;
    value = std::min(value, m_max.load());
    if (m_value.exchange(value) != value) UpdateControl(1, 0);
    return m_value;
}

void MProgress::SetMaxProgress(int maximum)
{
    // A zero maximum would divide by zero in every paint.
    m_max = std::max(1, maximum);
    if (m_value > m_max) m_value = m_max.load();
    UpdateControl(1, 0);
}

void MProgress::SetRun(int run, int value)
{
    if (!IsEnabled()) return;
    m_running = run ? 1 : 0;
    if (run) SetRunTimer(1);
    m_ticks = 0;
    if (value >= 0 && value <= m_max && m_value.exchange(value) != value) UpdateControl(1, 0);
}

void MProgress::EnableShowText(int show)
{
    m_showText = show;
    UpdateControl(1, 0);
}

int MProgress::SetBackGroundImage(const std::wstring& fileName)
{
    m_background = LoadSkinImage(fileName);
    UpdateControl(1, 0);
    return m_background ? 1 : 0;
}

int MProgress::SetForeGroundImage(const std::wstring& fileName)
{
    m_foreground = LoadSkinImage(fileName);
    UpdateControl(1, 0);
    return m_foreground ? 1 : 0;
}

int MProgress::OnControlTimer()
{
    if (!m_running) return 0;
    if (++m_ticks % kTicksPerStep != 0) return 0;
    const int next = m_value + 1;
    if (next >= m_max) {
        m_value = m_max.load();
        OnReachedMaximum();
    } else {
        m_value = next;
    }
    UpdateControl(1, 0);
    return 1;
}

std::wstring MProgress::GetShownText()
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%d%ls", m_value.load(), m_max == 100 ? L"%" : L"");
    return GetTitle() + buffer;
}

void MProgress::DrawControl(HDC dc, CRect)
{
    const int value = m_value, max = std::max(1, m_max.load());
    const std::wstring text = m_showText ? GetShownText() : std::wstring();
    PaintStateStrip(*this, dc, 1, 0, [&](Surface& s, CRect area, int) {
        const int filled = static_cast<int>(static_cast<long long>(area.Width()) * value / max);
        if (m_foreground) {
            if (m_background)
                DrawNineGrid(s, *m_background, area,
                             CRect(0, 0, m_background->Width(), m_background->Height()), 12, 0, 12, 0);
            if (value > 0) {
                const CRect bar(area.left, area.top, area.left + filled, area.bottom);
                const CRect source(0, 0, m_foreground->Width(), m_foreground->Height());
                if (filled < 12)
                    DrawImage(s, *m_foreground, bar, source);
                else
                    DrawNineGrid(s, *m_foreground, bar, source, 12, 0, 12, 0);
            }
        } else if (GetSkinImage()) {
            const CRect bar(area.left, area.top, area.right, area.top + 14);
            DrawSkinFrameNineGrid(s, *this, bar, 0, 2);
            if (filled > 0)
                DrawSkinFrameNineGrid(s, *this, CRect(bar.left, bar.top, bar.left + filled, bar.bottom), 1,
                                      std::min(2, filled / 2));
        } else {
            FillRect(s, CRect(area.left, area.bottom - 3, area.right, area.bottom - 2), m_lineColor);
            FillRect(s, CRect(area.left, area.bottom - 3, area.left + filled, area.bottom), SelectColor());
        }
        if (!text.empty()) {
            const int x = area.left + (area.Width() - 60) / 2;
            DrawControlText(s, *this, CRect(x, area.top, x + 60, area.top + 20), text, GetTextColor(),
                            kTextCenter | kTextVCenter | kTextSingleLine);
        }
    });
}

TRELLIS_CONTROL_VE(MProgress, FactoryBoth);

} // namespace DUI

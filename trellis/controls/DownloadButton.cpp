#include "trellis/controls/DownloadButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>
#include <cwchar>

namespace DUI {

DownloadButton::DownloadButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                               int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

void DownloadButton::SetDownloadProcess(int percent)
{
    // The bar never overflows the button whatever the caller reports.
    percent = std::min(percent, 100);
    if (m_percent.exchange(percent) == percent) return;
    UpdateControl(1, 0);
}

int DownloadButton::SetIconImage(const std::wstring& fileName, int frameCount)
{
    std::shared_ptr<Image> image = LoadSkinImage(fileName);
    if (!image) return 0;
    m_icon = image;
    m_iconFrames = std::max(1, frameCount);
    UpdateControl(1, 0);
    return 1;
}

void DownloadButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int DownloadButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int DownloadButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int DownloadButton::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void DownloadButton::DrawControl(HDC dc, CRect)
{
    const int percent = m_percent;
    // While downloading every state shows the first slice, which holds the progress.
    const int shown = percent > 0 ? 0 : m_push.State();
    PaintStateStrip(*this, dc, 4, shown, [this, percent](Surface& s, CRect area, int slice) {
        CRect text = m_textRect.IsRectEmpty() ? CRect(0, 0, area.Width(), area.Height()) : m_textRect;
        text.OffsetRect(area.left, area.top);
        if (percent > 0) {
            DrawSkinFrameNineGrid(s, *this, area, 0, m_frameSize);
            CRect filled = area;
            filled.right = area.left + area.Width() * percent / 100;
            DrawSkinFrameNineGrid(s, *this, filled, 1, std::min(m_frameSize, filled.Width() / 2));
            wchar_t buffer[16];
            std::swprintf(buffer, 16, L"%d%%", percent);
            DrawControlText(s, *this, text, buffer, GetTextColor(),
                            kTextCenter | kTextVCenter | kTextSingleLine);
            return;
        }
        DrawSkinFrameNineGrid(s, *this, area, slice, m_frameSize);
        if (slice == PushBehaviour::kPressed) text.OffsetRect(1, 1);
        DrawControlText(s, *this, text, GetTitle(), slice == 3 ? kDisabledText : GetTextColor(),
                        kTextCenter | kTextVCenter | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(DownloadButton, FactoryPanel);

} // namespace DUI

#include "trellis/controls/CSwitchButton.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetTabStop(1);
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

int CSwitchButton::SetImage(const std::wstring& onFile, const std::wstring& offFile, int frameCount)
{
    std::shared_ptr<Image> on = LoadSkinImage(onFile);
    std::shared_ptr<Image> off = LoadSkinImage(offFile);
    if (!on || !off) return 0;
    m_onImage = on;
    m_offImage = off;
    m_frames = std::max(1, frameCount);
    UpdateControl(1, 0);
    return 1;
}

int CSwitchButton::SetCheck(int check)
{
    if (!IsEnabled()) return m_on;
    const int on = check ? 1 : 0;
    if (on != m_on) {
        m_on = on;
        UpdateControl(1, 0);
    }
    return m_on;
}

void CSwitchButton::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int CSwitchButton::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int CSwitchButton::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int CSwitchButton::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!IsEnabled()) return 0;
    const bool click = m_push.State() == PushBehaviour::kPressed && GetRect().PtInRect(point);
    m_push.Set(GetRect().PtInRect(point) ? PushBehaviour::kHover : PushBehaviour::kNormal);
    if (click) {
        m_on = !m_on;
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_CLICK, 0, m_on);
    } else {
        UpdateControl(0, 0);
    }
    return 1;
}

void CSwitchButton::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_push.State(), [this](Surface& s, CRect area, int slice) {
        const Image* image = (m_on ? m_onImage : m_offImage).get();
        if (!image) return;
        const int fw = image->Width() / m_frames;
        const int frame = std::min(slice, m_frames - 1);
        DrawImage(s, *image, area, CRect(frame * fw, 0, frame * fw + fw, image->Height()));
    });
}

TRELLIS_CONTROL_VE(CSwitchButton, FactoryBoth);

} // namespace DUI

#include "trellis/controls/CPhotoFrame.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>

namespace DUI {

CPhotoFrame::CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPicture(parent, id, rect, visible, enabled)
{
    m_mode = SHOW_MODE_STRETCH;
    if (!enabled) m_push.Set(PushBehaviour::kDisabled);
}

int CPhotoFrame::SetPhotoFrame(const std::wstring& fileName, int frameCount)
{
    m_frame = LoadSkinImage(fileName);
    m_frameCount = std::max(1, frameCount);
    UpdateControl(1, 0);
    return m_frame ? 1 : 0;
}

int CPhotoFrame::SetPhotoFrame(unsigned, int)
{
    // Images come from the skin folder on this platform.
    return 0;
}

void CPhotoFrame::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MPicture::SetControlEnabled(enabled);
    m_push.Enabled(*this, enabled);
}

int CPhotoFrame::OnControlMouseMove(unsigned, CPoint point)
{
    return m_push.Move(*this, point);
}

int CPhotoFrame::OnControlLButtonDown(unsigned, CPoint point)
{
    return m_push.Down(*this, point);
}

int CPhotoFrame::OnControlLButtonUp(unsigned, CPoint point)
{
    return m_push.Up(*this, point);
}

void CPhotoFrame::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_push.State(), [this](Surface& s, CRect area, int slice) {
        DrawPicture(s, area);
        if (!m_frame) return;
        const int fw = m_frame->Width() / m_frameCount;
        const int frame = m_frameCount >= 4 ? slice : 0;
        DrawImage(s, *m_frame, area, CRect(frame * fw, 0, frame * fw + fw, m_frame->Height()));
    });
}

TRELLIS_CONTROL_VE(CPhotoFrame, FactoryBoth);

} // namespace DUI

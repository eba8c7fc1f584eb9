#include "trellis/controls/CGifPicture.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"

#include <algorithm>
#include <cstring>

namespace DUI {

CGifPicture::CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetRunTimer(1);
}

int CGifPicture::SetImage(const std::wstring& fileName, int frameCount)
{
    m_gifFrames.clear();
    m_strip.reset();
    m_frameCount = 0;
    m_frame = 0;
    GifFrames gif;
    if (gif.Load(SkinFilePath(fileName))) {
        for (int i = 0; i < gif.Count(); ++i) {
            auto surface = std::make_unique<Surface>(gif.Width(), gif.Height());
            uint8_t* data = surface->Data();
            for (int y = 0; y < gif.Height(); ++y)
                std::memcpy(data + y * surface->Stride(), gif.At(i).pixels.data() + size_t(y) * gif.Width(),
                            size_t(gif.Width()) * 4);
            surface->MarkDirty();
            m_gifFrames.push_back(std::move(surface));
        }
        m_frameCount = gif.Count();
        m_width = gif.Width();
        m_height = gif.Height();
    } else if ((m_strip = LoadSkinImage(fileName))) {
        m_frameCount = std::max(1, frameCount);
        m_width = m_strip->Width() / m_frameCount;
        m_height = m_strip->Height();
    }
    UpdateControl(1, 0);
    return m_frameCount > 0 ? 1 : 0;
}

void CGifPicture::SetRunState(int run, int frame)
{
    m_running = run != 0;
    m_ticks = 0;
    SelectActiveFrame(frame);
}

void CGifPicture::SelectActiveFrame(int frame)
{
    if (m_frameCount <= 0) return;
    frame = std::clamp(frame, 0, m_frameCount - 1);
    if (m_frame.exchange(frame) != frame) UpdateControl(1, 0);
}

void CGifPicture::ActiveNextFrame()
{
    if (m_frameCount > 0) SelectActiveFrame((m_frame + 1) % m_frameCount);
}

int CGifPicture::OnControlTimer()
{
    if (!m_running || m_frameCount <= 1) return 0;
    if (++m_ticks % kTicksPerFrame != 0) return 0;
    ActiveNextFrame();
    return 1;
}

int CGifPicture::OnControlMouseMove(unsigned, CPoint point)
{
    if (!m_hoverActive) return 0;
    const bool over = GetRect().PtInRect(point);
    if (over != m_running) {
        m_running = over;
        m_ticks = 0;
    }
    return 0;
}

void CGifPicture::DrawControl(HDC dc, CRect)
{
    const int frame = m_frame;
    PaintStateStrip(*this, dc, 1, 0, [this, frame](Surface& s, CRect area, int) {
        if (m_frameCount <= 0) return;
        // Centred at its natural size, like a picture in show mode 0.
        const int x = area.left + (area.Width() - m_width) / 2, y = area.top + (area.Height() - m_height) / 2;
        const CRect dest(x, y, x + m_width, y + m_height);
        if (!m_gifFrames.empty())
            DrawImage(s, *m_gifFrames[frame], dest, CRect(0, 0, m_width, m_height));
        else if (m_strip)
            DrawImage(s, *m_strip, dest, CRect(frame * m_width, 0, frame * m_width + m_width, m_height));
    });
}

TRELLIS_CONTROL_VE(CGifPicture, FactoryBoth);

} // namespace DUI

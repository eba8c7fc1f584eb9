#pragma once
// An animated GIF picture: frames advance every fifth timer tick while running (or while the
// pointer is over it, when hover activation is on).
#include "trellis/controls/GifFrames.h"
#include "trellis/core/MControlFont.h"

#include <atomic>
#include <memory>
#include <vector>

namespace DUI {

class CGifPicture : public MControlFont
{
public:
    static constexpr int kTicksPerFrame = 5;

    CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // Loads a GIF (all frames) or, failing that, a PNG strip of `frameCount` frames. 1 on success.
    int SetImage(const std::wstring& fileName, int frameCount) override;
    void SetRunState(int run, int frame);
    void SetMouseMoveActive(bool active) { m_hoverActive = active; }
    bool IsAnimate() const { return m_running; }
    int GetFrameCount() const { return m_frameCount; }
    int GetActiveFrame() const { return m_frame; }
    void SelectActiveFrame(int frame);
    void ActiveNextFrame();

    void DrawControl(HDC dc, CRect clip) override;
    int OnControlTimer() override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;

private:
    std::vector<std::unique_ptr<platform::ui::Surface>> m_gifFrames;
    ImagePtr m_strip;
    int m_frameCount = 0;
    int m_width = 0;
    int m_height = 0;
    std::atomic<int> m_frame{0};
    std::atomic<int> m_ticks{0};
    std::atomic<bool> m_running{false};
    bool m_hoverActive = false;
};

} // namespace DUI

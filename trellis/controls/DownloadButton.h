#pragma once
// Push button that turns into a progress bar with a percentage while a download runs.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

#include <memory>

namespace DUI {

class DownloadButton : public MControlFont
{
public:
    DownloadButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                   int enabled);

    // 0 or less shows the button; 1..100 the progress.
    void SetDownloadProcess(int percent);
    int GetDownloadProcess() const { return m_percent; }
    int SetIconImage(const std::wstring& fileName, int frameCount);
    void SetTextRect(CRect rect) { m_textRect = rect; }
    void SetFrameSize(int corner) { m_frameSize = corner; }
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{true};
    std::atomic<int> m_percent{0};
    std::shared_ptr<Image> m_icon;
    int m_iconFrames = 1;
    CRect m_textRect;
    int m_frameSize = 8;
};

} // namespace DUI

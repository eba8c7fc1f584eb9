#pragma once
// Progress bar: value 0..maximum drawn from foreground/background pictures, a two-frame skin
// strip, or plain lines; runs by itself on timer ticks when started (endless).
#include "trellis/core/MControlFont.h"

#include <atomic>

namespace DUI {

class MProgress : public MControlFont
{
public:
    static constexpr int kTicksPerStep = 3;

    MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // Only while enabled: above the maximum = the maximum, negative values are ignored.
    int SetProgress(int value);
    int GetProgress() const { return m_value; }
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return m_max; }
    // Sets the running flag and, when 0 <= value <= maximum, the value. Only while enabled.
    void SetRun(int run, int value);
    int IsRun() const { return m_running; }
    void EnableShowText(int show);
    int SetBackGroundImage(const std::wstring& fileName);
    int SetForeGroundImage(const std::wstring& fileName);
    int SetBackGroundImage(unsigned id, const std::wstring& type) { return 0; }
    int SetForeGroundImage(unsigned id, const std::wstring& type) { return 0; }
    std::wstring GetShownText();

    void DrawControl(HDC dc, CRect clip) override;
    int OnControlTimer() override;

protected:
    // What the timer does at the maximum: wrap to 0 (endless) or stop.
    virtual void OnReachedMaximum() { m_value = 0; }

    std::atomic<int> m_value{0};
    std::atomic<int> m_max{100};
    std::atomic<int> m_running{0};
    std::atomic<int> m_ticks{0};
    int m_showText = 0;
    ARGB m_lineColor = 0x64050505;
    ImagePtr m_background;
    ImagePtr m_foreground;
};

} // namespace DUI

#pragma once
// An image button that keeps reporting while it is held down (spin-like repeat).
#include "trellis/controls/CImageButton.h"

#include <atomic>
#include <cstdint>

namespace DUI {

class LongPressButton : public CImageButton
{
public:
    static constexpr int kRepeatMs = 300;

    LongPressButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                    int enabled);

    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlTimer() override;

private:
    std::atomic<int64_t> m_lastReport{0};
};

} // namespace DUI

#pragma once
// The tooltip of one host window: a borderless always-on-top pop-up that shows the current
// text beside the pointer once the pointer has rested for a moment over the host window.
#include "trellis/core/MWindow.h"

namespace DUI {

class TooltipWnd : public MWindow
{
public:
    static constexpr int kMaxWidth = 256;
    static constexpr UINT kShowDelayMs = 500;

    explicit TooltipWnd(HWND owner);
    // Non-empty text: the tip becomes active and shows after the pointer rests. Empty: hidden.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_text; }
    bool IsActive() const { return m_active; }
    bool IsShown() const { return IsWindowVisible() != 0; }
    // A mouse message of the host window (screen position): restarts the rest delay.
    void Relay(const MSG& msg);
    void Hide();

    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    platform::ui::WindowKind WindowKindForCreate() override { return platform::ui::WindowKind::Tooltip; }

private:
    void ShowAtCursor();

    HWND m_owner;
    std::wstring m_text;
    bool m_active = false;
};

} // namespace DUI

#pragma once
// A container: owns its children, forwards their events to its own parent, and scrolls its
// content with two thin scroll bars (id 1 vertical, id 2 horizontal) when the content is larger
// than the panel. Scrolling shifts the mouse point and the invalid area, not the children.
#include "trellis/core/MControlFont.h"

namespace DUI {

class CScrollVertical;
class CScrollHorizontal;

class MPanel : public MControlFont
{
public:
    static constexpr int kBarThickness = 5;
    static constexpr int kScrollStep = 5;

    MPanel(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    // The panel factory (kind 0 = area, 1 = control); the panel owns what it creates.
    virtual MControl* CreateArea(const std::wstring& className, unsigned id, CRect rect,
                                 const std::wstring& title, int visible, int enabled);
    virtual MControl* CreateControl(unsigned kind, MObject* parent, const std::wstring& className,
                                    unsigned id, CRect rect, const std::wstring& title, int visible,
                                    int enabled);
    virtual MControl* CreateControl(const std::wstring& className, unsigned id, CRect rect,
                                    const std::wstring& title = L"", int visible = 1, int enabled = 1);
    virtual int OnControlKeyUp(unsigned vk, unsigned repeat, unsigned modifiers) { return 0; }

    CScrollVertical* GetScrollVertical() const { return m_vertical; }
    CScrollHorizontal* GetScrollHorizontal() const { return m_horizontal; }
    void SetEnableScroll(int enable);
    int GetEnableScroll() const { return m_scrollEnabled; }
    void SetVirtualHeight(int height);
    void SetVirtualWidth(int width);
    int GetVirtualHeight() const { return m_virtualHeight; }
    int GetVirtualWidth() const { return m_virtualWidth; }
    // Pixels the content is scrolled by (what the mouse point is shifted by).
    int GetScrollOffsetY() const;
    int GetScrollOffsetX() const;

    int OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override;
    int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override;
    int OnControlUpdate(CRect rect, int redraw, MControl* control) override;
    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC dc, CRect clip) override {}
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(int enabled) override;
    void SetControlVisible(int visible) override;
    void SetControlWndVisible(int visible) override;
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    int OnMousePointChange(CPoint& point) override;
    int OnControlScroll(int bar, unsigned direction, CPoint point) override;

protected:
    // Content size from the last ordinary child, bar placement and ranges.
    void UpdateContentSize();
    void UpdateScrollBars();
    bool IsScrollBar(const MControl* control) const;

    CScrollVertical* m_vertical = nullptr;
    CScrollHorizontal* m_horizontal = nullptr;
    int m_scrollEnabled = 1;
    int m_virtualWidth = 0;
    int m_virtualHeight = 0;
};

} // namespace DUI

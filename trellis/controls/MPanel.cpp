#include "trellis/controls/MPanel.h"

#include "trellis/controls/CScrollHorizontal.h"
#include "trellis/controls/CScrollVertical.h"
#include "trellis/core/ControlFactory.h"

#include <algorithm>
#include <mutex>

namespace DUI {

MPanel::MPanel(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
    SetImageCount(1);
    SetDblClk(1);
    m_vertical = new CScrollVertical(this, 1, CRect(), 0, 1);
    m_horizontal = new CScrollHorizontal(this, 2, CRect(), 0, 1);
    AddChild(1, m_vertical);
    AddChild(1, m_horizontal);
    UpdateScrollBars();
}

void MPanel::InitControl(PaintManager* manager)
{
    m_vertical->SetManager(manager);
    m_horizontal->SetManager(manager);
}

bool MPanel::IsScrollBar(const MControl* control) const
{
    return control == m_vertical || control == m_horizontal;
}

MControl* MPanel::CreateControl(unsigned kind, MObject* parent, const std::wstring& className, unsigned id,
                                CRect rect, const std::wstring& title, int visible, int enabled)
{
    MControl* control = ControlFactory::Construct(FactoryPanel, className, parent ? parent : this, id, rect,
                                                  title, visible, enabled);
    if (!control) return nullptr;
    if (m_pManager) control->SetManager(m_pManager);
    AddChild(kind == 0 ? 0 : 1, control);
    return control;
}

MControl* MPanel::CreateControl(const std::wstring& className, unsigned id, CRect rect,
                                const std::wstring& title, int visible, int enabled)
{
    return CreateControl(1, this, className, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateArea(const std::wstring& className, unsigned id, CRect rect,
                             const std::wstring& title, int visible, int enabled)
{
    return CreateControl(0, this, className, id, rect, title, visible, enabled);
}

int MPanel::GetScrollOffsetY() const
{
    const int extra = m_virtualHeight - m_rect.Height();
    const int max = m_vertical->GetScrollMaxRange();
    if (!m_scrollEnabled || extra <= 0 || max <= 0) return 0;
    return static_cast<int>(static_cast<long long>(extra) * m_vertical->GetScrollCurrentPos() / max);
}

int MPanel::GetScrollOffsetX() const
{
    const int extra = m_virtualWidth - m_rect.Width();
    const int max = m_horizontal->GetScrollMaxRange();
    if (!m_scrollEnabled || extra <= 0 || max <= 0) return 0;
    return static_cast<int>(static_cast<long long>(extra) * m_horizontal->GetScrollCurrentPos() / max);
}

void MPanel::UpdateScrollBars()
{
    const CRect r = m_rect;
    const CRect v(r.right - kBarThickness, r.top, r.right, r.bottom);
    const CRect h(r.left, r.bottom - kBarThickness, r.right, r.bottom);
    if (m_vertical->GetRect() != v) m_vertical->SetRect(v);
    if (m_horizontal->GetRect() != h) m_horizontal->SetRect(h);
    const int extraY = std::max(0, m_virtualHeight - r.Height());
    const int extraX = std::max(0, m_virtualWidth - r.Width());
    m_vertical->SetScrollInfo(extraY, std::min(m_vertical->GetScrollCurrentPos(), extraY),
                              std::max(1, r.Height()), kScrollStep);
    m_horizontal->SetScrollInfo(extraX, std::min(m_horizontal->GetScrollCurrentPos(), extraX),
                                std::max(1, r.Width()), kScrollStep);
    m_vertical->SetVisible(m_scrollEnabled && extraY > 0);
    m_horizontal->SetVisible(m_scrollEnabled && extraX > 0);
}

void MPanel::UpdateContentSize()
{
    MControl* last = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(m_controlLock);
        for (MControl* child : m_controls)
            if (!IsScrollBar(child)) last = child;
    }
    if (last) {
        m_virtualHeight = last->GetRect().bottom - m_rect.top;
        m_virtualWidth = last->GetRect().right - m_rect.left;
    }
}

void MPanel::SetControlRect(CRect rect)
{
    MControlFont::SetControlRect(rect);
    UpdateContentSize();
    UpdateScrollBars();
}

void MPanel::SetEnableScroll(int enable)
{
    m_scrollEnabled = enable ? 1 : 0;
    UpdateScrollBars();
}

void MPanel::SetVirtualHeight(int height)
{
    m_virtualHeight = std::max(0, height);
    UpdateScrollBars();
}

void MPanel::SetVirtualWidth(int width)
{
    m_virtualWidth = std::max(0, width);
    UpdateScrollBars();
}

int MPanel::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam)
{
    return OnMessage(id, code, wParam, lParam);
}

int MPanel::OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam)
{
    // A moved bar scrolls the content: content drawn shifted (lists) must be rebuilt.
    if ((id == 1 || id == 2) && code == NOTIFY_SCROLL) UpdateControl(1, 0);
    return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

int MPanel::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    if (!control) return 0;
    if (redraw) control->SetUpdate(0, 0);
    std::vector<CRect> later;
    {
        std::lock_guard<std::recursive_mutex> guard(m_controlLock);
        bool met = false;
        for (MControl* child : m_controls) {
            if (child == control) {
                met = true;
                continue;
            }
            if (met && child->IsVisible() && child->GetRect().Intersects(rect)) child->SetUpdate(0, 0);
        }
    }
    // Children of a panel draw at their own place, so the window repaints the child's rectangle;
    // the panel passes the request on without redraw (its own face never changes).
    CRect area;
    if (!area.IntersectRect(rect, m_rect)) area = rect;
    if (IsVisible() && m_pParent) m_pParent->OnControlUpdate(area, 0, this);
    return 0;
}

void MPanel::SetControlEnabled(int enabled)
{
    MControlFont::SetControlEnabled(enabled);
    std::vector<MControl*> children;
    {
        std::lock_guard<std::recursive_mutex> guard(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children)
        if ((child->IsEnabled() != 0) != (enabled != 0)) child->SetEnabled(enabled);
}

void MPanel::SetControlVisible(int visible)
{
    MControlFont::SetControlVisible(visible);
    SetControlWndVisible(visible);
}

void MPanel::SetControlWndVisible(int visible)
{
    std::lock_guard<std::recursive_mutex> guard(m_controlLock);
    for (MControl* child : m_controls)
        child->SetControlWndVisible(visible);
}

LRESULT MPanel::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::recursive_mutex> guard(m_controlLock);
    for (MControl* child : m_controls)
        if (LRESULT result = child->OnWindowMessage(msg, wParam, lParam)) return result;
    return 0;
}

int MPanel::OnMousePointChange(CPoint& point)
{
    const int dx = GetScrollOffsetX(), dy = GetScrollOffsetY();
    if (dx == 0 && dy == 0) return 0;
    point.Offset(dx, dy);
    return 1;
}

int MPanel::OnControlScroll(int, unsigned direction, CPoint)
{
    if (!m_scrollEnabled || m_virtualHeight <= m_rect.Height()) return 0;
    if (m_vertical->ScrollRow(direction == 1 ? 1 : -1)) UpdateControl(1, 0);
    return 1;
}

} // namespace DUI

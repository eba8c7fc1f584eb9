#include "trellis/core/MControl.h"

#include "trellis/core/MRender.h"
#include "trellis/core/MWindow.h"
#include "trellis/core/PaintManager.h"

#include <cwchar>

namespace DUI {

using Lock = std::lock_guard<std::recursive_mutex>;

MControl::MControl(MObject* parent, UINT id, CRect rect, int visible, int enabled, int response)
    : m_pParent(parent), m_uID(id), m_rect(rect), m_bVisible(visible), m_bEnabled(enabled),
      m_bResponse(response)
{
}

MControl::~MControl()
{
    RemoveAllControl();
}

int MControl::PtInRect(CPoint pt)
{
    return m_bVisible && m_rect.PtInRect(pt) ? 1 : 0;
}

int MControl::DrawSubControls(HDC dc, CRect clip)
{
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i) {
        MControl* c = m_controls[i];
        if (c->IsVisible()) c->Draw(dc, clip);
    }
    return 1;
}

void MControl::SetUpdate(int valid, DWORD backColor)
{
    m_bUpdate = valid;
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]->GetRect().Intersects(m_rect)) m_controls[i]->SetUpdate(valid, backColor);
}

int MControl::SetControlFocus(int focus)
{
    if (!focus) {
        Lock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i)
            m_controls[i]->SetControlFocus(0);
    }
    return 0;
}

int MControl::OnControlSetCursor(unsigned flags, CPoint pt)
{
    if (m_hCursor != HCURSOR::None && m_rect.PtInRect(pt)) {
        platform::ui::SetCursor(m_hCursor);
        return 1;
    }
    return 0;
}

void MControl::InvalidateRect(CRect rect, int erase)
{
    if (!m_pManager) return;
    HWND hwnd = m_pManager->GetPaintWnd();
    if (!hwnd || !platform::ui::IsWindow(hwnd)) return;
    if (m_pManager->IsLayered())
        platform::ui::InvalidateRect(hwnd, nullptr, true);
    else
        platform::ui::InvalidateRect(hwnd, &m_rect, erase != 0);
}

// ---------------------------------------------------------------- routers

namespace {

// Scroll bars of a scrolling container (ids 1 and 2) see the unshifted point.
CPoint ChildPoint(MControl* child, CPoint received, CPoint shifted)
{
    UINT id = child->GetControlID();
    return (id == 1 || id == 2) ? received : shifted;
}

bool Accepts(MControl* c, unsigned flags, CPoint pt)
{
    return c->PtInRect(pt) && c->OnCheckMouseResponse(flags, pt);
}

} // namespace

int MControl::OnMouseMove(unsigned flags, CPoint pt)
{
    if (!m_bVisible || !m_bResponse) return 0;
    CPoint received = pt;
    OnMousePointChange(pt);
    if (m_pMouseChild) {
        CPoint cp = ChildPoint(m_pMouseChild, received, pt);
        if (Accepts(m_pMouseChild, flags, cp) || m_bMouseDown)
            return m_pMouseChild->OnMouseMove(flags, cp) ? 1 : 0;
    }
    MControl* before = m_pMouseChild;
    m_pMouseChild = nullptr;
    if (!m_strTooltip.empty() && PtInRect(received) && OnCheckMouseResponse(flags, received) && m_pManager &&
        m_pManager->GetTooltipCtrlID() != int(m_uID)) {
        m_pManager->SetTooltip(m_strTooltip, m_rect);
        m_pManager->SetTooltipCtrlID(int(m_uID));
    }
    OnControlSetCursor(flags, received);
    int result = OnControlMouseMove(flags, received);
    if (m_bMouseDown) return result;
    {
        Lock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i) {
            MControl* c = m_controls[i];
            CPoint cp = ChildPoint(c, received, pt);
            if (c->OnMouseMove(flags, cp) && c->PtInRect(cp)) {
                m_pMouseChild = c;
                result = 1;
            }
        }
    }
    return (m_pMouseChild || before) ? 1 : result;
}

int MControl::RouteButtonDown(bool left, unsigned flags, CPoint pt)
{
    if (!m_bVisible || !m_bResponse) return 0;
    CPoint received = pt;
    OnMousePointChange(pt);
    m_bMouseDown = m_rect.PtInRect(received) ? 1 : 0;
    MControl* hit = nullptr;
    {
        Lock lock(m_controlLock);
        for (size_t i = m_controls.size(); i-- > 0;) {
            MControl* c = m_controls[i];
            CPoint cp = ChildPoint(c, received, pt);
            if (c->IsVisible() && c->IsEnabled() && c->GetRresponse() && c->PtInRect(cp)) {
                hit = c;
                break;
            }
        }
    }
    if (hit) {
        m_pMouseChild = hit;
        return hit->RouteButtonDown(left, flags, ChildPoint(hit, received, pt));
    }
    if (m_pManager && m_pManager->GetFocusControl() != this) {
        if (MControl* old = m_pManager->GetFocusControl()) old->SetControlFocus(0);
        SetControlFocus(1);
        m_pManager->SetFocus(this);
    }
    return left ? OnControlLButtonDown(flags, received) : OnControlRButtonDown(flags, received);
}

int MControl::RouteButtonUp(bool left, unsigned flags, CPoint pt)
{
    if (!m_bVisible || !m_bResponse) return 0;
    CPoint received = pt;
    OnMousePointChange(pt);
    m_bMouseDown = 0;
    if (m_pMouseChild) return m_pMouseChild->RouteButtonUp(left, flags, ChildPoint(m_pMouseChild, received, pt));
    return left ? OnControlLButtonUp(flags, received) : OnControlRButtonUp(flags, received);
}

int MControl::RouteButtonDblClk(bool left, unsigned flags, CPoint pt)
{
    if (!m_bVisible || !m_bResponse) return 0;
    CPoint received = pt;
    OnMousePointChange(pt);
    m_bMouseDown = 0;
    if (m_pMouseChild) {
        MControl* c = m_pMouseChild;
        CPoint cp = ChildPoint(c, received, pt);
        int r = c->RouteButtonDblClk(left, flags, cp);
        // A child that does not want double-clicks takes it as a second press.
        if (r == 0 && !c->GetDblClk()) r = c->RouteButtonDown(left, flags, cp);
        return r;
    }
    if (!m_bDblClk) return left ? OnControlLButtonDown(flags, received) : OnControlRButtonDown(flags, received);
    return left ? OnControlLButtonDblClk(flags, received) : OnControlRButtonDblClk(flags, received);
}

int MControl::OnScroll(int bar, unsigned direction, CPoint pt)
{
    if (!m_bVisible || !m_bResponse || !m_bEnabled) return 0;
    CPoint received = pt;
    OnMousePointChange(pt);
    if (m_pMouseChild) {
        CPoint cp = ChildPoint(m_pMouseChild, received, pt);
        if (Accepts(m_pMouseChild, 0, cp)) return m_pMouseChild->OnScroll(bar, direction, cp);
    }
    if (!m_rect.PtInRect(received)) return 0;
    if (OnControlScroll(bar, direction, received)) return 1;
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i) {
        MControl* c = m_controls[i];
        CPoint cp = ChildPoint(c, received, pt);
        if (c->PtInRect(cp) && c->OnScroll(bar, direction, cp)) return 1;
    }
    return 0;
}

int MControl::OnKeyDown(unsigned vk, unsigned repeat, unsigned modifiers)
{
    if (!m_bVisible || !m_bResponse) return 0;
    MControl* focused = nullptr;
    {
        Lock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i]->IsFocused()) {
                focused = m_controls[i];
                break;
            }
    }
    if (focused) return focused->OnKeyDown(vk, repeat, modifiers);
    if (m_pMouseChild && m_pMouseChild->OnKeyDown(vk, repeat, modifiers)) return 1;
    if (OnControlKeyDown(vk, repeat, modifiers)) return 1;
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]->OnKeyDown(vk, repeat, modifiers)) return 1;
    return 0;
}

int MControl::OnTimer()
{
    int own = OnControlTimer();
    int any = 0;
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i) {
        MControl* c = m_controls[i];
        if (c->IsVisible() && c->IsRunTimer() && c->OnTimer()) any = 1;
    }
    return any ? 1 : own;
}

void MControl::Draw(HDC dc, CRect clip)
{
    if (!m_bVisible || !clip.Intersects(m_rect)) return;
    {
        Lock lock(m_areaLock);
        for (size_t i = 0; i < m_areas.size(); ++i)
            if (m_areas[i]->GetRect().Intersects(m_rect)) m_areas[i]->Draw(dc, clip);
    }
    DrawControl(dc, clip);
    DrawSubControls(dc, clip);
}

// ---------------------------------------------------------------- geometry and state

void MControl::SetRect(CRect rect)
{
    CRect old = m_rect;
    SetControlRect(rect);
    if (m_bVisible && m_pParent) {
        CRect u;
        u.UnionRect(old, m_rect);
        m_pParent->OnControlUpdate(u, 1, this);
    }
}

void MControl::SetVisible(int visible)
{
    SetVisible(visible, 1);
}

void MControl::SetVisible(int visible, int notify)
{
    if ((visible != 0) == (m_bVisible != 0)) return;
    SetControlVisible(visible);
    if (notify && m_pParent) m_pParent->OnControlUpdate(m_rect, 1, this);
}

void MControl::SetEnabled(int enabled)
{
    if ((enabled != 0) == (m_bEnabled != 0)) return;
    SetControlEnabled(enabled);
    if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rect, 1, this);
}

int MControl::IsParentVisible()
{
    if (!m_pParent) return 0;
    const wchar_t* name = m_pParent->GetClassNameW();
    if (name && std::wcscmp(name, L"MDialog") == 0) return 1;
    auto* parent = dynamic_cast<MControl*>(m_pParent);
    if (!parent) return 0;
    return parent->IsVisible() && parent->IsParentVisible() ? 1 : 0;
}

void MControl::UpdateControl(int redraw, int force)
{
    if ((m_bVisible || force) && m_pParent) m_pParent->OnControlUpdate(m_rect, redraw, this);
}

void MControl::UpdateControl(CRect rect, int force, int redraw)
{
    if ((m_bVisible || force) && m_pParent) m_pParent->OnControlUpdate(rect, redraw, this);
}

void MControl::UpdateAControl(int rebuild, int force)
{
    if (!(m_bVisible || force)) return;
    m_bAUpdate = rebuild ? 0 : 1;
    if (m_pParent) m_pParent->OnControlUpdate(m_rect, 0, this);
}

int MControl::SendMessageW(unsigned code, unsigned wParam, int lParam)
{
    return m_pParent ? m_pParent->OnBaseMessage(m_uID, code, wParam, lParam) : 0;
}

void MControl::SetManager(PaintManager* manager)
{
    m_pManager = manager;
    InitControl(manager);
}

MControl* MControl::GetControl(UINT id)
{
    {
        Lock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i) {
            MControl* c = m_controls[i];
            if (c->GetControlID() == id) return c;
            if (MControl* found = c->GetControl(id)) return found;
        }
    }
    Lock lock(m_areaLock);
    for (size_t i = 0; i < m_areas.size(); ++i) {
        MControl* c = m_areas[i];
        if (c->GetControlID() == id) return c;
        if (MControl* found = c->GetControl(id)) return found;
    }
    return nullptr;
}

void MControl::AddChild(int kind, MControl* child)
{
    if (!child) return;
    if (kind == 0) {
        Lock lock(m_areaLock);
        m_areas.push_back(child);
    } else {
        Lock lock(m_controlLock);
        m_controls.push_back(child);
    }
}

int MControl::RemoveControl(MControl* child)
{
    if (!child) return 0;
    if (m_pManager && m_pManager->GetFocusControl() == child) {
        child->SetControlFocus(0);
        m_pManager->SetFocus(nullptr);
    }
    Lock lock(m_controlLock);
    auto it = std::find(m_controls.begin(), m_controls.end(), child);
    if (it == m_controls.end()) return 0;
    m_controls.erase(it);
    if (m_pMouseChild == child) m_pMouseChild = nullptr;
    // The window must not keep pointers to a control that is gone (hover, timers, tooltip).
    if (m_pManager) m_pManager->OnControlRemoved(child);
    delete child;
    return 0;
}

void MControl::RemoveAllControl()
{
    std::vector<MControl*> areas, controls;
    {
        Lock lock(m_areaLock);
        areas.swap(m_areas);
    }
    {
        Lock lock(m_controlLock);
        controls.swap(m_controls);
        m_pMouseChild = nullptr;
    }
    for (MControl* c : areas) {
        if (m_pManager) m_pManager->OnControlRemoved(c);
        delete c;
    }
    for (MControl* c : controls) {
        if (m_pManager) m_pManager->OnControlRemoved(c);
        delete c;
    }
}

void MControl::SetTooltip(const std::wstring& text, CRect rect)
{
    if (!m_pManager) return;
    m_pManager->SetTooltip(text, rect);
    m_pManager->SetTooltipCtrlID(int(m_uID));
}

void MControl::ClearTooltip()
{
    if (m_pManager) m_pManager->ClearTooltip();
}

int MControl::SetCursorEx(const std::wstring& name)
{
    static const struct
    {
        const wchar_t* name;
        HCURSOR cursor;
    } table[] = {{L"arrow", HCURSOR::Arrow},   {L"wait", HCURSOR::Wait},     {L"cross", HCURSOR::Cross},
                 {L"sizewe", HCURSOR::SizeWE}, {L"sizens", HCURSOR::SizeNS}, {L"hand", HCURSOR::Hand},
                 {L"help", HCURSOR::Help}};
    for (const auto& e : table)
        if (name == e.name) m_hCursor = e.cursor;
    return 0;
}

void MControl::AddMTimer()
{
    if (m_pManager) m_pManager->AddMTimer(this);
}

int MControl::IsFocusControl()
{
    return m_pManager && m_pManager->GetFocusControl() == this ? 1 : 0;
}

MControl* MControl::GetFocusControl()
{
    Lock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]->IsFocused()) return m_controls[i];
    return nullptr;
}

static bool Focusable(MControl* c)
{
    return c->IsVisible() && c->IsEnabled() && c->IsTabStop();
}

MControl* MControl::GetNextFocusableControl(MControl* current)
{
    Lock lock(m_controlLock);
    size_t n = m_controls.size();
    if (!n) return nullptr;
    auto it = std::find(m_controls.begin(), m_controls.end(), current);
    size_t start = it == m_controls.end() ? n - 1 : size_t(it - m_controls.begin());
    for (size_t k = 1; k <= n; ++k) {
        MControl* c = m_controls[(start + k) % n];
        if (Focusable(c) && c != current) return c;
    }
    return nullptr;
}

MControl* MControl::GetPrevFocusableControl(MControl* current)
{
    Lock lock(m_controlLock);
    size_t n = m_controls.size();
    if (!n) return nullptr;
    auto it = std::find(m_controls.begin(), m_controls.end(), current);
    size_t start = it == m_controls.end() ? 0 : size_t(it - m_controls.begin());
    for (size_t k = 1; k <= n; ++k) {
        MControl* c = m_controls[(start + n - k) % n];
        if (Focusable(c) && c != current) return c;
    }
    return nullptr;
}

void MControl::UpdateMemDC(HDC dc, int cx, int cy)
{
    m_bUpdate = 1;
    if (!m_memDC || m_memWidth != cx || m_memHeight != cy) {
        m_memDC = std::make_unique<platform::ui::Surface>(cx, cy);
        m_memWidth = cx;
        m_memHeight = cy;
    }
}

void MControl::UpdateAnimateDC(HDC dc, int cx, int cy)
{
    m_bAUpdate = 1;
    m_animDC = std::make_unique<platform::ui::Surface>(cx, cy);
    m_animWidth = cx;
    m_animHeight = cy;
}

int MControl::PositionItem2Value(const POSITION_ITEM& item, int start, int end)
{
    switch (item.mode) {
    case 0:
        return item.fromEnd ? int(end - item.value) : int(start + item.value);
    case 1: {
        int mid = start + (end - start) / 2;
        return item.fromEnd ? int(mid - item.value) : int(mid + item.value);
    }
    case 2:
        return std::min(end, int(start + (end - start) * item.value / 100));
    default:
        return 0;
    }
}

void MControl::BeginStateCache(HDC dc, int states)
{
    int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0 || states <= 0) return;
    UpdateMemDC(dc, w * states, h);
    for (int s = 0; s < states; ++s)
        MRender::BitBlt(m_memDC.get(), s * w, 0, w, h, dc, m_rect.left, m_rect.top);
}

void MControl::DrawCachedState(HDC dc, int state)
{
    if (!m_memDC || !dc) return;
    int w = m_rect.Width(), h = m_rect.Height();
    MRender::BitBlt(dc, m_rect.left, m_rect.top, w, h, m_memDC.get(), state * w, 0);
}

} // namespace DUI

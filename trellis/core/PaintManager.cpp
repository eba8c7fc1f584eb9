#include "trellis/core/PaintManager.h"

#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/ui/Draw.h"
#include "trellis/core/MRender.h"
#include "trellis/core/MWindow.h"
#include "trellis/core/Manager.h"
#include "trellis/core/TooltipWnd.h"

#include <algorithm>
#include <atomic>

namespace DUI {

namespace ws = platform::ui;
using RLock = std::lock_guard<std::recursive_mutex>;

namespace {

std::atomic<int> g_paintPauseMs{15};

// Private message that carries shared-timer ticks to the window thread.
constexpr UINT kSharedTimerTick = WM_APP + 0x3F11;

bool TakesInput(MControl* c)
{
    return c && c->IsVisible() && c->GetRresponse();
}

ARGB Opaque254(COLORREF c)
{
    return ws::ArgbFromColorRef(c, 0xFE);
}

} // namespace

void PaintManager::SetPaintPauseMs(int ms)
{
    g_paintPauseMs = std::max(0, ms);
}

PaintManager::PaintManager() = default;

PaintManager::~PaintManager()
{
    DestroyData();
}

void PaintManager::Init(HWND hwnd, MWindow* owner)
{
    m_hWnd = hwnd;
    m_pOwner = owner;
    m_bDestroyed = false;
    SetScrollResID(102, 101);
    AddGDITempFont(106, L"TTF");
}

void PaintManager::DestroyData()
{
    if (m_bDestroyed) return;
    m_bDestroyed = true;
    CMTimer::KillTimer();
    m_mTimerId = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
        m_mTimerControls.clear();
    }
    ClearTimers();
    if (m_hWnd && ws::IsWindow(m_hWnd)) {
        ws::KillTimer(m_hWnd, kTimerCaret);
        ws::KillTimer(m_hWnd, kTimerProgress);
        ws::KillTimer(m_hWnd, kTimerProgressDone);
    }
    m_tooltip.reset();
    m_bkImage.reset();
    RemoveAllControl();
    ClearImgResInfo();
    ClearTempFont();
    m_paintSurface.reset();
    m_pHover = m_pFocus = nullptr;
    m_pCaretOwner = nullptr;
    m_hWnd = 0;
}

// ---------------------------------------------------------------- controls

MControl* PaintManager::CreateControl(MObject* parent, const std::wstring& className, UINT id, CRect rect,
                                      const std::wstring& title, int visible, int enabled)
{
    return CreateControl(1, parent, className, id, rect, title, visible, enabled);
}

MControl* PaintManager::CreateArea(MObject* parent, const std::wstring& className, UINT id, CRect rect,
                                   const std::wstring& title, int visible, int enabled)
{
    return CreateControl(0, parent, className, id, rect, title, visible, enabled);
}

MControl* PaintManager::CreateControl(unsigned kind, MObject* parent, const std::wstring& className, UINT id,
                                      CRect rect, const std::wstring& title, int visible, int enabled)
{
    MControl* c =
        ControlFactory::Construct(FactoryWindow, className, parent, id, rect, title, visible, enabled);
    if (!c) return nullptr;
    c->SetManager(this);
    AddControl(kind, c);
    return c;
}

void PaintManager::AddControl(unsigned kind, MControl* control)
{
    if (!control) return;
    if (kind == 0) {
        RLock lock(m_areaLock);
        m_areas.push_back(control);
    } else {
        RLock lock(m_controlLock);
        m_controls.push_back(control);
    }
    if (control->IsVisible()) OnControlUpdate(control->GetRect(), 1, control);
}

MControl* PaintManager::GetControl(UINT id)
{
    {
        RLock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i) {
            MControl* c = m_controls[i];
            if (c->GetControlID() == id) return c;
            if (MControl* f = c->GetControl(id)) return f;
        }
    }
    RLock lock(m_areaLock);
    for (size_t i = 0; i < m_areas.size(); ++i) {
        MControl* c = m_areas[i];
        if (c->GetControlID() == id) return c;
        if (MControl* f = c->GetControl(id)) return f;
    }
    return nullptr;
}

int PaintManager::RemoveControl(MControl* control)
{
    if (!control) return 0;
    bool found = false;
    {
        RLock lock(m_controlLock);
        auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it != m_controls.end()) {
            m_controls.erase(it);
            found = true;
        }
    }
    if (!found) {
        RLock lock(m_areaLock);
        auto it = std::find(m_areas.begin(), m_areas.end(), control);
        if (it == m_areas.end()) return 0;
        m_areas.erase(it);
    }
    if (m_pFocus == control) control->SetControlFocus(0);
    CRect r = control->GetRect();
    OnControlRemoved(control);
    delete control;
    Invalidate();
    (void)r;
    return 1;
}

void PaintManager::RemoveAllControl()
{
    std::vector<MControl*> areas, controls;
    {
        RLock lock(m_areaLock);
        areas.swap(m_areas);
    }
    {
        RLock lock(m_controlLock);
        controls.swap(m_controls);
    }
    for (MControl* c : areas) {
        OnControlRemoved(c);
        delete c;
    }
    for (MControl* c : controls) {
        OnControlRemoved(c);
        delete c;
    }
    m_pHover = m_pFocus = nullptr;
}

void PaintManager::OnControlRemoved(MControl* control)
{
    if (!control) return;
    if (m_pHover == control) m_pHover = nullptr;
    if (m_pFocus == control) m_pFocus = nullptr;
    if (m_pCaretOwner == control) {
        m_pCaretOwner = nullptr;
        m_bCaretShown = 0;
    }
    if (m_nTooltipCtrlID && m_nTooltipCtrlID == int(control->GetControlID())) ClearTooltip();
    KillTimer(control);
    std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
    m_mTimerControls.erase(std::remove(m_mTimerControls.begin(), m_mTimerControls.end(), control),
                           m_mTimerControls.end());
}

// ---------------------------------------------------------------- window messages

int PaintManager::ModifierCode()
{
    int code = 0;
    if (ws::GetKeyState(VK_SHIFT) < 0) code |= 16;
    if (ws::GetKeyState(VK_CONTROL) < 0) code |= 17;
    if (ws::GetKeyState(VK_MENU) < 0) code |= 18;
    return code;
}

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd) return 0;
    {
        RLock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i]->OnWindowMessage(msg, wParam, lParam)) return 0;
    }
    CPoint pt(ws::GetXParam(lParam), ws::GetYParam(lParam));
    UINT flags = UINT(wParam);
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
        if (!mmi) return 0;
        if (m_minSize.cx > 0) mmi->minTrackSize.x = m_minSize.cx;
        if (m_minSize.cy > 0) mmi->minTrackSize.y = m_minSize.cy;
        if (m_maxSize.cx > 0) mmi->maxTrackSize.x = mmi->maxSize.x = m_maxSize.cx;
        if (m_maxSize.cy > 0) mmi->maxTrackSize.y = mmi->maxSize.y = m_maxSize.cy;
        // A maximised dialog fills the work area, never the task bar.
        CRect work = ws::GetWorkArea();
        if (work.IsRectEmpty()) work = CRect(0, 0, 1280, 720);
        mmi->maxPosition = work.TopLeft();
        mmi->maxSize = CPoint(work.Width(), work.Height());
        return 1;
    }
    case WM_NCDESTROY:
        DestroyData();
        return 1;
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_CHAR:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEHOVER:
        return 1;
    case WM_NCACTIVATE:
        if (!wParam) OnDeactivate();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnKeyDownMsg(UINT(wParam));
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMoveMsg(flags, pt);
        return 1;
    case WM_MOUSELEAVE:
        OnMouseLeaveMsg();
        return 1;
    case WM_LBUTTONDOWN:
        OnButtonDown(true, flags, pt);
        return 1;
    case WM_LBUTTONUP:
        OnButtonUp(true, flags, pt);
        return 1;
    case WM_LBUTTONDBLCLK:
        OnButtonDblClk(true, flags, pt);
        return 1;
    case WM_RBUTTONDOWN:
        OnButtonDown(false, flags, pt);
        return 1;
    case WM_RBUTTONUP:
        OnButtonUp(false, flags, pt);
        return 1;
    case WM_MOUSEWHEEL:
        return OnMouseWheelMsg(wParam, lParam);
    case WM_TIMER:
        OnTimerMsg(UINT(wParam));
        return 0;
    case kSharedTimerTick: {
        // Ticks run on the window thread: controls are never touched by two threads at once.
        std::vector<MControl*> list;
        {
            std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
            list = m_mTimerControls;
            m_tickPending = false;
        }
        for (size_t i = 0; i < list.size(); ++i) {
            MControl* c = list[i];
            {
                // The control may have been removed by an earlier tick of this round.
                std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
                if (std::find(m_mTimerControls.begin(), m_mTimerControls.end(), c) == m_mTimerControls.end())
                    continue;
            }
            if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) c->OnTimer();
        }
        return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (lParam) return ws::SendMessage(HWND(lParam), msg + 0x2000, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

void PaintManager::OnMouseMoveMsg(UINT flags, CPoint pt)
{
    if (!m_bTracking) {
        ws::TrackMouseEvent(m_hWnd, true, 400);
        m_bTracking = 1;
    }
    if (m_pHover && m_bTracking && m_pHover->PtInRect(pt) && m_pHover->OnCheckMouseResponse(flags, pt)) {
        m_pHover->OnMouseMove(flags, pt);
        return;
    }
    if (m_nTooltipCtrlID || !m_strTooltip.empty()) ClearTooltip();
    if (m_bButtonDown) {
        // A pressed control keeps receiving moves while the button is held, even outside it.
        if (m_pHover) m_pHover->OnMouseMove(flags, pt);
        return;
    }
    if (!m_bTracking) {
        m_pHover = nullptr;
        return;
    }
    MControl* hover = nullptr;
    RLock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i) {
        MControl* c = m_controls[i];
        c->OnMouseMove(flags, pt);
        if (i < m_controls.size() && m_controls[i] == c && TakesInput(c) && c->PtInRect(pt)) hover = c;
    }
    m_pHover = hover;
}

void PaintManager::OnMouseLeaveMsg()
{
    if (m_tooltip) m_tooltip->Hide();
    m_bTracking = 0;
    if (m_bButtonDown) return;
    if (MControl* h = m_pHover) {
        h->OnMouseMove(0, CPoint(-1, -1));
        m_pHover = nullptr;
    }
}

void PaintManager::OnButtonDown(bool left, UINT flags, CPoint pt)
{
    // A press without a move before it (the first click after the window appeared) still
    // reaches the control under the pointer.
    if (!m_pHover || !m_pHover->PtInRect(pt)) OnMouseMoveMsg(flags, pt);
    if (m_pFocus && m_pFocus != m_pHover) {
        m_pFocus->SetControlFocus(0);
        m_pFocus = nullptr;
    }
    MControl* h = m_pHover;
    if (TakesInput(h) && h->PtInRect(pt) && h->OnCheckMouseResponse(flags, pt)) {
        m_bButtonDown = 1;
        m_pFocus = h;
        if (left)
            h->OnLButtonDown(flags, pt);
        else
            h->OnRButtonDown(flags, pt);
        if (!m_bCaptured && m_hWnd) {
            ws::SetCapture(m_hWnd);
            m_bCaptured = 1;
        }
        return;
    }
    if (left && m_bWndDrag && m_rcCaption.PtInRect(pt) && m_hWnd) {
        ws::ReleaseCapture();
        m_bCaptured = 0;
        ws::SendMessage(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void PaintManager::OnButtonUp(bool left, UINT flags, CPoint pt)
{
    if (m_bCaptured) ws::ReleaseCapture();
    m_bCaptured = 0;
    m_bButtonDown = 0;
    MControl* h = m_pHover;
    if (!TakesInput(h)) return;
    if (left)
        h->OnLButtonUp(flags, pt);
    else
        h->OnRButtonUp(flags, pt);
    // The handler may have removed the control (OnControlRemoved clears m_pHover).
    if (m_pHover && !m_pHover->GetRect().PtInRect(pt)) m_pHover = nullptr;
}

void PaintManager::OnButtonDblClk(bool left, UINT flags, CPoint pt)
{
    if (!m_pHover || !m_pHover->PtInRect(pt)) OnMouseMoveMsg(flags, pt);
    MControl* h = m_pHover;
    if (!TakesInput(h) || !h->PtInRect(pt) || !h->OnCheckMouseResponse(flags, pt)) return;
    m_bButtonDown = 1;
    if (!m_bCaptured && m_hWnd) {
        ws::SetCapture(m_hWnd);
        m_bCaptured = 1;
    }
    if (left) h->OnLButtonDblClk(flags, pt);
}

int PaintManager::OnMouseWheelMsg(WPARAM wParam, LPARAM lParam)
{
    CPoint pt = ws::ScreenToClient(m_hWnd, CPoint(ws::GetXParam(lParam), ws::GetYParam(lParam)));
    int delta = int16_t((wParam >> 16) & 0xFFFF);
    int notches = delta / WHEEL_DELTA;
    unsigned direction = notches <= 0 ? 1 : 0;
    int handled = 0;
    for (int n = 0; n < std::abs(notches); ++n) {
        if (m_pHover && m_pHover->OnScroll(1, direction, pt)) {
            handled = 1;
            continue;
        }
        RLock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i]->OnScroll(1, direction, pt)) {
                handled = 1;
                break;
            }
    }
    return handled;
}

void PaintManager::OnDeactivate()
{
    m_bTracking = 0;
    if (m_bCaptured) ws::ReleaseCapture();
    m_bCaptured = 0;
    bool held = m_bButtonDown;
    m_bButtonDown = 0;
    if (m_tooltip) m_tooltip->Hide();
    if (MControl* h = m_pHover) {
        if (held)
            h->OnLButtonUp(0, CPoint(-1, -1));
        else
            h->OnMouseMove(0, CPoint(-1, -1));
    }
    m_pHover = nullptr;
    Invalidate();
}

int PaintManager::OnKeyDownMsg(UINT vk)
{
    unsigned mod = unsigned(ModifierCode());
    if (m_pHover && m_pHover->OnKeyDown(vk, 1, mod)) return 1;
    RLock lock(m_controlLock);
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]->OnKeyDown(vk, 1, mod)) return 1;
    return 0;
}

int PaintManager::PreTranslateMessage(const MSG& msg)
{
    if (!m_hWnd || msg.window != m_hWnd) return 0;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_TAB) {
        int code = ModifierCode();
        if (code != 0 && code != 16) return 0;
        MControl* next = GetNextFocusControl(code == 16);
        if (!next || next == m_pFocus) return 0;
        SetFocusControl(next);
        return 1;
    }
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) && m_tooltip) m_tooltip->Relay(msg);
    return 0;
}

MControl* PaintManager::GetNextFocusControl(bool backwards)
{
    RLock lock(m_controlLock);
    size_t n = m_controls.size();
    if (!n) return nullptr;
    auto ok = [](MControl* c) { return c->IsVisible() && c->IsEnabled() && c->IsTabStop(); };
    auto it = std::find(m_controls.begin(), m_controls.end(), m_pFocus);
    if (it == m_controls.end()) {
        if (!backwards) {
            for (size_t i = 0; i < n; ++i)
                if (ok(m_controls[i])) return m_controls[i];
        } else {
            for (size_t i = n; i-- > 0;)
                if (ok(m_controls[i])) return m_controls[i];
        }
        return nullptr;
    }
    size_t cur = size_t(it - m_controls.begin());
    for (size_t k = 1; k < n; ++k) {
        MControl* c = m_controls[backwards ? (cur + n - k) % n : (cur + k) % n];
        if (ok(c)) return c;
    }
    return nullptr;
}

void PaintManager::SetFocusControl(MControl* control)
{
    if (control == m_pFocus) return;
    MControl* old = m_pFocus;
    m_pFocus = control;
    if (old) old->SetControlFocus(0);
    if (control) control->SetControlFocus(1);
}

// ---------------------------------------------------------------- tooltip

void PaintManager::SetTooltip(const std::wstring& text, CRect)
{
    m_strTooltip = text;
    if (text.empty()) {
        if (m_tooltip) m_tooltip->SetText(text);
        return;
    }
    if (!m_tooltip && m_hWnd) m_tooltip = std::make_unique<TooltipWnd>(m_hWnd);
    if (m_tooltip) m_tooltip->SetText(text);
}

void PaintManager::ClearTooltip()
{
    m_strTooltip.clear();
    if (m_tooltip) m_tooltip->SetText(std::wstring());
    m_nTooltipCtrlID = 0;
}

bool PaintManager::IsTooltipShown() const
{
    return m_tooltip && m_tooltip->IsShown();
}

// ---------------------------------------------------------------- control timers

int PaintManager::SetTimer(MControl* control, UINT key, UINT ms)
{
    if (!control || !m_hWnd) return 0;
    std::lock_guard<std::mutex> lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.control == control && t.key == key && t.hwnd == m_hWnd) {
            if (t.running) return 0;
            if (!ws::SetTimer(m_hWnd, t.eventId, ms)) return 0;
            t.running = true;
            return 1;
        }
    }
    // Event ids cycle through 0..239; skip 0 and the ids the manager uses for itself.
    do {
        m_timerCounter = (m_timerCounter + 1) % 240;
    } while (m_timerCounter == 0 || m_timerCounter == kTimerTooltip || m_timerCounter == kTimerProgressDone ||
             m_timerCounter == kTimerProgress);
    UINT id = m_timerCounter;
    if (!ws::SetTimer(m_hWnd, id, ms)) return 0;
    m_timers.push_back({m_hWnd, control, key, id, true});
    return 1;
}

int PaintManager::KillTimer(MControl* control, UINT key)
{
    std::lock_guard<std::mutex> lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.control == control && t.key == key && t.running) {
            t.running = false;
            // Another record may share the event id after the counter wrapped.
            bool shared = std::any_of(m_timers.begin(), m_timers.end(), [&](const ControlTimer& o) {
                return &o != &t && o.running && o.eventId == t.eventId;
            });
            if (!shared && m_hWnd) ws::KillTimer(m_hWnd, t.eventId);
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control)
{
    std::lock_guard<std::mutex> lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.control != control || !t.running) continue;
        bool shared = std::any_of(m_timers.begin(), m_timers.end(), [&](const ControlTimer& o) {
            return o.control != control && o.running && o.eventId == t.eventId;
        });
        if (!shared && m_hWnd && ws::IsWindow(m_hWnd)) ws::KillTimer(m_hWnd, t.eventId);
    }
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [control](const ControlTimer& t) { return t.control == control; }),
                   m_timers.end());
}

void PaintManager::ClearTimers()
{
    std::lock_guard<std::mutex> lock(m_timerLock);
    for (auto& t : m_timers)
        if (t.running && m_hWnd && ws::IsWindow(m_hWnd)) ws::KillTimer(m_hWnd, t.eventId);
    m_timers.clear();
}

void PaintManager::OnTimerMsg(UINT id)
{
    if (id == kTimerCaret) {
        m_bCaretPhase = !m_bCaretPhase;
        InvalidateRect(m_rcCaret, 0);
        return;
    }
    if (id == kTimerProgress) {
        if (m_nProgressShown < m_nProgress) m_nProgressShown = std::min(m_nProgress, m_nProgressShown + 2);
        if (m_nProgressShown >= 100) {
            ws::KillTimer(m_hWnd, kTimerProgress);
            ws::SetTimer(m_hWnd, kTimerProgressDone, 50);
        } else if (m_nProgressShown >= m_nProgress) {
            ws::KillTimer(m_hWnd, kTimerProgress);
        }
        InvalidateRect(m_rcMessage, 0);
        return;
    }
    if (id == kTimerProgressDone) {
        ws::KillTimer(m_hWnd, kTimerProgressDone);
        InvalidateRect(m_rcMessage, 0);
        return;
    }
    if (id == kTimerTooltip) return;
    std::vector<MControl*> due;
    {
        std::lock_guard<std::mutex> lock(m_timerLock);
        for (auto& t : m_timers)
            if (t.running && t.eventId == id) due.push_back(t.control);
    }
    for (MControl* c : due) {
        {
            // An earlier control's tick may have removed this one.
            std::lock_guard<std::mutex> lock(m_timerLock);
            if (std::none_of(m_timers.begin(), m_timers.end(),
                             [&](const ControlTimer& t) { return t.control == c && t.running; }))
                continue;
        }
        c->OnTimer();
    }
}

// ---------------------------------------------------------------- shared timer

UINT PaintManager::SetMTimer(UINT ms)
{
    if (m_mTimerId) CMTimer::KillTimer(m_mTimerId);
    m_mTimerId = CMTimer::SetTimer(ms);
    return m_mTimerId;
}

void PaintManager::KillMTimer(UINT id)
{
    CMTimer::KillTimer(id);
    if (id == m_mTimerId) m_mTimerId = 0;
}

void PaintManager::AddMTimer(MControl* control)
{
    std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
    m_mTimerControls.push_back(control);
}

void PaintManager::DeleteTimer(MControl* control)
{
    std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
    auto it = std::find(m_mTimerControls.begin(), m_mTimerControls.end(), control);
    if (it != m_mTimerControls.end()) m_mTimerControls.erase(it);
}

void PaintManager::OnMTimer(unsigned id)
{
    HWND hwnd;
    {
        std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
        if (m_tickPending || m_mTimerControls.empty()) return;
        hwnd = m_hWnd;
        m_tickPending = hwnd != 0;
    }
    // One tick in flight at a time: a busy window skips ticks rather than queueing them.
    if (hwnd && !ws::PostMessage(hwnd, kSharedTimerTick, id, 0)) {
        std::lock_guard<std::recursive_mutex> lock(m_mTimerLock);
        m_tickPending = false;
    }
}

// ---------------------------------------------------------------- painting

void PaintManager::Invalidate()
{
    if (m_hWnd) ws::InvalidateRect(m_hWnd, nullptr, false);
}

void PaintManager::InvalidateRect(CRect rect, int erase)
{
    if (!m_hWnd) return;
    if (m_bLayered)
        ws::InvalidateRect(m_hWnd, nullptr, true);
    else
        ws::InvalidateRect(m_hWnd, &rect, erase != 0);
}

int PaintManager::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    if (!control) return 0;
    DWORD back = m_backColor.value;
    if (redraw) control->SetUpdate(0, back);
    CRect invalid = rect;
    if (m_hWnd) {
        bool met = false;
        auto walk = [&](std::vector<MControl*>& list) {
            for (size_t i = 0; i < list.size(); ++i) {
                MControl* c = list[i];
                if (c == control) {
                    met = true;
                    continue;
                }
                if (met && c->IsVisible() && c->GetRect().Intersects(rect)) {
                    c->SetUpdate(0, back);
                    invalid.UnionRect(invalid, c->GetRect());
                }
            }
        };
        {
            RLock lock(m_areaLock);
            walk(m_areas);
        }
        {
            RLock lock(m_controlLock);
            walk(m_controls);
        }
    }
    InvalidateRect(invalid, 0);
    return 0;
}

int PaintManager::LoadBKImage(const std::wstring& fileName)
{
    m_bkImage.reset();
    std::wstring path = platform::FromUtf8(Manager::GetSkinFolder()) + fileName;
    m_bkImage = MRender::LoadImageFromFile(path);
    Invalidate();
    return m_bkImage ? 1 : 0;
}

int PaintManager::LoadBKImage(UINT id, const std::wstring& type)
{
    m_bkImage.reset();
    ImgResInfo* info = AddImgResInfo(id, type, 1, 1);
    if (info) m_bkImage = info->image;
    Invalidate();
    return m_bkImage ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int value)
{
    m_backMode = mode;
    m_backValue = value;
}

void PaintManager::SetBackColor(COLORREF background, COLORREF border)
{
    m_backColor = background;
    m_borderColor = border;
}

void PaintManager::GetClientRect(CRect& rect)
{
    rect = m_hWnd ? ws::GetClientRect(m_hWnd) : CRect();
}

void PaintManager::GetWindowRect(CRect& rect)
{
    rect = m_hWnd ? ws::GetWindowRect(m_hWnd) : CRect();
}

void PaintManager::GetClientSize(int& cx, int& cy)
{
    CRect r;
    GetClientRect(r);
    cx = r.Width();
    cy = r.Height();
}

int PaintManager::OnPaint()
{
    if (!m_hWnd) return 0;
    if (ws::IsIconic(m_hWnd)) {
        ws::ValidateRect(m_hWnd);
        return 0;
    }
    CRect update;
    if (!ws::GetUpdateRect(m_hWnd, update)) return 0;
    CRect client = ws::GetClientRect(m_hWnd);
    HDC frame = ws::BeginPaint(m_hWnd, update);
    if (!frame || client.IsRectEmpty()) return 0;
    if (!m_paintSurface || m_paintSurface->Width() != client.Width() ||
        m_paintSurface->Height() != client.Height())
        m_paintSurface = std::make_unique<ws::Surface>(client.Width(), client.Height());
    HDC dc = m_paintSurface.get();
    if (m_bLayered) update = client;

    if (m_bkImage) {
        // A fresh start for the region: transparent black, as a new 32-bit surface would be;
        // the image may not cover all of it.
        dc->Clear(update, 0);
        if (m_backMode == BACK_MODE_FRAME)
            MRender::DrawImageFrame(dc, m_bkImage.get(), client, 0, 0, m_bkImage->Width(),
                                    m_bkImage->Height(), m_backValue);
        else
            MRender::DrawImage(dc, m_bkImage.get(), CRect(0, 0, m_bkImage->Width(), m_bkImage->Height()), 0,
                               0, m_bkImage->Width(), m_bkImage->Height());
    } else {
        // Every pixel is written exactly once: the 1-pixel border, then the inside. Filling the
        // whole region three times over cost more than a tenth of a full repaint.
        CRect inner = client;
        inner.DeflateRect(1, 1);
        const CRect edges[4] = {CRect(client.left, client.top, client.right, inner.top),
                                CRect(client.left, inner.bottom, client.right, client.bottom),
                                CRect(client.left, inner.top, inner.left, inner.bottom),
                                CRect(inner.right, inner.top, client.right, inner.bottom)};
        CRect part;
        for (const CRect& edge : edges)
            if (part.IntersectRect(edge, update)) dc->Clear(part, Opaque254(m_borderColor));
        if (part.IntersectRect(inner, update)) dc->Clear(part, Opaque254(m_backColor));
    }
    CRect clip = m_bLayered ? client : update;
    {
        RLock lock(m_areaLock);
        for (size_t i = 0; i < m_areas.size(); ++i)
            m_areas[i]->Draw(dc, clip);
    }
    {
        RLock lock(m_controlLock);
        for (size_t i = 0; i < m_controls.size(); ++i)
            m_controls[i]->Draw(dc, clip);
    }
    DrawCaret(dc, clip);
    if (m_bLayered) {
        // Pixels left with alpha 0 but a colour are made opaque; transparent black stays.
        uint8_t* data = dc->Data();
        int stride = dc->Stride();
        for (int y = update.top; y < update.bottom; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = update.left; x < update.right; ++x)
                if ((row[x] >> 24) == 0 && (row[x] & 0xFFFFFF)) row[x] |= 0xFF000000;
        }
        dc->MarkDirty();
    }
    if (!m_strMessage.empty()) PaintOverlay(dc);
    if (m_bLayered) {
        ws::SetWindowExStyle(m_hWnd, ws::GetWindowExStyle(m_hWnd) | WS_EX_LAYERED);
        ws::UpdateLayeredWindow(m_hWnd, *dc);
    } else {
        frame->CopyFrom(*dc, update);
        ws::EndPaint(m_hWnd, update);
    }
    if (int pause = g_paintPauseMs.load()) platform::GetClock().SleepMs(pause);
    return 1;
}

void PaintManager::PaintOverlay(HDC dc)
{
    CRect r = m_rcMessage;
    dc->Clear(r, ws::MakeArgb(255, 20, 20, 20));
    ws::FrameRect(*dc, r, ws::MakeArgb(255, 109, 109, 109), 2);
    FontSpec font;
    font.family = Manager::GetFontName();
    font.sizePx = m_nMessageFont;
    std::wstring text = m_strMessage;
    if (m_nProgress >= 0) {
        CRect bar(r.left + 2, r.bottom - 6,
                  r.left + 2 + (r.Width() - 4) * std::clamp(m_nProgressShown, 0, 100) / 100, r.bottom - 2);
        ws::FillRect(*dc, bar, Manager::GetSelectColor().GetValue());
        text += L" " + std::to_wstring(std::clamp(m_nProgressShown, 0, 100)) + L"%";
    }
    CRect t = r;
    t.DeflateRect(4, 4);
    ws::DrawText(*dc, t, text, font, 0xFFFFFFFF, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL);
}

void PaintManager::SetMessage(const std::wstring& text, CRect rect, int fontSize)
{
    CRect old = m_rcMessage;
    m_strMessage = text;
    m_rcMessage = rect;
    m_nMessageFont = fontSize > 0 ? fontSize : 16;
    m_nProgress = -1;
    CRect u;
    u.UnionRect(old, rect);
    InvalidateRect(u, 0);
}

void PaintManager::SetProgress(int percent, const std::wstring& text, CRect rect)
{
    if (text.empty()) {
        SetMessage(text, CRect(), m_nMessageFont);
        if (m_hWnd) ws::KillTimer(m_hWnd, kTimerProgress);
        return;
    }
    if (rect.IsRectEmpty()) {
        CRect c;
        GetClientRect(c);
        rect = CRect(c.left, c.bottom - 60, c.right, c.bottom - 2);
    }
    bool fresh = m_nProgress < 0;
    m_strMessage = text;
    m_rcMessage = rect;
    m_nProgress = std::clamp(percent, 0, 100);
    if (fresh) m_nProgressShown = 0;
    if (m_hWnd && m_nProgressShown < m_nProgress) ws::SetTimer(m_hWnd, kTimerProgress, 10);
    InvalidateRect(rect, 0);
}

HBITMAP PaintManager::GenerateBitmap(MControl* control, CRect rect, DWORD backColor)
{
    if (!control || rect.IsRectEmpty()) return nullptr;
    CRect client;
    GetClientRect(client);
    CRect all;
    all.UnionRect(client, rect);
    ws::Surface s(all.right, all.bottom);
    s.Clear(rect, backColor | 0xFF000000);
    control->SetUpdate(0, backColor);
    control->Draw(&s, rect);
    control->SetUpdate(0, backColor);
    ws::Surface out(rect.Width(), rect.Height());
    ws::Blit(out, 0, 0, s, rect, false);
    return ws::Image::FromSurface(out);
}

// ---------------------------------------------------------------- images and fonts

ImgResInfo* PaintManager::AddImgResInfo(const std::wstring& fileName, int frameCount)
{
    if (fileName.empty()) return nullptr;
    std::lock_guard<std::mutex> lock(m_imageLock);
    auto it = m_imagesByName.find(fileName);
    if (it != m_imagesByName.end()) return it->second.get();
    ImagePtr img = MRender::LoadImageFromFile(platform::FromUtf8(Manager::GetSkinFolder()) + fileName);
    if (!img) return nullptr;
    auto info = std::make_unique<ImgResInfo>();
    info->image = img;
    info->frameCount = frameCount > 0 ? frameCount : 1;
    info->frameWidth = img->Width() / info->frameCount;
    info->frameHeight = img->Height();
    info->fileName = fileName;
    ImgResInfo* raw = info.get();
    m_imagesByName[fileName] = std::move(info);
    return raw;
}

ImgResInfo* PaintManager::AddImgResInfo(UINT id, const std::wstring& type, int frameCount,
                                        int fromApplication)
{
    // Resources are files on this platform: <skin folder>/res/<id>.<type>.
    std::lock_guard<std::mutex> lock(m_imageLock);
    auto& cache = fromApplication ? m_imagesApp : m_imagesLib;
    auto it = cache.find(id);
    if (it != cache.end()) return it->second.get();
    std::wstring ext = type;
    for (auto& c : ext)
        c = towlower(c);
    ImagePtr img = MRender::LoadImageFromFile(platform::FromUtf8(Manager::GetSkinFolder()) + L"res/" +
                                              std::to_wstring(id) + L"." + ext);
    if (!img) return nullptr;
    auto info = std::make_unique<ImgResInfo>();
    info->image = img;
    info->frameCount = frameCount > 0 ? frameCount : 1;
    info->frameWidth = img->Width() / info->frameCount;
    info->frameHeight = img->Height();
    info->resourceId = id;
    ImgResInfo* raw = info.get();
    cache[id] = std::move(info);
    return raw;
}

void PaintManager::ClearImgResInfo()
{
    std::lock_guard<std::mutex> lock(m_imageLock);
    m_imagesByName.clear();
    m_imagesApp.clear();
    m_imagesLib.clear();
}

void PaintManager::AddGDITempFont(UINT id, const std::wstring&)
{
    // The embedded face (Open Sans Semibold) is an installed font here; nothing to load.
    (void)id;
}

FontFamilyPtr PaintManager::AddTempFont(const std::wstring& family, const std::wstring& file)
{
    if (family.empty() || !ws::AddPrivateFontFile(platform::ToUtf8(file))) return nullptr;
    auto f = std::make_shared<FontFamily>(family);
    std::lock_guard<std::mutex> lock(m_fontLock);
    m_privateFonts[family] = f;
    m_fonts[family] = f;
    return f;
}

FontFamilyPtr PaintManager::AddTempFont(const std::wstring& family, UINT id)
{
    if (id != 106 || family.empty() || !ws::FontFamilyExists(L"Open Sans Semibold")) return nullptr;
    auto f = std::make_shared<FontFamily>(L"Open Sans Semibold");
    std::lock_guard<std::mutex> lock(m_fontLock);
    m_privateFonts[family] = f;
    return f;
}

FontFamilyPtr PaintManager::FindTempFont(const std::wstring& family)
{
    {
        std::lock_guard<std::mutex> lock(m_fontLock);
        auto it = m_fonts.find(family);
        if (it != m_fonts.end()) return it->second;
    }
    if (!ws::FontFamilyExists(family)) return nullptr;
    auto f = std::make_shared<FontFamily>(family);
    std::lock_guard<std::mutex> lock(m_fontLock);
    m_fonts[family] = f;
    return f;
}

FontFamilyPtr PaintManager::GetPrivateFont(const std::wstring& family)
{
    std::lock_guard<std::mutex> lock(m_fontLock);
    auto it = m_privateFonts.find(family);
    return it == m_privateFonts.end() ? nullptr : it->second;
}

void PaintManager::ClearTempFont()
{
    std::lock_guard<std::mutex> lock(m_fontLock);
    m_fonts.clear();
    m_privateFonts.clear();
}

// ---------------------------------------------------------------- caret

void PaintManager::CreateCaret(HBITMAP, int width, int height)
{
    m_caretSize = CSize(std::max(1, width), std::max(1, height));
    m_rcCaret = CRect(m_rcCaret.TopLeft(), m_caretSize);
}

void PaintManager::SetCaretPos(MControlFont* owner, int x, int y)
{
    CRect old = m_rcCaret;
    m_pCaretOwner = owner;
    m_rcCaret = CRect(CPoint(x, y), m_caretSize);
    InvalidateRect(old, 0);
    InvalidateRect(m_rcCaret, 0);
}

void PaintManager::ShowCaret(int show)
{
    if (!m_hWnd) return;
    if (show) {
        m_bCaretShown = 1;
        m_bCaretPhase = 1;
        ws::SetTimer(m_hWnd, kTimerCaret, ws::GetCaretBlinkTime());
    } else {
        m_bCaretShown = 0;
        ws::KillTimer(m_hWnd, kTimerCaret);
    }
    InvalidateRect(m_rcCaret, 0);
}

void PaintManager::DrawCaret(HDC dc, CRect clip)
{
    if (!m_bCaretShown || !m_pCaretOwner) return;
    bool focused = m_pCaretOwner->IsFocused() && ws::GetFocus() == m_hWnd;
    if (!focused) {
        // The owner or the window lost the keyboard: stop blinking until the caret is shown again.
        ws::KillTimer(m_hWnd, kTimerCaret);
        m_bCaretShown = 0;
        return;
    }
    if (m_bCaretPhase && clip.Intersects(m_rcCaret))
        dc->Clear(m_rcCaret, (m_pCaretOwner->GetTextColor().GetValue() & 0xFFFFFF) | 0xFE000000);
}

} // namespace DUI

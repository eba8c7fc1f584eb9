#include "platform/ui/WindowSystem.h"

#include "platform/Clock.h"
#include "platform/ui/Backend.h"
#include "platform/ui/TextRender.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::ui {

using namespace detail;

namespace {

struct SentRecord
{
    Message msg;
    LResult result = 0;
    bool done = false;
    std::mutex m;
    std::condition_variable cv;
};

struct TimerRec
{
    WindowId window;
    uintptr_t id;
    unsigned interval;
    int64_t due;
};

struct ThreadQueue
{
    std::mutex m;
    std::condition_variable cv;
    std::deque<Message> posted;
    std::deque<std::shared_ptr<SentRecord>> sent;
    std::vector<TimerRec> timers;
    bool quit = false;
    int quitCode = 0;
    bool paintHint = false;
    std::thread::id thread;
};

struct WindowRec
{
    WindowId id = 0;
    std::shared_ptr<ThreadQueue> queue;
    WindowHandler* handler = nullptr;
    WindowId owner = 0;
    std::wstring title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    WindowKind kind = WindowKind::Normal;
    bool doubleClicks = true;
    Rect rect;
    Rect restoreRect;
    bool visible = false;
    bool enabled = true;
    bool minimized = false;
    bool maximized = false;
    bool shownOnce = false;
    bool destroying = false;
    Rect update;
    std::unique_ptr<Surface> frame;
    void* native = nullptr;
    bool trackLeave = false;
    unsigned hoverMs = 0;
    int64_t zorder = 0;
};

struct ClickRec
{
    WindowId window = 0;
    int button = -1;
    int64_t time = 0;
    Point pt;
};

struct MoveDrag
{
    WindowId window = 0;
    Point startCursor;
    Point startPos;
};

std::mutex g_mutex; // windows and input state
std::map<WindowId, std::unique_ptr<WindowRec>> g_windows;
std::atomic<uint64_t> g_nextId{0x10010};
int64_t g_zcounter = 0;
std::unique_ptr<NativeBackend> g_backend;
Backend g_backendKind = Backend::Headless;
WindowId g_capture = 0, g_focus = 0, g_active = 0, g_mouseWindow = 0;
Point g_cursor;
int64_t g_lastMoveMs = 0;
bool g_hoverSent = false;
uint8_t g_keys[256] = {};
ClickRec g_lastClick;
MoveDrag g_drag;
Cursor g_cursorShape = Cursor::Arrow;
std::wstring g_clipboard;

std::mutex g_queuesMutex;
std::map<std::thread::id, std::shared_ptr<ThreadQueue>> g_queues;

std::shared_ptr<ThreadQueue> CurrentQueue()
{
    thread_local std::shared_ptr<ThreadQueue> q;
    if (!q) {
        q = std::make_shared<ThreadQueue>();
        q->thread = std::this_thread::get_id();
        std::lock_guard<std::mutex> lock(g_queuesMutex);
        g_queues[q->thread] = q;
    }
    return q;
}

int64_t NowMs()
{
    return GetClock().NowMs();
}

WindowRec* Find(WindowId id)
{
    auto it = g_windows.find(id);
    return it == g_windows.end() ? nullptr : it->second.get();
}

void Wake(const std::shared_ptr<ThreadQueue>& q)
{
    q->cv.notify_all();
    if (g_backend && std::this_thread::get_id() != q->thread) g_backend->Wake();
}

bool PostTo(const std::shared_ptr<ThreadQueue>& q, const Message& msg)
{
    {
        std::lock_guard<std::mutex> lock(q->m);
        q->posted.push_back(msg);
    }
    Wake(q);
    return true;
}

WindowHandler* HandlerOf(WindowId id, std::shared_ptr<ThreadQueue>* queue = nullptr)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return nullptr;
    if (queue) *queue = w->queue;
    return w->handler;
}

LResult CallHandler(WindowId id, unsigned msg, WParam wp, LParam lp)
{
    WindowHandler* h = HandlerOf(id);
    if (!h) return DefWindowProc(id, msg, wp, lp);
    return h->HandleMessage(id, msg, wp, lp);
}

Message MakeMessage(WindowId w, unsigned msg, WParam wp, LParam lp)
{
    Message m;
    m.window = w;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    m.time = NowMs();
    m.pt = g_cursor;
    return m;
}

// Posts under g_mutex (the caller holds it); the queue lock is taken inside, never the reverse.
thread_local std::shared_ptr<const std::array<uint8_t, 256>> t_keyState;

void PostLocked(WindowRec* w, unsigned msg, WParam wp, LParam lp)
{
    Message m = MakeMessage(w->id, msg, wp, lp);
    bool input = (msg >= WM_KEYDOWN && msg <= WM_SYSCHAR) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
    if (input) {
        auto snap = std::make_shared<std::array<uint8_t, 256>>();
        std::copy(std::begin(g_keys), std::end(g_keys), snap->begin());
        m.keyState = std::move(snap);
    }
    {
        std::lock_guard<std::mutex> lock(w->queue->m);
        w->queue->posted.push_back(m);
    }
    Wake(w->queue);
}

unsigned MouseKeyFlags()
{
    unsigned f = 0;
    if (g_keys[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (g_keys[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (g_keys[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (g_keys[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (g_keys[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

void EnsureFrame(WindowRec* w)
{
    int cw = w->rect.Width(), ch = w->rect.Height();
    if (!w->frame || w->frame->Width() != cw || w->frame->Height() != ch) {
        auto f = std::make_unique<Surface>(cw, ch);
        if (w->frame) f->CopyFrom(*w->frame, f->Bounds());
        w->frame = std::move(f);
    }
}

// Whether any ancestor-by-ownership of `id` is the window being dragged out of input.
bool AcceptsInput(WindowRec* w)
{
    return w && w->visible && w->enabled && !w->minimized;
}

void SetActiveLocked(WindowId id, std::unique_lock<std::mutex>& lock);

} // namespace

// ---------------------------------------------------------------- backend selection

bool InitWindowSystem(Backend backend)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (backend == g_backendKind) return true;
    if (!g_windows.empty()) return false;
    if (backend == Backend::Headless) {
        g_backend.reset();
        g_backendKind = Backend::Headless;
        return true;
    }
    // Fonts load while the display opens; both take tens of milliseconds at start-up.
    std::thread fonts(WarmUpFonts);
    auto b = CreateSdlBackend();
    fonts.join();
    if (!b) return false;
    g_backend = std::move(b);
    g_backendKind = Backend::Sdl;
    return true;
}

Backend CurrentBackend()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_backendKind;
}

void ShutdownWindowSystem()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_backend.reset();
    g_backendKind = Backend::Headless;
    g_capture = g_focus = g_active = g_mouseWindow = 0;
    std::fill(std::begin(g_keys), std::end(g_keys), 0);
}

// ---------------------------------------------------------------- windows

WindowId CreateWindowEx(const WindowParams& params)
{
    auto rec = std::make_unique<WindowRec>();
    WindowId id = g_nextId.fetch_add(1);
    rec->id = id;
    rec->queue = CurrentQueue();
    rec->handler = params.handler;
    rec->owner = params.owner;
    rec->title = params.title;
    rec->style = params.style & ~WS_VISIBLE;
    rec->exStyle = params.exStyle;
    rec->kind = params.kind;
    rec->doubleClicks = params.doubleClicks;
    rec->rect = params.rect;
    rec->rect.NormalizeRect();
    rec->restoreRect = rec->rect;
    rec->enabled = !(params.style & WS_DISABLED);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (params.owner && !Find(params.owner)) rec->owner = 0;
        rec->zorder = ++g_zcounter;
        EnsureFrame(rec.get());
        if (g_backend) {
            rec->native = g_backend->CreateNative(id, params);
            if (!rec->native) return 0;
        }
        g_windows[id] = std::move(rec);
    }
    LParam cp = reinterpret_cast<LParam>(params.createParam);
    if (params.handler && !params.handler->HandleMessage(id, WM_NCCREATE, 0, cp)) {
        DestroyWindow(id);
        return 0;
    }
    if (!IsWindow(id)) return 0;
    if (CallHandler(id, WM_CREATE, 0, cp) == -1) {
        DestroyWindow(id);
        return 0;
    }
    if (params.style & WS_VISIBLE) ShowWindow(id, SW_SHOW);
    return IsWindow(id) ? id : 0;
}

bool DestroyWindow(WindowId id)
{
    std::vector<WindowId> owned;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w || w->destroying) return false;
        w->destroying = true;
        for (auto& [oid, o] : g_windows)
            if (o->owner == id && !o->destroying) owned.push_back(oid);
    }
    for (WindowId o : owned)
        DestroyWindow(o);
    if (IsWindowVisible(id)) ShowWindow(id, SW_HIDE);
    CallHandler(id, WM_DESTROY, 0, 0);
    WindowId newActive = 0;
    {
        std::unique_lock<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (g_capture == id) g_capture = 0;
        if (g_mouseWindow == id) g_mouseWindow = 0;
        if (g_drag.window == id) g_drag = MoveDrag();
        if (g_focus == id) g_focus = 0;
        if (g_active == id) {
            g_active = 0;
            if (w && w->owner) {
                WindowRec* o = Find(w->owner);
                if (o && o->visible && !o->destroying) newActive = o->id;
            }
        }
    }
    CallHandler(id, WM_NCDESTROY, 0, 0);
    std::unique_ptr<WindowRec> rec;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_windows.find(id);
        if (it != g_windows.end()) {
            rec = std::move(it->second);
            g_windows.erase(it);
        }
    }
    if (rec) {
        std::lock_guard<std::mutex> lock(rec->queue->m);
        auto& t = rec->queue->timers;
        t.erase(std::remove_if(t.begin(), t.end(), [id](const TimerRec& r) { return r.window == id; }),
                t.end());
    }
    if (rec && rec->native && g_backend) g_backend->DestroyNative(rec->native);
    if (newActive) SetForegroundWindow(newActive);
    return true;
}

bool IsWindow(WindowId id)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Find(id) != nullptr;
}

static void SendSize(WindowId id)
{
    Rect r;
    unsigned kind = SIZE_RESTORED;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return;
        r = w->rect;
        kind = w->minimized ? SIZE_MINIMIZED : w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    }
    SendMessage(id, WM_SIZE, kind, MakeLParam(r.Width(), r.Height()));
}

static bool ApplyRect(WindowId id, const Rect& target, bool repaint)
{
    Rect next = target;
    next.NormalizeRect();
    WindowPos pos{id, next.left, next.top, next.Width(), next.Height(), 0};
    SendMessage(id, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LParam>(&pos));
    next = Rect(pos.x, pos.y, pos.x + std::max(0, pos.cx), pos.y + std::max(0, pos.cy));
    bool sized = false, moved = false;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return false;
        sized = w->rect.GetSize() != next.GetSize();
        moved = w->rect.TopLeft() != next.TopLeft();
        w->rect = next;
        EnsureFrame(w);
        if (w->native && g_backend && (sized || moved)) g_backend->MoveNative(w->native, next);
    }
    SendMessage(id, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LParam>(&pos));
    if (moved) SendMessage(id, WM_MOVE, 0, MakeLParam(next.left, next.top));
    if (sized) SendSize(id);
    if (sized || repaint) InvalidateRect(id, nullptr, true);
    return true;
}

bool ShowWindow(WindowId id, int cmd)
{
    bool wasVisible, firstShow = false, activate = false;
    WindowKind kind;
    uint32_t ex;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return false;
        wasVisible = w->visible;
        kind = w->kind;
        ex = w->exStyle;
    }
    activate = cmd != SW_HIDE && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE &&
               cmd != SW_MINIMIZE && kind == WindowKind::Normal && !(ex & WS_EX_NOACTIVATE);
    if (cmd == SW_MAXIMIZE) {
        MinMaxInfo mmi;
        Rect work = GetWorkArea();
        mmi.maxSize = {work.Width(), work.Height()};
        mmi.maxPosition = {work.left, work.top};
        mmi.maxTrackSize = {work.Width(), work.Height()};
        SendMessage(id, WM_GETMINMAXINFO, 0, reinterpret_cast<LParam>(&mmi));
        Rect target(mmi.maxPosition.x, mmi.maxPosition.y, mmi.maxPosition.x + mmi.maxSize.x,
                    mmi.maxPosition.y + mmi.maxSize.y);
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            WindowRec* w = Find(id);
            if (!w) return wasVisible;
            if (!w->maximized) w->restoreRect = w->minimized ? w->restoreRect : w->rect;
            w->maximized = true;
            w->minimized = false;
        }
        ApplyRect(id, target, true);
    } else if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE) {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return wasVisible;
        w->minimized = true;
        if (w->native && g_backend) g_backend->MinimizeNative(w->native);
    } else if (cmd == SW_RESTORE) {
        bool wasMax;
        Rect back;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            WindowRec* w = Find(id);
            if (!w) return wasVisible;
            wasMax = w->maximized && !w->minimized;
            w->minimized = false;
            if (wasMax) w->maximized = false;
            back = w->restoreRect;
        }
        if (wasMax) ApplyRect(id, back, true);
    }
    bool show = cmd != SW_HIDE;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return wasVisible;
        if (w->visible != show) {
            w->visible = show;
            if (show) {
                w->zorder = ++g_zcounter;
                firstShow = !w->shownOnce;
                w->shownOnce = true;
            }
            if (w->native && g_backend) g_backend->ShowNative(w->native, show, activate);
        }
    }
    if (wasVisible != show) SendMessage(id, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (firstShow) SendSize(id);
    if (show) {
        InvalidateRect(id, nullptr, true);
        if (activate) SetForegroundWindow(id);
    } else {
        std::unique_lock<std::mutex> lock(g_mutex);
        if (g_capture == id) g_capture = 0;
        if (g_mouseWindow == id) g_mouseWindow = 0;
        if (g_active == id) SetActiveLocked(0, lock);
    }
    return wasVisible;
}

#define WINDOW_FIELD(name, expr, fallback)                                                                   \
    {                                                                                                        \
        std::lock_guard<std::mutex> lock(g_mutex);                                                           \
        WindowRec* w = Find(name);                                                                           \
        return w ? (expr) : (fallback);                                                                      \
    }

bool IsWindowVisible(WindowId id) WINDOW_FIELD(id, w->visible, false) bool IsIconic(WindowId id)
    WINDOW_FIELD(id, w->minimized, false) bool IsZoomed(WindowId id)
        WINDOW_FIELD(id, w->maximized, false) bool IsWindowEnabled(WindowId id)
            WINDOW_FIELD(id, w->enabled, false) WindowId GetOwner(WindowId id)
                WINDOW_FIELD(id, w->owner, WindowId(0)) Rect GetWindowRect(WindowId id)
                    WINDOW_FIELD(id, w->rect, Rect()) Rect GetClientRect(WindowId id)
                        WINDOW_FIELD(id, Rect(0, 0, w->rect.Width(), w->rect.Height()), Rect()) std::wstring
    GetWindowText(WindowId id) WINDOW_FIELD(id, w->title, std::wstring()) uint32_t GetWindowStyle(WindowId id)
        WINDOW_FIELD(id, w->style | (w->visible ? WS_VISIBLE : 0) | (w->enabled ? 0 : WS_DISABLED),
                     0u) uint32_t GetWindowExStyle(WindowId id) WINDOW_FIELD(id, w->exStyle, 0u) Point
    ClientToScreen(WindowId id, Point p) WINDOW_FIELD(id, p + w->rect.TopLeft(), p) Point
    ScreenToClient(WindowId id, Point p) WINDOW_FIELD(id, p - w->rect.TopLeft(), p)

        bool EnableWindow(WindowId id, bool enable)
{
    bool was;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return false;
        was = !w->enabled;
        w->enabled = enable;
        if (!enable && g_capture == id) g_capture = 0;
    }
    if (was == enable) SendMessage(id, WM_ENABLE, enable ? 1 : 0, 0);
    return was;
}

bool MoveWindow(WindowId id, const Rect& r, bool repaint)
{
    return ApplyRect(id, r, repaint);
}

bool SetWindowPos(WindowId id, int x, int y, int cx, int cy, unsigned flags)
{
    Rect cur = GetWindowRect(id);
    if (!IsWindow(id)) return false;
    if (flags & SWP_NOMOVE) {
        x = cur.left;
        y = cur.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = cur.Width();
        cy = cur.Height();
    }
    bool ok = true;
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE)) ok = ApplyRect(id, Rect(x, y, x + cx, y + cy), false);
    if (flags & SWP_SHOWWINDOW) ShowWindow(id, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(id, SW_HIDE);
    if (!(flags & SWP_NOZORDER)) {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (WindowRec* w = Find(id)) {
            w->zorder = ++g_zcounter;
            if (w->native && g_backend && w->visible) g_backend->Raise(w->native);
        }
    }
    return ok;
}

bool SetWindowText(WindowId id, const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return false;
    w->title = text;
    if (w->native && g_backend) g_backend->SetTitle(w->native, text);
    return true;
}

void SetWindowStyle(WindowId id, uint32_t style)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (WindowRec* w = Find(id)) {
        w->style = style & ~(WS_VISIBLE | WS_DISABLED);
        w->enabled = !(style & WS_DISABLED);
    }
}

void SetWindowExStyle(WindowId id, uint32_t exStyle)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (WindowRec* w = Find(id)) w->exStyle = exStyle;
}

static WindowId WindowFromPointLocked(Point p)
{
    WindowRec* best = nullptr;
    for (auto& [id, w] : g_windows) {
        if (!w->visible || w->minimized || w->destroying || !w->rect.PtInRect(p)) continue;
        bool top = w->exStyle & WS_EX_TOPMOST;
        if (!best) {
            best = w.get();
            continue;
        }
        bool bestTop = best->exStyle & WS_EX_TOPMOST;
        if ((top && !bestTop) || (top == bestTop && w->zorder > best->zorder)) best = w.get();
    }
    return best ? best->id : 0;
}

WindowId WindowFromPoint(Point p)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return WindowFromPointLocked(p);
}

// ---------------------------------------------------------------- painting

void InvalidateRect(WindowId id, const Rect* rect, bool erase)
{
    std::shared_ptr<ThreadQueue> q;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return;
        Rect client(0, 0, w->rect.Width(), w->rect.Height());
        Rect r = client;
        if (rect && !r.IntersectRect(*rect, client)) return;
        w->update.UnionRect(w->update, r);
        q = w->queue;
    }
    {
        std::lock_guard<std::mutex> lock(q->m);
        q->paintHint = true;
    }
    Wake(q);
}

void ValidateRect(WindowId id)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (WindowRec* w = Find(id)) w->update = Rect();
}

bool GetUpdateRect(WindowId id, Rect& rect)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    rect = w ? w->update : Rect();
    return !rect.IsRectEmpty();
}

Surface* BeginPaint(WindowId id, Rect& update)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return nullptr;
    update = w->update;
    w->update = Rect();
    EnsureFrame(w);
    return w->frame.get();
}

void EndPaint(WindowId id, const Rect& dirty)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w || !w->frame) return;
    if (w->native && g_backend && w->visible && !dirty.IsRectEmpty())
        g_backend->Present(w->native, *w->frame, dirty);
}

void UpdateLayeredWindow(WindowId id, Surface& pixels)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return;
    EnsureFrame(w);
    w->frame->CopyFrom(pixels, w->frame->Bounds());
    if (w->native && g_backend && w->visible) g_backend->Present(w->native, *w->frame, w->frame->Bounds());
}

std::unique_ptr<Surface> CaptureWindow(WindowId id)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return nullptr;
    EnsureFrame(w);
    auto copy = std::make_unique<Surface>(w->frame->Width(), w->frame->Height());
    copy->CopyFrom(*w->frame, copy->Bounds());
    return copy;
}

// ---------------------------------------------------------------- messages

bool PostMessage(WindowId id, unsigned msg, WParam wp, LParam lp)
{
    if (id == 0) return PostTo(CurrentQueue(), MakeMessage(0, msg, wp, lp));
    std::shared_ptr<ThreadQueue> q;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return false;
        q = w->queue;
    }
    Message m;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        m = MakeMessage(id, msg, wp, lp);
    }
    return PostTo(q, m);
}

LResult SendMessage(WindowId id, unsigned msg, WParam wp, LParam lp)
{
    std::shared_ptr<ThreadQueue> q;
    WindowHandler* h = HandlerOf(id, &q);
    if (!q) return 0;
    if (q->thread == std::this_thread::get_id())
        return h ? h->HandleMessage(id, msg, wp, lp) : DefWindowProc(id, msg, wp, lp);
    auto rec = std::make_shared<SentRecord>();
    rec->msg = MakeMessage(id, msg, wp, lp);
    {
        std::lock_guard<std::mutex> lock(q->m);
        q->sent.push_back(rec);
    }
    Wake(q);
    std::unique_lock<std::mutex> lock(rec->m);
    // A window destroyed meanwhile answers 0; check now and then so the sender never hangs.
    while (!rec->done) {
        if (rec->cv.wait_for(lock, std::chrono::milliseconds(100), [&] { return rec->done; })) break;
        if (!IsWindow(id)) return 0;
    }
    return rec->result;
}

void PostQuitMessage(int code)
{
    auto q = CurrentQueue();
    {
        std::lock_guard<std::mutex> lock(q->m);
        q->quit = true;
        q->quitCode = code;
    }
    q->cv.notify_all();
}

namespace {

void RunSent(ThreadQueue& q)
{
    for (;;) {
        std::shared_ptr<SentRecord> rec;
        {
            std::lock_guard<std::mutex> lock(q.m);
            if (q.sent.empty()) return;
            rec = q.sent.front();
            q.sent.pop_front();
        }
        LResult r = CallHandler(rec->msg.window, rec->msg.message, rec->msg.wParam, rec->msg.lParam);
        std::lock_guard<std::mutex> lock(rec->m);
        rec->result = r;
        rec->done = true;
        rec->cv.notify_all();
    }
}

// A window of this thread that is visible and has something to repaint.
WindowId PaintCandidate(ThreadQueue& q)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto& [id, w] : g_windows)
        if (w->queue.get() == &q && w->visible && !w->update.IsRectEmpty() && !w->destroying) return id;
    return 0;
}

void CheckHover(ThreadQueue& q)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(g_mouseWindow);
    if (!w || w->queue.get() != &q || !w->hoverMs || g_hoverSent) return;
    if (NowMs() - g_lastMoveMs >= int64_t(w->hoverMs)) {
        g_hoverSent = true;
        w->hoverMs = 0;
        Point c = g_cursor - w->rect.TopLeft();
        PostLocked(w, WM_MOUSEHOVER, MouseKeyFlags(), MakeLParam(c.x, c.y));
    }
}

// One attempt to take a message; `wait` allows blocking until something arrives.
bool TakeMessage(Message& out, bool remove, bool wait, bool& quit)
{
    auto qp = CurrentQueue();
    ThreadQueue& q = *qp;
    for (;;) {
        RunSent(q);
        if (g_backend && g_backend->IsEventThread()) g_backend->PumpEvents(0);
        CheckHover(q);
        RunSent(q);
        int64_t nextDue = -1;
        {
            std::unique_lock<std::mutex> lock(q.m);
            if (!q.posted.empty()) {
                out = q.posted.front();
                if (remove) {
                    q.posted.pop_front();
                    if (out.keyState) t_keyState = out.keyState;
                }
                return true;
            }
            if (q.quit) {
                out = Message();
                out.message = WM_QUIT;
                out.wParam = static_cast<WParam>(q.quitCode);
                if (remove) q.quit = false;
                quit = true;
                return true;
            }
            q.paintHint = false;
        }
        if (WindowId p = PaintCandidate(q)) {
            out = MakeMessage(p, WM_PAINT, 0, 0);
            return true;
        }
        {
            std::unique_lock<std::mutex> lock(q.m);
            int64_t now = NowMs();
            for (auto& t : q.timers) {
                if (t.due <= now) {
                    out = MakeMessage(t.window, WM_TIMER, t.id, 0);
                    if (remove) t.due = now + t.interval;
                    return true;
                }
                if (nextDue < 0 || t.due < nextDue) nextDue = t.due;
            }
            if (!wait) return false;
            int ms = nextDue < 0 ? 250 : int(std::clamp<int64_t>(nextDue - now, 0, 250));
            {
                std::lock_guard<std::mutex> glock(g_mutex);
                if (WindowRec* w = Find(g_mouseWindow); w && w->hoverMs && !g_hoverSent)
                    ms = std::min<int>(ms, std::max<int64_t>(1, w->hoverMs - (now - g_lastMoveMs)));
            }
            auto ready = [&] { return !q.posted.empty() || !q.sent.empty() || q.quit || q.paintHint; };
            if (g_backend && g_backend->IsEventThread()) {
                if (ready()) continue;
                lock.unlock();
                g_backend->PumpEvents(ms);
            } else {
                GetClock().WaitFor(lock, q.cv, ms, ready);
            }
        }
    }
}

} // namespace

bool GetMessage(Message& msg)
{
    bool quit = false;
    TakeMessage(msg, true, true, quit);
    return !quit;
}

bool PeekMessage(Message& msg, bool remove)
{
    bool quit = false;
    return TakeMessage(msg, remove, false, quit);
}

LResult DispatchMessage(const Message& msg)
{
    if (msg.keyState) t_keyState = msg.keyState;
    LResult r = msg.window ? CallHandler(msg.window, msg.message, msg.wParam, msg.lParam) : 0;
    if (msg.keyState) t_keyState.reset();
    return r;
}

void TranslateMessage(const Message&)
{
    // Characters come from the window system's text input (WM_CHAR), not from key codes.
}

int PumpMessages(int limit)
{
    int n = 0;
    Message m;
    while (n < limit) {
        bool quit = false;
        if (!TakeMessage(m, false, false, quit) || quit) break;
        TakeMessage(m, true, false, quit);
        DispatchMessage(m);
        ++n;
    }
    return n;
}

LResult DefWindowProc(WindowId id, unsigned msg, WParam wp, LParam lp)
{
    switch (msg) {
    case WM_NCCREATE:
        return 1;
    case WM_CLOSE:
        DestroyWindow(id);
        return 0;
    case WM_PAINT:
        ValidateRect(id);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the window to close, as the system close command does.
        if (wp == VK_F4 && (lp & (1 << 29))) PostMessage(id, WM_CLOSE, 0, 0);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wp == HTCAPTION) {
            std::lock_guard<std::mutex> lock(g_mutex);
            WindowRec* w = Find(id);
            if (w && !w->maximized && (g_keys[VK_LBUTTON] & 0x80)) {
                g_drag.window = id;
                g_drag.startCursor = g_cursor;
                g_drag.startPos = w->rect.TopLeft();
            }
        }
        return 0;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------- timers

uintptr_t SetTimer(WindowId id, uintptr_t timerId, unsigned ms)
{
    std::shared_ptr<ThreadQueue> q;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return 0;
        q = w->queue;
    }
    if (timerId == 0) return 0;
    ms = std::max(ms, 1u);
    {
        std::lock_guard<std::mutex> lock(q->m);
        int64_t due = NowMs() + ms;
        auto it = std::find_if(q->timers.begin(), q->timers.end(),
                               [&](const TimerRec& t) { return t.window == id && t.id == timerId; });
        if (it != q->timers.end()) {
            it->interval = ms;
            it->due = due;
        } else {
            q->timers.push_back({id, timerId, ms, due});
        }
    }
    Wake(q);
    return timerId;
}

bool KillTimer(WindowId id, uintptr_t timerId)
{
    std::shared_ptr<ThreadQueue> q;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        WindowRec* w = Find(id);
        if (!w) return false;
        q = w->queue;
    }
    std::lock_guard<std::mutex> lock(q->m);
    auto it = std::find_if(q->timers.begin(), q->timers.end(),
                           [&](const TimerRec& t) { return t.window == id && t.id == timerId; });
    if (it == q->timers.end()) return false;
    q->timers.erase(it);
    // Drop a WM_TIMER of it that is already queued.
    return true;
}

// ---------------------------------------------------------------- input state

WindowId SetCapture(WindowId id)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!Find(id)) return 0;
    WindowId prev = g_capture;
    g_capture = id;
    if (g_backend) g_backend->SetCapture(true);
    return prev;
}

bool ReleaseCapture()
{
    WindowId prev;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        prev = g_capture;
        g_capture = 0;
        if (g_backend) g_backend->SetCapture(false);
    }
    if (prev) SendMessage(prev, WM_CAPTURECHANGED, 0, 0);
    return true;
}

WindowId GetCapture()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_capture;
}

WindowId SetFocus(WindowId id)
{
    WindowId prev;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (id && !Find(id)) return 0;
        prev = g_focus;
        if (prev == id) return prev;
        g_focus = id;
    }
    if (prev) SendMessage(prev, WM_KILLFOCUS, id, 0);
    if (id) SendMessage(id, WM_SETFOCUS, prev, 0);
    return prev;
}

WindowId GetFocus()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_focus;
}

WindowId GetActiveWindow()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_active;
}

namespace {

// Moves activation; sends the (de)activation messages with the lock released.
void SetActiveLocked(WindowId id, std::unique_lock<std::mutex>& lock)
{
    WindowId prev = g_active;
    if (prev == id) return;
    g_active = id;
    lock.unlock();
    if (prev && IsWindow(prev)) {
        SendMessage(prev, WM_NCACTIVATE, 0, 0);
        SendMessage(prev, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(id));
    }
    if (id) {
        SendMessage(id, WM_NCACTIVATE, 1, 0);
        SendMessage(id, WM_ACTIVATE, WA_ACTIVE, static_cast<LParam>(prev));
    }
    lock.lock();
    if (g_active == id) {
        WindowId focus = g_focus;
        lock.unlock();
        if (id && focus != id) SetFocus(id);
        if (!id && focus) SetFocus(0);
        lock.lock();
    }
}

} // namespace

bool SetForegroundWindow(WindowId id)
{
    std::unique_lock<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return false;
    w->zorder = ++g_zcounter;
    if (w->native && g_backend && w->visible) g_backend->Raise(w->native);
    SetActiveLocked(id, lock);
    return true;
}

void TrackMouseEvent(WindowId id, bool leave, unsigned hoverMs)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w) return;
    w->trackLeave = leave;
    w->hoverMs = hoverMs;
    g_hoverSent = false;
    g_lastMoveMs = NowMs();
    // The pointer is already outside: the leave comes at once.
    if (leave && g_mouseWindow != id) {
        w->trackLeave = false;
        PostLocked(w, WM_MOUSELEAVE, 0, 0);
    }
}

int16_t GetKeyState(unsigned vk)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    uint8_t s = t_keyState ? (*t_keyState)[vk & 0xFF] : g_keys[vk & 0xFF];
    return static_cast<int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 1));
}

Point GetCursorPos()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_cursor;
}

Cursor SetCursor(Cursor c)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Cursor prev = g_cursorShape;
    if (c != prev && g_backend) g_backend->SetCursor(c);
    g_cursorShape = c;
    return prev;
}

Cursor GetCursor()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_cursorShape;
}

Rect GetWorkArea()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_backend ? g_backend->WorkArea() : Rect(0, 0, 1920, 1040);
}

Size GetScreenSize()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_backend ? g_backend->ScreenSize() : Size(1920, 1080);
}

unsigned GetDoubleClickTime()
{
    return 500;
}

unsigned GetCaretBlinkTime()
{
    return 530;
}

bool SetClipboardText(const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_backend) return g_backend->SetClipboard(text);
    g_clipboard = text;
    return true;
}

std::wstring GetClipboardText()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_backend ? g_backend->GetClipboard() : g_clipboard;
}

void StartTextInput(WindowId id, const Rect& caret)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(id);
    if (!w || !g_backend) return;
    Rect r = caret;
    r.OffsetRect(w->rect.TopLeft());
    g_backend->StartTextInput(r);
}

void StopTextInput()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_backend) g_backend->StopTextInput();
}

// ---------------------------------------------------------------- input translation

namespace detail {

void FeedMouseMove(WindowId over, Point screen)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    bool moved = screen != g_cursor;
    g_cursor = screen;
    if (g_drag.window) {
        WindowRec* w = Find(g_drag.window);
        if (w && (g_keys[VK_LBUTTON] & 0x80)) {
            Point p = g_drag.startPos + (screen - g_drag.startCursor);
            Rect r(p, w->rect.GetSize());
            if (r != w->rect) {
                w->rect = r;
                if (w->native && g_backend) g_backend->MoveNative(w->native, r);
                PostLocked(w, WM_MOVE, 0, MakeLParam(r.left, r.top));
            }
            return;
        }
        g_drag = MoveDrag();
    }
    if (moved) {
        g_lastMoveMs = NowMs();
        g_hoverSent = false;
    }
    if (over != g_mouseWindow) {
        if (WindowRec* old = Find(g_mouseWindow); old && old->trackLeave) {
            old->trackLeave = false;
            old->hoverMs = 0;
            PostLocked(old, WM_MOUSELEAVE, 0, 0);
        }
        g_mouseWindow = over;
    }
    WindowRec* target = g_capture ? Find(g_capture) : Find(over);
    if (!target || (!g_capture && !AcceptsInput(target))) return;
    Point c = screen - target->rect.TopLeft();
    PostLocked(target, WM_MOUSEMOVE, MouseKeyFlags(), MakeLParam(c.x, c.y));
}

void FeedMouseButton(WindowId over, Point screen, int button, bool down)
{
    static const unsigned downMsg[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const unsigned vks[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (button < 0 || button > 2) return;
    std::unique_lock<std::mutex> lock(g_mutex);
    g_cursor = screen;
    if (down)
        g_keys[vks[button]] = uint8_t(0x80 | ((g_keys[vks[button]] & 1) ^ 1));
    else
        g_keys[vks[button]] &= 1;
    if (!down && g_drag.window) {
        g_drag = MoveDrag();
        return;
    }
    g_mouseWindow = over;
    WindowRec* target = g_capture ? Find(g_capture) : Find(over);
    if (!target || (!g_capture && !AcceptsInput(target))) {
        // A click on a disabled owner of a modal window brings the enabled window to the front.
        return;
    }
    Point c = screen - target->rect.TopLeft();
    unsigned msg = downMsg[button] + (down ? 0 : 1);
    if (down) {
        int64_t now = NowMs();
        if (target->doubleClicks && g_lastClick.window == target->id && g_lastClick.button == button &&
            now - g_lastClick.time <= int64_t(GetDoubleClickTime()) &&
            std::abs(screen.x - g_lastClick.pt.x) <= 4 && std::abs(screen.y - g_lastClick.pt.y) <= 4) {
            msg = downMsg[button] + 2;
            g_lastClick = ClickRec();
        } else {
            g_lastClick = {target->id, button, now, screen};
        }
    }
    WindowId id = target->id;
    bool activate =
        down && target->kind == WindowKind::Normal && !(target->exStyle & WS_EX_NOACTIVATE) && g_active != id;
    PostLocked(target, msg, MouseKeyFlags(), MakeLParam(c.x, c.y));
    if (activate) {
        target->zorder = ++g_zcounter;
        if (target->native && g_backend) g_backend->Raise(target->native);
        SetActiveLocked(id, lock);
    }
}

void FeedMouseWheel(WindowId over, Point screen, int delta)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_cursor = screen;
    WindowRec* target = g_capture ? Find(g_capture) : Find(over);
    if (!target || (!g_capture && !AcceptsInput(target))) return;
    PostLocked(target, WM_MOUSEWHEEL, MakeWParam(int(MouseKeyFlags()), delta),
               MakeLParam(screen.x, screen.y));
}

void FeedMouseLeave(WindowId window)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (window && window != g_mouseWindow) return;
    if (WindowRec* old = Find(g_mouseWindow); old && old->trackLeave) {
        old->trackLeave = false;
        old->hoverMs = 0;
        PostLocked(old, WM_MOUSELEAVE, 0, 0);
    }
    g_mouseWindow = 0;
}

void FeedKey(unsigned vk, bool down, bool repeat, unsigned scan, bool extended)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    vk &= 0xFF;
    bool wasDown = g_keys[vk] & 0x80;
    auto setKey = [](unsigned k, bool d) {
        if (d)
            g_keys[k] = uint8_t(0x80 | ((g_keys[k] & 0x80) ? (g_keys[k] & 1) : ((g_keys[k] & 1) ^ 1)));
        else
            g_keys[k] &= 1;
    };
    setKey(vk, down);
    // Keep the generic modifier codes in step with their left and right keys.
    auto generic = [&](unsigned g, unsigned l, unsigned r) {
        if (vk == g || vk == l || vk == r)
            setKey(g, (g_keys[l] & 0x80) || (g_keys[r] & 0x80) || (vk == g && down));
    };
    generic(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
    generic(VK_CONTROL, VK_LCONTROL, VK_RCONTROL);
    generic(VK_MENU, VK_LMENU, VK_RMENU);
    unsigned sent = vk;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) sent = VK_SHIFT;
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) sent = VK_CONTROL;
    if (vk == VK_LMENU || vk == VK_RMENU) sent = VK_MENU;
    WindowRec* target = Find(g_focus ? g_focus : g_active);
    if (!target || !target->enabled) return;
    bool alt = g_keys[VK_MENU] & 0x80, ctrl = g_keys[VK_CONTROL] & 0x80;
    bool sys = (alt && !ctrl) || sent == VK_MENU || sent == VK_F1 + 9;
    unsigned msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t lp = 1 | ((scan & 0xFF) << 16) | (extended ? (1u << 24) : 0) | (alt ? (1u << 29) : 0) |
                  ((down ? (repeat || wasDown) : true) ? (1u << 30) : 0) | (down ? 0 : (1u << 31));
    PostLocked(target, msg, sent, static_cast<LParam>(lp));
}

void FeedText(const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* target = Find(g_focus ? g_focus : g_active);
    if (!target || !target->enabled) return;
    for (wchar_t ch : text)
        PostLocked(target, WM_CHAR, static_cast<WParam>(ch), 1);
}

void FeedClose(WindowId window)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (WindowRec* w = Find(window); w && w->enabled) PostLocked(w, WM_CLOSE, 0, 0);
}

void FeedActivate(WindowId window, bool active)
{
    std::unique_lock<std::mutex> lock(g_mutex);
    WindowRec* w = Find(window);
    if (active) {
        if (w && w->kind == WindowKind::Normal && !(w->exStyle & WS_EX_NOACTIVATE))
            SetActiveLocked(window, lock);
    } else if (g_active == window) {
        SetActiveLocked(0, lock);
    }
}

void FeedExposed(WindowId window)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(window);
    if (w && w->frame && w->native && g_backend && w->visible)
        g_backend->Present(w->native, *w->frame, w->frame->Bounds());
}

void FeedMoved(WindowId window, Point topLeft)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    WindowRec* w = Find(window);
    if (!w || w->rect.TopLeft() == topLeft) return;
    w->rect = Rect(topLeft, w->rect.GetSize());
    PostLocked(w, WM_MOVE, 0, MakeLParam(topLeft.x, topLeft.y));
}

void FeedResized(WindowId window, Size size)
{
    Rect r = GetWindowRect(window);
    if (r.GetSize() == size) return;
    ApplyRect(window, Rect(r.TopLeft(), size), true);
}

} // namespace detail

// ---------------------------------------------------------------- injection

void InjectMouseMove(Point screen)
{
    FeedMouseMove(WindowFromPoint(screen), screen);
}

void InjectMouseButton(Point screen, int button, bool down)
{
    FeedMouseButton(WindowFromPoint(screen), screen, button, down);
}

void InjectMouseWheel(Point screen, int delta)
{
    FeedMouseWheel(WindowFromPoint(screen), screen, delta);
}

void InjectMouseMove(WindowId window, Point client)
{
    InjectMouseMove(ClientToScreen(window, client));
}

void InjectMouseButton(WindowId window, Point client, int button, bool down)
{
    InjectMouseButton(ClientToScreen(window, client), button, down);
}

void InjectMouseWheel(WindowId window, Point client, int delta)
{
    InjectMouseWheel(ClientToScreen(window, client), delta);
}

void InjectMouseLeave()
{
    FeedMouseLeave(0);
}

void InjectKey(unsigned vk, bool down)
{
    FeedKey(vk, down, false, 0, false);
}

void InjectText(const std::wstring& text)
{
    FeedText(text);
}

void InjectCloseRequest(WindowId window)
{
    FeedClose(window);
}

} // namespace platform::ui

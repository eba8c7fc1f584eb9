// The SDL2 backend: one borderless SDL window per toolkit window; frames are copied from the
// Cairo surface (same ARGB8888 layout) to the window surface; SDL events become window messages.
#include "platform/Text.h"
#include "platform/ui/Backend.h"

#include <SDL.h>
#include <map>
#include <mutex>
#include <thread>

namespace platform::ui::detail {

namespace {

unsigned TranslateKey(SDL_Keycode k, SDL_Scancode sc, bool& extended)
{
    extended = false;
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
    if (k >= SDLK_F13 && k <= SDLK_F24) return VK_F1 + 12 + (k - SDLK_F13);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return VK_NUMPAD0 + 1 + (sc - SDL_SCANCODE_KP_1);
    switch (k) {
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_RETURN:
        return VK_RETURN;
    case SDLK_KP_ENTER:
        extended = true;
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_LSHIFT:
        return VK_LSHIFT;
    case SDLK_RSHIFT:
        extended = true;
        return VK_RSHIFT;
    case SDLK_LCTRL:
        return VK_LCONTROL;
    case SDLK_RCTRL:
        extended = true;
        return VK_RCONTROL;
    case SDLK_LALT:
        return VK_LMENU;
    case SDLK_RALT:
        extended = true;
        return VK_RMENU;
    case SDLK_LGUI:
        extended = true;
        return VK_LWIN;
    case SDLK_RGUI:
        extended = true;
        return VK_RWIN;
    case SDLK_APPLICATION:
        extended = true;
        return VK_APPS;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_SCROLLLOCK:
        return VK_SCROLL;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_PRINTSCREEN:
        extended = true;
        return VK_SNAPSHOT;
    case SDLK_INSERT:
        extended = true;
        return VK_INSERT;
    case SDLK_DELETE:
        extended = true;
        return VK_DELETE;
    case SDLK_HOME:
        extended = true;
        return VK_HOME;
    case SDLK_END:
        extended = true;
        return VK_END;
    case SDLK_PAGEUP:
        extended = true;
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        extended = true;
        return VK_NEXT;
    case SDLK_LEFT:
        extended = true;
        return VK_LEFT;
    case SDLK_RIGHT:
        extended = true;
        return VK_RIGHT;
    case SDLK_UP:
        extended = true;
        return VK_UP;
    case SDLK_DOWN:
        extended = true;
        return VK_DOWN;
    case SDLK_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
        return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
        extended = true;
        return VK_DIVIDE;
    case SDLK_SEMICOLON:
        return VK_OEM_1;
    case SDLK_EQUALS:
        return VK_OEM_PLUS;
    case SDLK_COMMA:
        return VK_OEM_COMMA;
    case SDLK_MINUS:
        return VK_OEM_MINUS;
    case SDLK_PERIOD:
        return VK_OEM_PERIOD;
    case SDLK_SLASH:
        return VK_OEM_2;
    case SDLK_BACKQUOTE:
        return VK_OEM_3;
    case SDLK_LEFTBRACKET:
        return VK_OEM_4;
    case SDLK_BACKSLASH:
        return VK_OEM_5;
    case SDLK_RIGHTBRACKET:
        return VK_OEM_6;
    case SDLK_QUOTE:
        return VK_OEM_7;
    case SDLK_AUDIOMUTE:
        return VK_VOLUME_MUTE;
    case SDLK_VOLUMEDOWN:
        return VK_VOLUME_DOWN;
    case SDLK_VOLUMEUP:
        return VK_VOLUME_UP;
    case SDLK_AUDIONEXT:
        return VK_MEDIA_NEXT_TRACK;
    case SDLK_AUDIOPREV:
        return VK_MEDIA_PREV_TRACK;
    case SDLK_AUDIOSTOP:
        return VK_MEDIA_STOP;
    case SDLK_AUDIOPLAY:
        return VK_MEDIA_PLAY_PAUSE;
    case SDLK_MAIL:
        return VK_LAUNCH_MAIL;
    case SDLK_CALCULATOR:
        return VK_LAUNCH_APP2;
    case SDLK_AC_BACK:
        return VK_BROWSER_BACK;
    case SDLK_AC_FORWARD:
        return VK_BROWSER_FORWARD;
    case SDLK_AC_REFRESH:
        return VK_BROWSER_REFRESH;
    case SDLK_AC_STOP:
        return VK_BROWSER_STOP;
    case SDLK_AC_SEARCH:
        return VK_BROWSER_SEARCH;
    case SDLK_AC_HOME:
        return VK_BROWSER_HOME;
    default:
        break;
    }
    if (sc == SDL_SCANCODE_NONUSBACKSLASH) return VK_OEM_102;
    return 0;
}

class SdlBackend : public NativeBackend
{
public:
    bool Start()
    {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
        m_thread = std::this_thread::get_id();
        m_wakeEvent = SDL_RegisterEvents(1);
        SDL_StopTextInput();
        return true;
    }
    ~SdlBackend() override
    {
        for (auto& [c, cur] : m_cursors)
            SDL_FreeCursor(cur);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }

    void* CreateNative(WindowId id, const WindowParams& p) override
    {
        Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
        if (p.kind == WindowKind::Popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
        if (p.kind == WindowKind::Tooltip) flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
        if (p.exStyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        if (p.exStyle & WS_EX_TOOLWINDOW) flags |= SDL_WINDOW_SKIP_TASKBAR;
        Rect r = p.rect;
        std::string title = ToUtf8(p.title);
        SDL_Window* w = SDL_CreateWindow(title.c_str(), r.left, r.top, std::max(1, r.Width()),
                                         std::max(1, r.Height()), flags);
        if (!w) return nullptr;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ids[SDL_GetWindowID(w)] = id;
        return w;
    }
    void DestroyNative(void* native) override
    {
        auto* w = static_cast<SDL_Window*>(native);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_ids.erase(SDL_GetWindowID(w));
        }
        SDL_DestroyWindow(w);
    }
    void ShowNative(void* native, bool show, bool activate) override
    {
        auto* w = static_cast<SDL_Window*>(native);
        if (show) {
            SDL_ShowWindow(w);
            if (activate) SDL_RaiseWindow(w);
        } else {
            SDL_HideWindow(w);
        }
    }
    void MoveNative(void* native, const Rect& r) override
    {
        auto* w = static_cast<SDL_Window*>(native);
        SDL_SetWindowPosition(w, r.left, r.top);
        SDL_SetWindowSize(w, std::max(1, r.Width()), std::max(1, r.Height()));
    }
    void MinimizeNative(void* native) override { SDL_MinimizeWindow(static_cast<SDL_Window*>(native)); }
    void SetTitle(void* native, const std::wstring& title) override
    {
        SDL_SetWindowTitle(static_cast<SDL_Window*>(native), ToUtf8(title).c_str());
    }
    void Present(void* native, Surface& frame, const Rect& dirty) override
    {
        auto* w = static_cast<SDL_Window*>(native);
        SDL_Surface* target = SDL_GetWindowSurface(w);
        if (!target || frame.Width() <= 0 || frame.Height() <= 0) return;
        SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(frame.Data(), frame.Width(), frame.Height(), 32,
                                                              frame.Stride(), SDL_PIXELFORMAT_ARGB8888);
        if (!src) return;
        SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
        Rect r;
        r.IntersectRect(dirty, frame.Bounds());
        SDL_Rect sr{r.left, r.top, r.Width(), r.Height()};
        SDL_Rect dr = sr;
        SDL_BlitSurface(src, &sr, target, &dr);
        SDL_FreeSurface(src);
        SDL_Rect ur{r.left, r.top, r.Width(), r.Height()};
        SDL_UpdateWindowSurfaceRects(w, &ur, 1);
    }
    void Raise(void* native) override { SDL_RaiseWindow(static_cast<SDL_Window*>(native)); }
    void SetCapture(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }
    void SetCursor(Cursor c) override
    {
        if (c == Cursor::None) {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        SDL_ShowCursor(SDL_ENABLE);
        SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
        switch (c) {
        case Cursor::IBeam:
            id = SDL_SYSTEM_CURSOR_IBEAM;
            break;
        case Cursor::Wait:
            id = SDL_SYSTEM_CURSOR_WAIT;
            break;
        case Cursor::Cross:
            id = SDL_SYSTEM_CURSOR_CROSSHAIR;
            break;
        case Cursor::SizeWE:
            id = SDL_SYSTEM_CURSOR_SIZEWE;
            break;
        case Cursor::SizeNS:
            id = SDL_SYSTEM_CURSOR_SIZENS;
            break;
        case Cursor::SizeAll:
            id = SDL_SYSTEM_CURSOR_SIZEALL;
            break;
        case Cursor::Hand:
            id = SDL_SYSTEM_CURSOR_HAND;
            break;
        case Cursor::No:
            id = SDL_SYSTEM_CURSOR_NO;
            break;
        default:
            break;
        }
        auto it = m_cursors.find(int(id));
        if (it == m_cursors.end()) it = m_cursors.emplace(int(id), SDL_CreateSystemCursor(id)).first;
        if (it->second) SDL_SetCursor(it->second);
    }
    Rect WorkArea() override
    {
        SDL_Rect r;
        if (SDL_GetDisplayUsableBounds(0, &r) != 0 || r.w <= 0) return Rect(0, 0, 1280, 720);
        return Rect(r.x, r.y, r.x + r.w, r.y + r.h);
    }
    Size ScreenSize() override
    {
        SDL_Rect r;
        if (SDL_GetDisplayBounds(0, &r) != 0) return Size(1280, 720);
        return Size(r.w, r.h);
    }
    Point CursorPos() override
    {
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        return {x, y};
    }
    bool SetClipboard(const std::wstring& text) override
    {
        return SDL_SetClipboardText(ToUtf8(text).c_str()) == 0;
    }
    std::wstring GetClipboard() override
    {
        char* t = SDL_GetClipboardText();
        std::wstring out = t ? FromUtf8(t) : std::wstring();
        SDL_free(t);
        return out;
    }
    void StartTextInput(const Rect& caret) override
    {
        SDL_Rect r{caret.left, caret.top, caret.Width(), caret.Height()};
        SDL_SetTextInputRect(&r);
        SDL_StartTextInput();
    }
    void StopTextInput() override { SDL_StopTextInput(); }
    bool IsEventThread() override { return std::this_thread::get_id() == m_thread; }
    void Wake() override
    {
        SDL_Event ev{};
        ev.type = m_wakeEvent;
        SDL_PushEvent(&ev);
    }

    void PumpEvents(int ms) override
    {
        SDL_Event ev;
        bool got = ms > 0 ? SDL_WaitEventTimeout(&ev, ms) : SDL_PollEvent(&ev);
        while (got) {
            Handle(ev);
            got = SDL_PollEvent(&ev);
        }
    }

private:
    WindowId IdOf(Uint32 sdlId)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_ids.find(sdlId);
        return it == m_ids.end() ? 0 : it->second;
    }
    Point ScreenPoint(Uint32 sdlId, int x, int y)
    {
        SDL_Window* w = SDL_GetWindowFromID(sdlId);
        int wx = 0, wy = 0;
        if (w) SDL_GetWindowPosition(w, &wx, &wy);
        return {wx + x, wy + y};
    }

    void Handle(const SDL_Event& ev)
    {
        switch (ev.type) {
        case SDL_MOUSEMOTION: {
            WindowId id = IdOf(ev.motion.windowID);
            Point p = ScreenPoint(ev.motion.windowID, ev.motion.x, ev.motion.y);
            if (ev.motion.state & SDL_BUTTON_LMASK)
                p = CursorPos(); // the window may be moving under the pointer
            Rect r = GetWindowRect(id);
            FeedMouseMove(r.PtInRect(p) ? id : WindowFromPoint(p), p);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int b = ev.button.button == SDL_BUTTON_LEFT     ? 0
                    : ev.button.button == SDL_BUTTON_RIGHT  ? 1
                    : ev.button.button == SDL_BUTTON_MIDDLE ? 2
                                                            : -1;
            if (b < 0) break;
            Point p = ScreenPoint(ev.button.windowID, ev.button.x, ev.button.y);
            FeedMouseButton(IdOf(ev.button.windowID), p, b, ev.type == SDL_MOUSEBUTTONDOWN);
            break;
        }
        case SDL_MOUSEWHEEL: {
            int dy = ev.wheel.y * (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1);
            if (dy) FeedMouseWheel(IdOf(ev.wheel.windowID), CursorPos(), dy * WHEEL_DELTA);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            bool ext = false;
            unsigned vk = TranslateKey(ev.key.keysym.sym, ev.key.keysym.scancode, ext);
            if (vk) FeedKey(vk, ev.type == SDL_KEYDOWN, ev.key.repeat != 0, ev.key.keysym.scancode, ext);
            break;
        }
        case SDL_TEXTINPUT:
            FeedText(FromUtf8(ev.text.text));
            break;
        case SDL_WINDOWEVENT: {
            WindowId id = IdOf(ev.window.windowID);
            if (!id) break;
            switch (ev.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                FeedClose(id);
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                FeedExposed(id);
                break;
            case SDL_WINDOWEVENT_MOVED:
                FeedMoved(id, {ev.window.data1, ev.window.data2});
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                FeedResized(id, {ev.window.data1, ev.window.data2});
                break;
            case SDL_WINDOWEVENT_LEAVE:
                FeedMouseLeave(id);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                FeedActivate(id, true);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                // Without a window manager every shown pop-up takes the keyboard focus for a
                // moment; only a loss that leaves none of our windows focused deactivates.
                if (!SDL_GetKeyboardFocus()) FeedActivate(id, false);
                break;
            default:
                break;
            }
            break;
        }
        default:
            break;
        }
    }

    std::thread::id m_thread;
    Uint32 m_wakeEvent = 0;
    std::mutex m_mutex;
    std::map<Uint32, WindowId> m_ids;
    std::map<int, SDL_Cursor*> m_cursors;
};

} // namespace

std::unique_ptr<NativeBackend> CreateSdlBackend()
{
    auto b = std::make_unique<SdlBackend>();
    if (!b->Start()) return nullptr;
    return b;
}

} // namespace platform::ui::detail

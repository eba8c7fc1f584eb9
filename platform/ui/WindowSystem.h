#pragma once
// The window system: top-level windows owned by the thread that created them, a message
// queue per thread (post, send, get, peek, dispatch, quit), window timers, paint requests,
// capture, keyboard focus and activation, cursors, screen metrics, clipboard and text input.
//
// Two backends share everything above the native windows: SDL2 (real borderless windows under
// X11 or Wayland) and headless (the same windows off screen; tests inject input with the
// Inject* functions and read frames back as pixels). Headless is the default; a program asks
// for SDL with InitWindowSystem(Backend::Sdl).
#include "platform/ui/Geometry.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Surface.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace platform::ui {

using WindowId = uint64_t; // 0 = no window

class WindowHandler
{
public:
    virtual ~WindowHandler() = default;
    virtual LResult HandleMessage(WindowId window, unsigned message, WParam wParam, LParam lParam) = 0;
};

enum class WindowKind
{
    Normal,
    Popup,
    Tooltip
};

struct WindowParams
{
    WindowId owner = 0;
    std::wstring title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Rect rect; // screen position and size; windows have no frame, so this is the client area too
    WindowHandler* handler = nullptr;
    WindowKind kind = WindowKind::Normal;
    bool doubleClicks = true;    // button presses close in time and place become *BUTTONDBLCLK
    void* createParam = nullptr; // lParam of WM_NCCREATE / WM_CREATE
};

struct Message
{
    WindowId window = 0;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    int64_t time = 0;
    Point pt; // cursor position in screen coordinates when the message was queued
    // Input messages: the keyboard as it was when the message was queued. GetKeyState answers
    // from it between taking the message and the end of its dispatch, so a handler sees the
    // modifiers of its own key press even when later input is already queued.
    std::shared_ptr<const std::array<uint8_t, 256>> keyState;
};

struct MinMaxInfo
{
    Point reserved;
    Point maxSize;
    Point maxPosition;
    Point minTrackSize;
    Point maxTrackSize;
};

struct WindowPos
{
    WindowId window = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    unsigned flags = 0;
};

enum class Backend
{
    Headless,
    Sdl
};
enum class Cursor
{
    None,
    Arrow,
    IBeam,
    Wait,
    Cross,
    SizeWE,
    SizeNS,
    SizeAll,
    Hand,
    Help,
    No
};

// Selects the backend; allowed while no window exists. false when SDL cannot start (no
// display), in which case the system stays as it was.
bool InitWindowSystem(Backend backend);
Backend CurrentBackend();
// Destroys nothing; returns to the headless backend and shuts SDL down (no window may exist).
void ShutdownWindowSystem();

// --- Windows (call on the owning thread unless noted) ---
WindowId CreateWindowEx(const WindowParams& params);
bool DestroyWindow(WindowId window);
bool IsWindow(WindowId window);                // any thread
bool ShowWindow(WindowId window, int command); // true when it was visible before
bool IsWindowVisible(WindowId window);
bool IsIconic(WindowId window);
bool IsZoomed(WindowId window);
bool EnableWindow(WindowId window, bool enable); // true when it was disabled before
bool IsWindowEnabled(WindowId window);
WindowId GetOwner(WindowId window);
Rect GetWindowRect(WindowId window); // screen
Rect GetClientRect(WindowId window); // (0, 0, width, height)
bool MoveWindow(WindowId window, const Rect& screenRect, bool repaint = true);
bool SetWindowPos(WindowId window, int x, int y, int cx, int cy, unsigned flags);
bool SetWindowText(WindowId window, const std::wstring& text);
std::wstring GetWindowText(WindowId window);
uint32_t GetWindowStyle(WindowId window);
uint32_t GetWindowExStyle(WindowId window);
void SetWindowStyle(WindowId window, uint32_t style);
void SetWindowExStyle(WindowId window, uint32_t exStyle);
Point ClientToScreen(WindowId window, Point p);
Point ScreenToClient(WindowId window, Point p);
// The visible window at a screen point (topmost first), 0 when none.
WindowId WindowFromPoint(Point screen);

// --- Painting (InvalidateRect and ValidateRect from any thread) ---
void InvalidateRect(WindowId window, const Rect* rect, bool erase);
void ValidateRect(WindowId window);
bool GetUpdateRect(WindowId window, Rect& rect);
// Begins painting: returns the window's frame surface and the rectangle to repaint, and
// validates the window. Null for a missing window.
Surface* BeginPaint(WindowId window, Rect& update);
// Shows `dirty` of the frame on screen.
void EndPaint(WindowId window, const Rect& dirty);
// Replaces the whole frame with `pixels` (per-pixel alpha kept) and shows it.
void UpdateLayeredWindow(WindowId window, Surface& pixels);
// A copy of the window's current frame (what the screen shows), null for a missing window.
std::unique_ptr<Surface> CaptureWindow(WindowId window);

// --- Messages ---
bool PostMessage(WindowId window, unsigned message, WParam wParam = 0, LParam lParam = 0);    // any thread
LResult SendMessage(WindowId window, unsigned message, WParam wParam = 0, LParam lParam = 0); // any thread
void PostQuitMessage(int exitCode);
// Waits for the next message of this thread; false for WM_QUIT.
bool GetMessage(Message& msg);
// Takes (remove) or looks at the next message without waiting; false when there is none.
bool PeekMessage(Message& msg, bool remove = true);
LResult DispatchMessage(const Message& msg);
void TranslateMessage(const Message& msg);
LResult DefWindowProc(WindowId window, unsigned message, WParam wParam, LParam lParam);
// Handles every message that is ready now (including paints and due timers) without waiting,
// up to `limit`; returns how many. Stops at WM_QUIT, leaving it queued.
int PumpMessages(int limit = 100000);

// --- Timers (delivered as WM_TIMER with wParam = id) ---
uintptr_t SetTimer(WindowId window, uintptr_t id, unsigned ms);
bool KillTimer(WindowId window, uintptr_t id);

// --- Input state ---
WindowId SetCapture(WindowId window);
bool ReleaseCapture();
WindowId GetCapture();
WindowId SetFocus(WindowId window);
WindowId GetFocus();
WindowId GetActiveWindow();
bool SetForegroundWindow(WindowId window);
// Asks for one WM_MOUSELEAVE when the pointer leaves the window (and, with hoverMs > 0, one
// WM_MOUSEHOVER when it rests that long inside).
void TrackMouseEvent(WindowId window, bool leave, unsigned hoverMs);
// High bit set (negative) while the key is down; low bit toggles with every press.
int16_t GetKeyState(unsigned vk);
Point GetCursorPos();
Cursor SetCursor(Cursor cursor);
Cursor GetCursor();
Rect GetWorkArea();
Size GetScreenSize();
unsigned GetDoubleClickTime();
unsigned GetCaretBlinkTime();
bool SetClipboardText(const std::wstring& text);
std::wstring GetClipboardText();
void StartTextInput(WindowId window, const Rect& caretRect);
void StopTextInput();

// --- Input injection (tests and the headless backend; also usable with SDL) ---
// Points are screen coordinates unless the function takes a window.
void InjectMouseMove(Point screen);
void InjectMouseButton(Point screen, int button, bool down); // button 0 left, 1 right, 2 middle
void InjectMouseWheel(Point screen, int delta);
void InjectMouseMove(WindowId window, Point client);
void InjectMouseButton(WindowId window, Point client, int button, bool down);
void InjectMouseWheel(WindowId window, Point client, int delta);
void InjectMouseLeave();
void InjectKey(unsigned vk, bool down);
void InjectText(const std::wstring& text);
void InjectCloseRequest(WindowId window);

} // namespace platform::ui

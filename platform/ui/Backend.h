#pragma once
// What a native window system provides under the message queues of WindowSystem.cpp.
// Input arrives by the backend calling the Feed* functions below from its event pump.
#include "platform/ui/WindowSystem.h"

namespace platform::ui::detail {

class NativeBackend
{
public:
    virtual ~NativeBackend() = default;
    virtual void* CreateNative(WindowId id, const WindowParams& params) = 0;
    virtual void DestroyNative(void* native) = 0;
    virtual void ShowNative(void* native, bool show, bool activate) = 0;
    virtual void MoveNative(void* native, const Rect& rect) = 0;
    virtual void MinimizeNative(void* native) = 0;
    virtual void SetTitle(void* native, const std::wstring& title) = 0;
    virtual void Present(void* native, Surface& frame, const Rect& dirty) = 0;
    virtual void Raise(void* native) = 0;
    virtual void SetCapture(bool on) = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    virtual Rect WorkArea() = 0;
    virtual Size ScreenSize() = 0;
    virtual Point CursorPos() = 0;
    virtual bool SetClipboard(const std::wstring& text) = 0;
    virtual std::wstring GetClipboard() = 0;
    virtual void StartTextInput(const Rect& caretScreen) = 0;
    virtual void StopTextInput() = 0;
    // Waits up to ms (0 = poll) for native events on the backend's thread and feeds them in.
    virtual void PumpEvents(int ms) = 0;
    // Wakes PumpEvents from another thread.
    virtual void Wake() = 0;
    virtual bool IsEventThread() = 0;
};

std::unique_ptr<NativeBackend> CreateSdlBackend();

// Input from a backend (screen coordinates; `over` is the window under the pointer or 0).
void FeedMouseMove(WindowId over, Point screen);
void FeedMouseButton(WindowId over, Point screen, int button, bool down);
void FeedMouseWheel(WindowId over, Point screen, int delta);
void FeedMouseLeave(WindowId window);
void FeedKey(unsigned vk, bool down, bool repeat, unsigned scan, bool extended);
void FeedText(const std::wstring& text);
void FeedClose(WindowId window);
void FeedActivate(WindowId window, bool active);
void FeedExposed(WindowId window);
void FeedMoved(WindowId window, Point topLeft);
void FeedResized(WindowId window, Size size);

} // namespace platform::ui::detail

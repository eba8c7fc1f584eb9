// A real window: the SDL backend opens it on the X display ($DISPLAY, e.g. under xvfb-run)
// and a pointer click made through the X server (XTest) reaches a control. Skipped without a
// display.
#include "../GoldenImage.h"
#include "CoreTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <thread>

using namespace coretest;

namespace {

// The few X calls the test needs, looked up at run time so the build needs no X headers.
struct XTest
{
    void* x11 = dlopen("libX11.so.6", RTLD_NOW);
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    void* (*openDisplay)(const char*) = nullptr;
    int (*closeDisplay)(void*) = nullptr;
    int (*sync)(void*, int) = nullptr;
    int (*motion)(void*, int, int, int, unsigned long) = nullptr;
    int (*button)(void*, unsigned, int, unsigned long) = nullptr;
    void* display = nullptr;

    XTest()
    {
        if (!x11 || !xtst) return;
        openDisplay = reinterpret_cast<decltype(openDisplay)>(dlsym(x11, "XOpenDisplay"));
        closeDisplay = reinterpret_cast<decltype(closeDisplay)>(dlsym(x11, "XCloseDisplay"));
        sync = reinterpret_cast<decltype(sync)>(dlsym(x11, "XSync"));
        motion = reinterpret_cast<decltype(motion)>(dlsym(xtst, "XTestFakeMotionEvent"));
        button = reinterpret_cast<decltype(button)>(dlsym(xtst, "XTestFakeButtonEvent"));
        if (openDisplay && closeDisplay && sync && motion && button) display = openDisplay(nullptr);
    }
    ~XTest()
    {
        if (display) closeDisplay(display);
    }
    void Click(int x, int y)
    {
        motion(display, -1, x, y, 0);
        sync(display, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        button(display, 1, 1, 0);
        sync(display, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        button(display, 1, 0, 0);
        sync(display, 0);
    }
};

template <typename F> bool PumpUntil(F done, int ms)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < until) {
        ws::PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

} // namespace

TEST(SdlWindow, RealWindowOpensPaintsAndTakesAClick)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    XTest x;
    if (!x.display) GTEST_SKIP() << "cannot open the X display with XTest";
    if (!ws::InitWindowSystem(ws::Backend::Sdl)) GTEST_SKIP() << "SDL video is not available";
    PaintManager::SetPaintPauseMs(0);
    {
        struct CountingDialog : TestDialog
        {
            int paints = 0;
            int OnPaint() override
            {
                ++paints;
                return 0;
            }
        } dlg;
        HWND h = dlg.Create(0, L"sdl", WS_POPUP, 0, CRect(60, 70, 360, 270));
        ASSERT_NE(h, HWND(0));
        auto* p = new Probe(&dlg, 5, CRect(20, 20, 120, 80), L"", 1, 1);
        p->SetManager(&dlg.GetPaintManager());
        dlg.GetPaintManager().AddControl(1, p);
        dlg.ShowWindow(SW_SHOW);
        ASSERT_TRUE(PumpUntil([&] { return dlg.paints > 0; }, 3000));
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // let the server map the window
        ws::PumpMessages();
        CRect r = ws::GetWindowRect(h);
        x.Click(r.left + 60, r.top + 40);
        EXPECT_TRUE(PumpUntil([&] { return dlg.events.size() >= 2; }, 3000));
        EXPECT_EQ(dlg.events, (std::vector<Event>{{5, NOTIFY_PRESS, 0, 0}, {5, NOTIFY_CLICK, 0, 0}}));
        dlg.DestroyWindow();
        ws::PumpMessages();
    }
    PaintManager::SetPaintPauseMs(15);
    ws::ShutdownWindowSystem();
}

// trellis-gallery: shows the toolkit's controls page by page in one MDialog.
//   trellis-gallery [--page=N]                      a real window (SDL); arrows switch pages
//   trellis-gallery --screenshot=FILE [--page=N]    renders headless, writes FILE (PNG), exits
//   trellis-gallery --first-frame [--since=NS]      exits after the first frame is on screen and
//                                                   prints its time (ms since NS on the monotonic
//                                                   clock, or since main) and the resident memory
#include "GalleryControls.h"
#include "GalleryPage.h"

#include "trellis/core/Manager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>
#include <string>

namespace gallery {

namespace {

std::mutex& PagesMutex()
{
    static std::mutex m;
    return m;
}

std::vector<PageInfo>& PageList()
{
    static std::vector<PageInfo> pages;
    return pages;
}

} // namespace

bool RegisterPage(int order, const wchar_t* title, PageBuilder build)
{
    if (!title || !build) return false;
    std::lock_guard<std::mutex> lock(PagesMutex());
    PageList().push_back({order, title, build});
    return true;
}

std::vector<PageInfo> Pages()
{
    std::lock_guard<std::mutex> lock(PagesMutex());
    std::vector<PageInfo> out = PageList();
    std::stable_sort(out.begin(), out.end(),
                     [](const PageInfo& a, const PageInfo& b) { return a.order < b.order; });
    return out;
}

} // namespace gallery

namespace {

using namespace DUI;
namespace ws = platform::ui;

constexpr UINT kCaptionId = 1;
constexpr int kCaptionHeight = 44;

int64_t MonotonicNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

long ResidentKb()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

class GalleryDialog : public MDialog
{
public:
    explicit GalleryDialog(int page) : m_page(page) {}

    void InitUI(CRect client) override
    {
        SetBackColor(RGB(24, 26, 30), RGB(58, 65, 76));
        BuildPage(client);
    }
    void UISize(CRect client) override
    {
        if (client != m_built) BuildPage(client);
        SetCaptionRect(CRect(0, 0, client.Width(), kCaptionHeight));
    }
    int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override
    {
        ++m_events;
        return 0;
    }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_KEYDOWN) {
            int count = int(gallery::Pages().size());
            if ((wParam == VK_RIGHT || wParam == VK_NEXT) && count) return SwitchTo((m_page + 1) % count);
            if ((wParam == VK_LEFT || wParam == VK_PRIOR) && count)
                return SwitchTo((m_page + count - 1) % count);
            if (wParam == VK_ESCAPE) {
                DoClose();
                return 0;
            }
        }
        LRESULT r = MDialog::OnWindowMessage(msg, wParam, lParam);
        if (msg == WM_PAINT) ++m_frames;
        return r;
    }
    void SetBackColor(COLORREF back, COLORREF border) { m_manager.SetBackColor(back, border); }
    int Frames() const { return m_frames; }

private:
    int SwitchTo(int page)
    {
        m_page = page;
        CRect client;
        GetClientRect(client);
        BuildPage(client);
        return 0;
    }
    void BuildPage(CRect client)
    {
        m_manager.RemoveAllControl();
        m_built = client;
        auto pages = gallery::Pages();
        if (pages.empty()) return;
        m_page = std::clamp(m_page, 0, int(pages.size()) - 1);
        const auto& p = pages[m_page];
        std::wstring title = L"Trellis gallery \u2014 " + std::to_wstring(m_page + 1) + L"/" +
                             std::to_wstring(pages.size()) + L"  " + p.title;
        CreateControl(L"GalleryCaption", kCaptionId, CRect(0, 0, client.Width(), kCaptionHeight), title);
        p.build(*this, CRect(0, kCaptionHeight, client.Width(), client.Height()));
        m_manager.Invalidate();
    }

    int m_page;
    CRect m_built;
    int m_events = 0;
    int m_frames = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int64_t t0 = MonotonicNs();
    std::string screenshot;
    int page = 0, width = 1000, height = 640;
    bool firstFrame = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--screenshot=", 0) == 0)
            screenshot = a.substr(13);
        else if (a.rfind("--page=", 0) == 0)
            page = std::atoi(a.c_str() + 7);
        else if (a.rfind("--size=", 0) == 0)
            std::sscanf(a.c_str() + 7, "%dx%d", &width, &height);
        else if (a == "--first-frame")
            firstFrame = true;
        else if (a.rfind("--since=", 0) == 0)
            t0 = std::atoll(a.c_str() + 8);
        else {
            std::fprintf(stderr, "usage: trellis-gallery [--page=N] [--size=WxH] [--screenshot=FILE] "
                                 "[--first-frame [--since=NS]]\n");
            return 2;
        }
    }
    if (page < 0 || page >= int(gallery::Pages().size())) {
        std::fprintf(stderr, "trellis-gallery: no page %d (there are %zu)\n", page, gallery::Pages().size());
        return 2;
    }
    bool headless = !screenshot.empty();
    if (!headless && !ws::InitWindowSystem(ws::Backend::Sdl)) {
        std::fprintf(stderr, "trellis-gallery: no display; use --screenshot=FILE to render off screen\n");
        return 1;
    }
    // The pause comes after a frame is on screen; the first-frame figure is taken without it.
    PaintManager::SetPaintPauseMs(headless || firstFrame ? 0 : 15);
    GalleryDialog dlg(page);
    CRect work = ws::GetWorkArea();
    CRect rc(work.left + (work.Width() - width) / 2, work.top + (work.Height() - height) / 2, 0, 0);
    rc.right = rc.left + width;
    rc.bottom = rc.top + height;
    if (!dlg.Create(0, L"Trellis gallery", WS_POPUP | WS_MINIMIZEBOX, 0, rc)) {
        std::fprintf(stderr, "trellis-gallery: cannot create the window\n");
        return 1;
    }
    if (headless) {
        dlg.ShowWindow(SW_SHOWNA);
        ws::PumpMessages();
        auto frame = ws::CaptureWindow(dlg.GetSafeHwnd());
        if (!frame || !frame->SavePng(screenshot)) {
            std::fprintf(stderr, "trellis-gallery: cannot write %s\n", screenshot.c_str());
            return 1;
        }
        return 0;
    }
    if (firstFrame) {
        dlg.ShowWindow(SW_SHOW);
        MSG msg;
        while (dlg.Frames() == 0 && ws::GetMessage(msg)) {
            ws::TranslateMessage(msg);
            ws::DispatchMessage(msg);
        }
        std::printf("first-frame-ms=%.1f rss-kb=%ld\n", (MonotonicNs() - t0) / 1e6, ResidentKb());
        std::fflush(stdout);
        return 0;
    }
    dlg.ShowModal(SW_SHOW);
    return 0;
}

// Paint figures of the generic controls on the headless window system, without the pause
// after each paint: a full paint of the busiest gallery page (every control rebuilding its
// state strip, and with warm strips) and the repaint after the pointer enters one button.
//
// The gallery pages are compiled in here as they are, so the figures are for exactly what the
// gallery shows; this file collects their registrations instead of the gallery program.
#include "trellis/core/MDialog.h"
#include "trellis/core/PaintManager.h"
#include "trellis/gallery/GalleryPage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace gallery {

namespace {
std::vector<PageInfo>& Registry()
{
    static std::vector<PageInfo> pages;
    return pages;
}
} // namespace

bool RegisterPage(int order, const wchar_t* title, PageBuilder build)
{
    Registry().push_back({order, title, build});
    return true;
}

std::vector<PageInfo> Pages()
{
    std::vector<PageInfo> pages = Registry();
    std::sort(pages.begin(), pages.end(),
              [](const PageInfo& a, const PageInfo& b) { return a.order < b.order; });
    return pages;
}

} // namespace gallery

#include "trellis/gallery/PageChoiceButtons.cpp"
#include "trellis/gallery/PagePictures.cpp"
#include "trellis/gallery/PagePushButtons.cpp"
#include "trellis/gallery/PageRanges.cpp"
#include "trellis/gallery/PageTabsAndPanels.cpp"

namespace {

using namespace DUI;
namespace ws = platform::ui;

class PageDialog : public MDialog
{
public:
    explicit PageDialog(gallery::PageBuilder build) : m_build(build) {}
    void InitUI(CRect client) override { m_build(*this, CRect(0, 44, client.Width(), client.Height())); }

private:
    gallery::PageBuilder m_build;
};

struct OpenPage
{
    explicit OpenPage(const wchar_t* title)
    {
        PaintManager::SetPaintPauseMs(0);
        gallery::PageBuilder build = nullptr;
        for (const gallery::PageInfo& page : gallery::Pages())
            if (std::wcscmp(page.title, title) == 0) build = page.build;
        dialog = std::make_unique<PageDialog>(build);
        dialog->Create(0, L"bench", WS_POPUP, 0, CRect(0, 0, 1000, 640));
        dialog->ShowWindow(SW_SHOWNA);
        ws::PumpMessages();
    }
    ~OpenPage() { dialog->DestroyWindow(); }
    void Paint(bool stale)
    {
        PaintManager& manager = dialog->GetPaintManager();
        if (stale) {
            std::lock_guard<std::recursive_mutex> guard(manager.ControlLock());
            for (MControl* control : manager.GetControls())
                control->SetUpdate(0, 0);
        }
        manager.Invalidate();
        ws::PumpMessages();
    }
    std::unique_ptr<PageDialog> dialog;
};

const wchar_t* kBusiestPage = L"Check, radio, select and colour buttons";

void BM_FullPaintColdStrips(benchmark::State& state)
{
    OpenPage page(kBusiestPage);
    for (auto _ : state)
        page.Paint(true);
}
BENCHMARK(BM_FullPaintColdStrips)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FullPaintWarmStrips(benchmark::State& state)
{
    OpenPage page(kBusiestPage);
    for (auto _ : state)
        page.Paint(false);
}
BENCHMARK(BM_FullPaintWarmStrips)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The pointer moves onto a push button and off it again: each move changes the button's state
// and repaints only its rectangle from its strip.
void BM_HoverOneButton(benchmark::State& state)
{
    OpenPage page(L"Push buttons");
    const CPoint inside(285, 44 + 40 + 16), outside(285, 44 + 30);
    bool in = false;
    for (auto _ : state) {
        in = !in;
        ws::InjectMouseMove(page.dialog->GetSafeHwnd(), in ? inside : outside);
        ws::PumpMessages();
    }
    state.counters["repaints"] = benchmark::Counter(state.iterations());
}
BENCHMARK(BM_HoverOneButton)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();

// Painting on the headless backend: a full paint of a 1300 x 788 dialog holding 100 text and
// image controls, and the repaint after one control changes its hover state. Both run without
// the pause that follows every paint in a running program. Each figure also appears as a
// share of its budget ("of_budget": 8 ms for the full paint, 0.5 ms for one control).
#include <benchmark/benchmark.h>

#include "platform/ui/Draw.h"
#include "trellis/core/MDialog.h"
#include "trellis/core/MRender.h"
#include "trellis/core/Manager.h"

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace DUI;
namespace ws = platform::ui;

// A control in the style of the toolkit's buttons: four states rendered once into its strip
// (skin frame stretched as a nine-grid, title on top), one slice copied per paint.
class BenchControl : public MControlFont
{
public:
    BenchControl(MObject* parent, UINT id, CRect rect, const std::wstring& title, bool image)
        : MControlFont(parent, id, rect, title, 1, 1, 1), m_imageKind(image)
    {
        m_uAlignment = DT_CENTER;
    }
    void DrawControl(HDC dc, CRect) override
    {
        int w = m_rect.Width(), h = m_rect.Height();
        if (!GetUpdate() || !GetMemDC()) {
            BeginStateCache(dc, 4);
            for (int s = 0; s < 4; ++s) {
                CRect slice(s * w, 0, s * w + w, h);
                if (m_imageKind && m_pImage)
                    MRender::DrawImageFrame(GetMemDC(), m_pImage.get(), slice, s * m_nFrameWidth, 0,
                                            m_nFrameWidth, m_nFrameHeight, 6);
                DrawTitleText(GetMemDC(), slice, m_strTitle);
            }
        }
        DrawCachedState(dc, state);
    }
    int state = 0;

private:
    bool m_imageKind;
};

class BenchDialog : public MDialog
{
};

struct Scene
{
    Scene()
    {
        folder =
            std::filesystem::temp_directory_path() / ("korvane-bench-trellis-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        ws::Surface skin(4 * 40, 40);
        for (int s = 0; s < 4; ++s)
            ws::DrawRoundRect(skin, s * 40 + 0.5, 0.5, 39, 39, 6, 6, 0xFF2F3540 + s * 0x101010, 0xFF8FA3BF,
                              1);
        skin.SavePng((folder / "img_button.png").string());
        Manager::SetSkinFolder(folder.string());
        ws::InitWindowSystem(ws::Backend::Headless);
        PaintManager::SetPaintPauseMs(0);
        dlg.Create(0, L"bench", WS_POPUP, 0, CRect(0, 0, 1300, 788));
        dlg.ShowWindow(SW_SHOWNA);
        PaintManager& pm = dlg.GetPaintManager();
        for (int i = 0; i < 100; ++i) {
            int col = i % 10, row = i / 10;
            CRect rc(20 + col * 126, 20 + row * 75, 20 + col * 126 + 116, 20 + row * 75 + 60);
            auto* c = new BenchControl(&dlg, 100 + i, rc, L"Control " + std::to_wstring(i), i % 2 == 1);
            c->SetManager(&pm);
            if (i % 2) c->SetImage(L"img_button.png", 4);
            pm.AddControl(1, c);
            controls.push_back(c);
        }
        ws::PumpMessages(); // first paint builds every strip
    }
    ~Scene()
    {
        dlg.DestroyWindow();
        std::filesystem::remove_all(folder);
        Manager::SetSkinFolder("");
    }
    void Paint() { dlg.GetPaintManager().OnPaint(); }

    std::filesystem::path folder;
    BenchDialog dlg;
    std::vector<BenchControl*> controls;
};

// Wall time per iteration as a share of the budget.
class BudgetShare
{
public:
    explicit BudgetShare(double budgetSeconds)
        : m_budget(budgetSeconds), m_start(std::chrono::steady_clock::now())
    {
    }
    void Report(benchmark::State& state)
    {
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        state.counters["of_budget"] = state.iterations() ? s / state.iterations() / m_budget : 0;
    }

private:
    double m_budget;
    std::chrono::steady_clock::time_point m_start;
};

Scene& GetScene()
{
    static Scene s;
    return s;
}

void BM_FullPaint_100Controls(benchmark::State& state)
{
    Scene& s = GetScene();
    BudgetShare share(0.008);
    for (auto _ : state) {
        s.dlg.GetPaintManager().Invalidate();
        s.Paint();
    }
    share.Report(state);
}
BENCHMARK(BM_FullPaint_100Controls)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Content changed everywhere (language switch, page rebuilt): every strip is rendered again.
void BM_FullPaint_100Controls_Rebuild(benchmark::State& state)
{
    Scene& s = GetScene();
    BudgetShare share(0.008);
    for (auto _ : state) {
        for (auto* c : s.controls)
            c->SetUpdate(0, 0);
        s.dlg.GetPaintManager().Invalidate();
        s.Paint();
    }
    share.Report(state);
}
BENCHMARK(BM_FullPaint_100Controls_Rebuild)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

void BM_HoverRepaint_OneControl(benchmark::State& state)
{
    Scene& s = GetScene();
    BenchControl* c = s.controls[55];
    BudgetShare share(0.0005);
    for (auto _ : state) {
        c->state ^= 1;
        c->UpdateControl(0); // state change only: the strip is shown again
        s.Paint();
    }
    share.Report(state);
}
BENCHMARK(BM_HoverRepaint_OneControl)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();

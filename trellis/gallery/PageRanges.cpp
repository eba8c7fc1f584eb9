// Gallery page: progress bars in their three drawings, the level bar, sliders and scroll bars.
#include "GalleryPage.h"
#include "PageControls.h"

#include "trellis/controls/CScrollHorizontal.h"
#include "trellis/controls/CScrollVertical.h"
#include "trellis/controls/MLevelCtrl.h"
#include "trellis/controls/MProgress.h"
#include "trellis/controls/MSlider.h"

namespace {

using namespace DUI;

void BuildRanges(MDialog& dlg, const CRect& area)
{
    UINT id = 100;
    const int left = area.left + 20, first = area.left + 200;
    int y = area.top + 16;
    auto row = [&](const std::wstring& name, int height) {
        gallery::Label(dlg, id++, CRect(left, y, first - 10, y + height), name, 0xFFB9BDC6);
    };

    // Progress: plain lines, the two-frame strip with its percentage, pictures.
    row(L"MProgress", 24);
    const int values[] = {0, 35, 70, 100};
    for (int i = 0; i < 4; ++i) {
        const int x = first + i * 190;
        if (auto* bar =
                static_cast<MProgress*>(dlg.CreateControl(L"MProgress", id++, CRect(x, y, x + 170, y + 24))))
            bar->SetProgress(values[i]);
    }
    y += 40;
    row(L"MProgress strip", 36);
    for (int i = 0; i < 4; ++i) {
        const int x = first + i * 190;
        if (auto* bar = static_cast<MProgress*>(
                dlg.CreateControl(L"MProgress", id++, CRect(x, y, x + 170, y + 36)))) {
            bar->SetImage(L"img_progress.png", 2);
            bar->EnableShowText(1);
            bar->SetProgress(values[i]);
        }
    }
    y += 52;
    row(L"MProgress pictures", 24);
    for (int i = 0; i < 4; ++i) {
        const int x = first + i * 190;
        if (auto* bar = static_cast<MProgress*>(
                dlg.CreateControl(L"MProgress", id++, CRect(x, y, x + 170, y + 24)))) {
            bar->SetBackGroundImage(L"img_progress_bkg.png");
            bar->SetForeGroundImage(L"img_progress_fore.png");
            bar->SetProgress(values[i]);
        }
    }
    y += 40;
    row(L"MProgress2", 24);
    if (auto* bar = static_cast<MProgress*>(
            dlg.CreateControl(L"MProgress2", id++, CRect(first, y, first + 360, y + 24)))) {
        bar->SetRun(0, 60);
    }
    y += 40;

    // Level bar: five cells, level three.
    row(L"MLevelCtrl", 28);
    if (auto* level = static_cast<MLevelCtrl*>(
            dlg.CreateControl(L"MLevelCtrl", id++, CRect(first, y, first + 360, y + 28)))) {
        level->SetRangeValue(1, 5);
        level->SetLevelValue(3);
    }
    if (auto* level = static_cast<MLevelCtrl*>(
            dlg.CreateControl(L"MLevelCtrl", id++, CRect(first + 380, y, first + 740, y + 28)))) {
        level->SetRangeValue(0, 7);
        level->SetLevelValue(6);
        level->SetEnabled(0);
    }
    y += 48;

    // Sliders: plain, skinned with its value shown, hovered thumb, disabled.
    row(L"MSlider", 36);
    for (int i = 0; i < 4; ++i) {
        const int x = first + i * 190;
        auto* slider =
            static_cast<MSlider*>(dlg.CreateControl(L"MSlider", id++, CRect(x, y, x + 170, y + 36)));
        if (!slider) continue;
        slider->SetMaxProgress(100);
        slider->SetProgress(20 + i * 20);
        if (i == 1) {
            slider->SetImage(L"img_slider_track.png", 2);
            slider->SetThumbImage(L"img_slider_bar.png");
            slider->SetShowText(1);
            slider->SetTextColor(0xFFE6E6E6);
        }
        if (i == 2) gallery::Pose(slider, 1);
        if (i == 3) slider->SetEnabled(0);
    }
    y += 56;

    // Scroll bars on their own: a long range and a short one (the thumb keeps its minimum size).
    row(L"Scroll bars", 130);
    PaintManager& manager = dlg.GetPaintManager();
    auto* vertical = new CScrollVertical(&dlg, id++, CRect(first, y, first + 5, y + 130), 1, 1);
    vertical->SetManager(&manager);
    manager.AddControl(1, vertical);
    vertical->SetScrollInfo(1000, 400, 100, 10);
    auto* vertical2 = new CScrollVertical(&dlg, id++, CRect(first + 40, y, first + 50, y + 130), 1, 1);
    vertical2->SetManager(&manager);
    manager.AddControl(1, vertical2);
    vertical2->SetScrollInfo(100, 100, 80, 10);
    auto* horizontal =
        new CScrollHorizontal(&dlg, id++, CRect(first + 100, y + 20, first + 700, y + 32), 1, 1);
    horizontal->SetManager(&manager);
    manager.AddControl(1, horizontal);
    horizontal->SetScrollInfo(1000, 250, 200, 10);
    auto* horizontal2 =
        new CScrollHorizontal(&dlg, id++, CRect(first + 100, y + 70, first + 700, y + 82), 1, 1);
    horizontal2->SetManager(&manager);
    manager.AddControl(1, horizontal2);
    horizontal2->SetScrollInfo(1000, 900, 200, 10);
    horizontal2->OnControlMouseMove(0, horizontal2->GetThumbRect().CenterPoint());
}

} // namespace

TRELLIS_GALLERY_PAGE(14, L"Progress, level, slider and scroll bars", BuildRanges);

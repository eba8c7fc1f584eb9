// Gallery page: check, radio, select, switch and colour buttons, unchecked and checked, in
// each state.
#include "GalleryPage.h"
#include "PageControls.h"

#include "trellis/controls/CCheckButton.h"
#include "trellis/controls/CColorButton.h"
#include "trellis/controls/CRadioButton.h"
#include "trellis/controls/CSelectButton.h"
#include "trellis/controls/CSwitchButton.h"
#include "trellis/controls/ColorButtonEx.h"

namespace {

using namespace DUI;

void BuildChoiceButtons(MDialog& dlg, const CRect& area)
{
    const int left = area.left + 20, first = area.left + 170, colWidth = 100;
    UINT id = 100;
    const wchar_t* heads[] = {L"Normal", L"Hover", L"Pressed", L"Disabled"};
    for (int half = 0; half < 2; ++half)
        for (int c = 0; c < 4; ++c) {
            const int x = first + (half * 4 + c) * colWidth;
            gallery::Label(dlg, id++, CRect(x, area.top + 6, x + colWidth - 6, area.top + 26),
                           std::wstring(half ? L"\u2713 " : L"") + heads[c], 0xFFB9BDC6);
        }
    MTabLayout* holder = gallery::Holder(dlg, id++, area);
    if (!holder) return;

    // Eight faces of the check-like buttons: unchecked then checked, each in four states.
    struct Row
    {
        const wchar_t* cls;
        const wchar_t* image;
        bool windowOnly;
    };
    const Row rows[] = {{L"CCheckButton", L"btn_checkbox.png", false},
                        {L"CRadioButton", L"btn_radiobox.png", false},
                        {L"TextCheckButton", L"btn_checkbox.png", true}};
    int y = area.top + 36;
    for (const Row& row : rows) {
        gallery::Label(dlg, id++, CRect(left, y, first - 10, y + 24), row.cls, 0xFFB9BDC6);
        for (int i = 0; i < 8; ++i) {
            const int x = first + i * colWidth;
            const CRect rect(x, y, x + colWidth - 6, y + 24);
            // Every button is its own group, so checking one leaves the others as posed.
            MControl* control = row.windowOnly
                                    ? dlg.CreateControl(row.cls, id, rect, gallery::Word(i, 1))
                                    : holder->CreateControl(row.cls, id, rect, gallery::Word(i, 1));
            ++id;
            auto* check = dynamic_cast<CCheckButton*>(control);
            if (!check) continue;
            check->SetImage(row.image, 8);
            if (auto* radio = dynamic_cast<CRadioButton*>(control))
                radio->SetGroupName(L"gallery" + std::to_wstring(i));
            if (i >= 4) check->SetCheck(1);
            gallery::Pose(control, i % 4);
        }
        y += 40;
    }

    // Select buttons: normal, hover, selected, disabled.
    gallery::Label(dlg, id++, CRect(left, y, first - 10, y + 30), L"CSelectButton", 0xFFB9BDC6);
    for (int c = 0; c < 4; ++c) {
        const int x = first + c * 2 * colWidth;
        auto* select = dynamic_cast<CSelectButton*>(holder->CreateControl(
            L"CSelectButton", id++, CRect(x, y, x + 2 * colWidth - 10, y + 30), gallery::Word(c, 2)));
        if (!select) continue;
        select->SetImage(L"btn_select.png", 4);
        select->SetGroupName(L"select" + std::to_wstring(c));
        if (c == 2)
            select->SetCheck(1);
        else
            gallery::Pose(select, c);
    }
    y += 46;

    // Switches, off then on.
    gallery::Label(dlg, id++, CRect(left, y, first - 10, y + 24), L"CSwitchButton", 0xFFB9BDC6);
    for (int i = 0; i < 8; ++i) {
        const int x = first + i * colWidth;
        auto* sw = dynamic_cast<CSwitchButton*>(
            holder->CreateControl(L"CSwitchButton", id++, CRect(x, y, x + 44, y + 24)));
        if (!sw) continue;
        sw->SetImage(L"btn_switch_on.png", L"btn_switch_off.png", 4);
        if (i >= 4) sw->SetCheck(1);
        gallery::Pose(sw, i % 4);
    }
    y += 44;

    // Colour swatches: a group of five, the third selected, and one disabled.
    gallery::Label(dlg, id++, CRect(left, y, first - 10, y + 36), L"CColorButton", 0xFFB9BDC6);
    const COLORREF swatches[] = {RGB(250, 55, 62),  RGB(255, 170, 0),  RGB(60, 200, 120),
                                 RGB(40, 140, 255), RGB(170, 90, 255), RGB(240, 240, 240)};
    CColorButton* colors[6] = {};
    for (int i = 0; i < 6; ++i) {
        const int x = first + i * 56;
        colors[i] = dynamic_cast<CColorButton*>(
            holder->CreateControl(L"CColorButton", id++, CRect(x, y, x + 36, y + 36)));
        if (colors[i]) {
            colors[i]->SetColor(swatches[i]);
            colors[i]->SetGroupName(L"colors");
        }
    }
    if (colors[2]) colors[2]->OnControlLButtonDown(0, colors[2]->GetRect().CenterPoint());
    if (colors[1]) gallery::Pose(colors[1], 1);
    if (colors[5]) colors[5]->SetEnabled(0);
    y += 56;

    // Colour swatches with a value (DPI-stage style).
    gallery::Label(dlg, id++, CRect(left, y, first - 10, y + 48), L"ColorButtonEx", 0xFFB9BDC6);
    const ARGB stageColors[] = {0xFFFA373E, 0xFFFFAA00, 0xFF3CC878, 0xFF288CFF, 0xFFAA5AFF};
    const int values[] = {400, 800, 1600, 3200, 6400};
    ColorButtonEx* stages[5] = {};
    for (int i = 0; i < 5; ++i) {
        const int x = first + i * 90;
        stages[i] = dynamic_cast<ColorButtonEx*>(holder->CreateControl(
            L"ColorButtonEx", id++, CRect(x, y, x + 76, y + 48), std::to_wstring(values[i])));
        if (!stages[i]) continue;
        stages[i]->SetColor(stageColors[i]);
        stages[i]->SetGroupName(L"stages");
        stages[i]->CalcTextRect(20);
    }
    if (stages[1]) stages[1]->OnControlLButtonDown(0, stages[1]->GetRect().CenterPoint());
    if (stages[4]) stages[4]->SetEnabled(0);
}

} // namespace

TRELLIS_GALLERY_PAGE(11, L"Check, radio, select and colour buttons", BuildChoiceButtons);

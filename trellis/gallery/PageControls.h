#pragma once
// Shared pieces of the gallery pages of the generic controls: titles in four scripts, column
// headers, and helpers that put a control into a given visual state for the screenshot.
#include "trellis/controls/MTabLayout.h"
#include "trellis/controls/MText.h"
#include "trellis/core/MDialog.h"

#include <string>

namespace gallery {

// The same word in English, Chinese, Thai and Russian, so every page shows each script.
inline const std::wstring& Word(int column, int word = 0)
{
    static const std::wstring words[][4] = {
        {L"Apply", L"应用", L"นำไปใช้", L"Применить"},
        {L"Option", L"选项", L"ตัวเลือก", L"Опция"},
        {L"Macro", L"宏", L"มาโคร", L"Макрос"},
        {L"Lighting", L"灯光", L"แสงไฟ", L"Подсветка"},
    };
    return words[word % 4][column % 4];
}

inline DUI::MText* Label(DUI::MDialog& dlg, DUI::UINT id, DUI::CRect rect, const std::wstring& text,
                         DUI::ARGB color = 0xFF8A8F98, unsigned align = DUI::DT_LEFT)
{
    auto* label = static_cast<DUI::MText*>(dlg.CreateArea(L"MText", id, rect, text));
    if (label) {
        label->SetTextColor(color);
        label->SetAlignment(align, DUI::DT_VCENTER);
    }
    return label;
}

// A transparent page covering the area: controls known only to the panel factory live in it.
inline DUI::MTabLayout* Holder(DUI::MDialog& dlg, DUI::UINT id, const DUI::CRect& area)
{
    return static_cast<DUI::MTabLayout*>(dlg.CreateControl(L"MTabLayout", id, area));
}

// Visual states by column: 0 normal, 1 hover, 2 pressed, 3 disabled.
inline void Pose(DUI::MControl* control, int state)
{
    if (!control) return;
    const DUI::CPoint centre = control->GetRect().CenterPoint();
    if (state == 1 || state == 2) control->OnControlMouseMove(0, centre);
    if (state == 2) control->OnControlLButtonDown(0, centre);
    if (state == 3) control->SetEnabled(0);
}

} // namespace gallery

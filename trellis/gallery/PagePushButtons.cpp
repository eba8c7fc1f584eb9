// Gallery page: the push-button family in its four states (normal, hover, pressed, disabled).
#include "GalleryPage.h"
#include "PageControls.h"

#include "trellis/controls/CIconButton.h"
#include "trellis/controls/CImageButton.h"
#include "trellis/controls/CTextButton.h"
#include "trellis/controls/CTimerButton.h"
#include "trellis/controls/DownloadButton.h"
#include "trellis/controls/MButton.h"
#include "trellis/controls/MButton2.h"
#include "trellis/controls/UpgradeButton.h"

namespace {

using namespace DUI;

void BuildPushButtons(MDialog& dlg, const CRect& area)
{
    const int left = area.left + 20, first = area.left + 200, colWidth = 190;
    const wchar_t* heads[] = {L"Normal", L"Hover", L"Pressed", L"Disabled"};
    UINT id = 100;
    for (int c = 0; c < 4; ++c)
        gallery::Label(dlg, id++,
                       CRect(first + c * colWidth, area.top + 8, first + c * colWidth + 170, area.top + 30),
                       heads[c], 0xFFB9BDC6, DT_CENTER);
    MTabLayout* holder = gallery::Holder(dlg, id++, area);
    if (!holder) return;

    struct Row
    {
        const wchar_t* cls;
        const wchar_t* image;
        int frames;
        int height;
    };
    const Row rows[] = {
        {L"MButton", L"img_button.png", 4, 32},        {L"MButton2", L"img_button2.png", 4, 32},
        {L"MButton3", L"img_button2.png", 4, 32},      {L"CIconButton", L"img_button.png", 4, 32},
        {L"CTimerButton", L"img_button.png", 4, 32},   {L"UpgradeButton", L"img_button.png", 4, 32},
        {L"DownloadButton", L"img_button.png", 4, 32}, {L"CTextButton", nullptr, 0, 24},
        {L"CImageButton", L"sysbtn_close.png", 4, 32}, {L"LongPressButton", L"img_btn_next.png", 4, 48},
    };
    int y = area.top + 40;
    for (const Row& row : rows) {
        gallery::Label(dlg, id++, CRect(left, y, first - 10, y + row.height), row.cls, 0xFFB9BDC6);
        for (int c = 0; c < 4; ++c) {
            int width = 170;
            if (!std::wstring(row.cls).compare(L"CImageButton"))
                width = 32;
            else if (!std::wstring(row.cls).compare(L"LongPressButton"))
                width = 32;
            const int x = first + c * colWidth + (170 - width) / 2;
            MControl* control = holder->CreateControl(row.cls, id++, CRect(x, y, x + width, y + row.height),
                                                      gallery::Word(c));
            auto* font = dynamic_cast<MControlFont*>(control);
            if (!font) continue;
            if (row.image) font->SetImage(row.image, row.frames);
            if (auto* icon = dynamic_cast<CIconButton*>(control)) {
                icon->SetIconImage(L"icon\\icon_rec.png", 4);
                icon->SetTextRect(CRect(28, 0, width, row.height), CRect(12, 0, 26, row.height));
            }
            if (auto* timer = dynamic_cast<CTimerButton*>(control); timer && c == 0) timer->SetRun(1);
            if (auto* upgrade = dynamic_cast<UpgradeButton*>(control)) upgrade->SetUpgradeStatus(c % 2 == 0);
            if (auto* download = dynamic_cast<DownloadButton*>(control); download && c == 1)
                download->SetDownloadProcess(40);
            if (auto* text = dynamic_cast<CTextButton*>(control)) text->SetAlignment(DT_CENTER, DT_VCENTER);
            if (auto* check = dynamic_cast<MButton2*>(control);
                check && c == 0 && std::wstring(row.cls) == L"MButton3")
                check->SetCheck(1);
            gallery::Pose(control, c);
        }
        y += row.height + 14;
    }
}

} // namespace

TRELLIS_GALLERY_PAGE(10, L"Push buttons", BuildPushButtons);
